// One kit program at a time: a second setup, or an uninstaller, started while one runs (a double
// click, a mod manager starting it again) would work on the same DeusEx.ini, temporary file and
// backup at the same moment.
#pragma once

inline constexpr const char *kitBusyCaption = "Kestrevane is busy";
inline constexpr const char *kitBusyText =
    "Another Kestrevane setup or uninstall program is running.\n\nPlease finish it first, then "
    "start this one again.";

// Windows only. Takes the kit's named mutex, shared by both programs, for the rest of the
// process's life; true when another kit program holds it already. Called once, at the start.
bool AnotherKitProgramRuns();
