// The uninstall program's file work.
#pragma once

// Deletes the configuration files, rebuilds DeusEx.ini from the backup, removes the package
// files and ends the process: with 0 after the closing box, with -1 after a fatal failure.
// Reads gameFolder; never returns.
[[noreturn]] void RunUninstallation();
