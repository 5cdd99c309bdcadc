// The rewrite of the game's configuration into the temporary configuration: the first Class,
// GameSpeed and DefaultGame lines get the modification's values, their repetitions are dropped.
#pragma once

#include "common/mod_settings.h"

#include <functional>
#include <istream>
#include <ostream>
#include <string>

struct RewriteOutcome {
  bool classSet = false;
  bool gameSpeedSet = false;
  bool defaultGameSet = false;
  bool readFailed = false;  // the game's configuration went bad before its end
  bool writeFailed = false; // a line could not be written to the temporary configuration
};

// How the rewrite reports: one log entry per change or dropped line, one progress step each
// for the replaced Class and DefaultGame lines.
struct RewriteReport {
  std::function<void(const std::string &entry)> log;
  std::function<void()> advanceProgress;
};

// Streams reader into writer one line at a time. Stops at the end of the reader, at a read
// error, or at the first line that cannot be written (nothing more is worth writing then).
RewriteOutcome RewriteGameConfiguration(std::istream &reader, std::ostream &writer,
                                        const RewriteReport &report);
