#include "common/installation_log.h"

#include "common/platform.h"
#include "common/support_contact.h"

int WriteLog(std::string message, int stampFlag) {
  if (!platform->appendLog(message, stampFlag)) {
    const std::string warning =
        std::string("Kestrevane cannot write to the logfile.\n\nThis may not be a fatal error, "
                    "installation will continue.\n\nIf this problem persists, please contact ") +
        makerName + "\nat " + supportWebAddress + " for help.\n\nSetup will try to continue...";
    platform->showBox(warning, "Error", okBox | warningIcon);
  }
  return 0;
}
