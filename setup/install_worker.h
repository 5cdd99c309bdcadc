// The whole installation: the folder check, the rewrite of DeusEx.ini into the temporary
// configuration, the package copies, the finalisation and the report.
#pragma once

// Installs into gameFolder (and the launcher's configuration, where there is one), reporting on
// the progress page and in the log. Returns after a successful run, once the completion box is
// closed; every fatal failure ends the process.
void RunInstallation();
