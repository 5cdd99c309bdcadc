// The text of the licence page: welcome, the game makers' position, the disclaimer, what
// setup does to the game's configuration, and how to go on.
#pragma once

#include <string>

// The three parts of the text joined in order. Line breaks are CR LF only, as a multi-line
// edit control shows a bare LF as no break at all.
std::string LicenceText();
