// The three settings of DeusEx.ini through which the modification takes effect, and how a
// changed line is logged. The setup writes them; the uninstaller takes them out of a launcher
// configuration that was made after the setup.
#pragma once

#include <string>

inline constexpr const char *modClassLine = "Class=Kestrevane.K_JCDentonMale";
inline constexpr const char *modGameSpeedLine = "GameSpeed=1.000000";
inline constexpr const char *modDefaultGameLine = "DefaultGame=Kestrevane.KestrevaneGameInfo";

// "---> <name> Changed (OK)", then the line before and the line after, one under the other.
std::string ChangedLineEntry(const char *name, const std::string &before, const std::string &after);
