// Every box of both programs: a message box, or in an unattended run a log entry in its place.
#pragma once

#include <windows.h>

#include <string>

// From here on every box goes to the log: nobody is there to answer one.
void SendBoxesToLog();

// A message box with the given owner (null for none); in an unattended run the log entry
// "---> (caption) text" instead, answered OK or Yes. The text is in the ANSI code page, or in
// UTF-8 where it names a folder that the code page cannot hold.
int ShowBox(HWND owner, const std::string &text, const char *caption, unsigned type);
