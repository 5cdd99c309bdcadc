// The product's support addresses. Every text that names them takes them from here, so a
// modder who ships the kit under their own name changes them in this one place.
#pragma once

inline constexpr const char *supportWebAddress = "www.kestrevane.example";
inline constexpr const char *supportEmailAddress = "support@kestrevane.example";
