// Whether the modification is installed in the folder the user confirmed on the path page.
#pragma once

// The backup of the game's configuration that the setup leaves behind is the sign of an
// installation in gameFolder. Logs the outcome; returns 0 when installed, -1 when not.
int CheckInstallation();

// What the path page says when the check fails.
inline constexpr const char *noInstallationText =
    "Uninstaller could not find the required Kestrevane\nconfiguration files to continue.\n\n"
    "Please check the location stated to confirm\nthat you did install Kestrevane there.";
