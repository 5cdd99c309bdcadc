// The start of both programs from their command line: with /S the program's work runs without
// pages, every box going to the log.
#pragma once

// Reads the program's command line and takes the kit's mutex. Returns when the pages are to run
// (a folder given by /D= then stands in the path page's field); otherwise it ends the process:
// with 2 after the usage box, with 3 when another kit program runs (or, with /S, the game), or
// after `runUnattended`, which runs the program's work with gameFolder set from /D= or the
// registry.
void FollowCommandLine(const char *arguments, const char *programName, const char *caption,
                       void (*runUnattended)());
