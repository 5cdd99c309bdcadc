#include "common/command_line.h"

#include "common/platform.h"
#include "common/program_state.h"
#include "common/text_characters.h"

namespace {

std::string WithoutBlanksAround(const std::string &text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos)
    return std::string();
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string Unquoted(const std::string &text) {
  const std::string trimmed = WithoutBlanksAround(text);
  if (trimmed.size() >= 2 && trimmed.front() == '"' && trimmed.back() == '"')
    return trimmed.substr(1, trimmed.size() - 2);
  return trimmed;
}

} // namespace

std::string TrimmedFolder(const std::string &text) { return WithoutBlanksAround(Unquoted(text)); }

std::string GameFolderFromEntry(const std::string &entry) {
  const std::string folder = TrimmedFolder(entry);
  // "C:" is how a game at a drive's root is written (the paths append "\System\..."); made
  // absolute it would be the working folder on that drive.
  const bool driveRoot = folder.size() == 2 && folder[1] == ':';
  return folder.empty() || driveRoot ? folder : platform->absolutePath(folder);
}

CommandLine ParseCommandLine(const std::string &arguments, bool utf8CodePage) {
  CommandLine line;
  std::size_t at = 0;
  for (;;) {
    at = arguments.find_first_not_of(' ', at);
    if (at == std::string::npos)
      return line;
    const std::string rest = arguments.substr(at);
    if (rest.rfind("/D=", 0) == 0 || rest.rfind("\"/D=", 0) == 0) {
      const bool quotedWhole = rest.front() == '"';
      std::string folder = WithoutBlanksAround(rest.substr(quotedWhole ? 4 : 3));
      if (quotedWhole && !folder.empty() && folder.back() == '"')
        folder.pop_back();
      folder = TrimmedFolder(folder);
      line.folder = folder;
      line.usage = line.usage || CharacterCount(folder, utf8CodePage) > longestFolderCharacters;
      return line;
    }
    const std::size_t end = arguments.find(' ', at);
    const std::string argument =
        Unquoted(arguments.substr(at, end == std::string::npos ? std::string::npos : end - at));
    if (argument == "/S")
      line.silent = true;
    else
      line.usage = true; // /? asks for the usage; anything else gets it
    at = end == std::string::npos ? arguments.size() : end;
  }
}

std::string UsageText(const std::string &programName) {
  return programName +
         " [/S] [/D=<game folder>]\n\n"
         "/S\tRun without pages or message boxes. What a box would say is\n"
         "\twritten to c:\\Kestrevane.log instead.\n"
         "/D=\tThe Deus Ex folder (the one that holds System), at most " +
         std::to_string(longestFolderCharacters) +
         " characters.\n\tIt must come last; it takes the rest of the line.\n"
         "/?\tShow this text.\n\n"
         "Exit codes: 0 done, -1 failed (see the log), 2 wrong arguments, 3 not now:\n"
         "Deus Ex runs from the game folder, or another Kestrevane program runs\n"
         "(nothing was touched).";
}

std::string BoxLogEntry(const std::string &caption, const std::string &text) {
  return "\n\n---> (" + caption + ") " + text;
}
