// The three settings of DeusEx.ini through which the modification takes effect, and how a
// changed line is logged. The setup writes them; the uninstaller takes them out of a launcher
// configuration that was made after the setup.
#pragma once

#include <string>

inline constexpr const char *modClassLine = "Class=Kestrevane.K_JCDentonMale";
inline constexpr const char *modGameSpeedLine = "GameSpeed=1.000000";
inline constexpr const char *modDefaultGameLine = "DefaultGame=Kestrevane.KestrevaneGameInfo";

// The game's own lines, which a configuration holds before Kestrevane is installed.
inline constexpr const char *gameClassLine = "Class=DeusEx.JCDentonMale";
inline constexpr const char *gameDefaultGameLine = "DefaultGame=DeusEx.DeusExGameInfo";

// Whether the configuration's first Class= or first DefaultGame= line holds Kestrevane's value.
bool NamesKestrevane(const std::string &bytes);
// Whether it has both lines and neither holds Kestrevane's value: the kit has not changed it (or
// it was put back), so nothing of Kestrevane's is to be taken out of it.
bool NamesOwnClasses(const std::string &bytes);

// "---> <name> Changed (OK)", then the line before and the line after, one under the other.
std::string ChangedLineEntry(const char *name, const std::string &before, const std::string &after);
