// The product's support addresses. Every text that names them takes them from here, so a
// modder who ships the kit under their own name changes them in this one place.
#pragma once

// A macro too, because the resource scripts cannot read a C++ constant.
#define SUPPORT_WEB_ADDRESS "www.kestrevane.example"

#ifndef RC_INVOKED
inline constexpr const char *supportWebAddress = SUPPORT_WEB_ADDRESS;
inline constexpr const char *supportEmailAddress = "support@kestrevane.example";
#endif
