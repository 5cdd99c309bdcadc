#include "common/installation_log.h"

#include "common/log_line.h"
#include "common/support_contact.h"

#include <windows.h>

#include <ctime>

int WriteLog(std::string message, int stampFlag) {
  const std::time_t now = std::time(nullptr);
  std::tm localTime{};
  if (const std::tm *converted = std::localtime(&now))
    localTime = *converted;
  if (!AppendLogLine(logFilePath, message, stampFlag, localTime)) {
    const std::string warning =
        std::string("Kestrevane cannot write to the logfile.\n\nThis may not be a fatal error, "
                    "installation will continue.\n\nIf this problem persists, please contact "
                    "Veyrholt\nat ") +
        supportWebAddress + " for help.\n\nSetup will try to continue...";
    MessageBoxA(nullptr, warning.c_str(), "Error", MB_OK | MB_ICONWARNING);
  }
  return 0;
}
