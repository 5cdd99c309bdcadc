// Who makes the kit and where players find help: the maker's name, the year of the copyright
// notice and the support addresses. Every text that names them takes them from here: the
// programs' messages, the pages and version records of both resource scripts, the licence, the
// manifests' assembly names and the player's read-me (the build reads this file for the last
// two), so a modder who ships the kit under their own name changes them in this one place.
// The version is not here: it is the project's version in CMakeLists.txt.
#pragma once

// Macros, because the resource scripts cannot read a C++ constant. Each value is one plain
// string literal on its own line: the build reads them with a pattern.
#define MAKER_NAME "Veyrholt"
#define COPYRIGHT_YEAR "2026"
#define SUPPORT_WEB_ADDRESS "www.kestrevane.example"
#define SUPPORT_EMAIL_ADDRESS "support@kestrevane.example"

#ifndef RC_INVOKED
inline constexpr const char *makerName = MAKER_NAME;
inline constexpr const char *supportWebAddress = SUPPORT_WEB_ADDRESS;
inline constexpr const char *supportEmailAddress = SUPPORT_EMAIL_ADDRESS;
#endif
