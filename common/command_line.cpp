#include "common/command_line.h"

#include "common/program_state.h"
#include "common/text_characters.h"

namespace {

std::string Unquoted(std::string text) {
  while (!text.empty() && text.back() == ' ')
    text.pop_back();
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
    return text.substr(1, text.size() - 2);
  return text;
}

} // namespace

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
      std::string folder = Unquoted(rest.substr(quotedWhole ? 4 : 3));
      if (quotedWhole && !folder.empty() && folder.back() == '"')
        folder.pop_back();
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
