#include "setup/licence_text.h"

#include "common/support_contact.h"
#include "product_version.h" // made by the build

namespace {

// The licence field scrolls horizontally instead of wrapping, so every line is broken by
// hand to fit its width: at most 40 characters. The maker's name stands where a longer one
// still fits.

const char welcomeAndRights[] = "****************************************\r\n"
                                "  WELCOME TO THE KESTREVANE DEMO (v" PRODUCT_VERSION ")\r\n"
                                "      A modification for Deus Ex\r\n"
                                "****************************************\r\n"
                                "\r\n"
                                "Kestrevane is a modification for the\r\n"
                                "game Deus Ex, made by " MAKER_NAME ".\r\n"
                                "It was not made by the makers or the\r\n"
                                "publisher of Deus Ex, and they do not\r\n"
                                "support it: please do not contact them\r\n"
                                "about it.\r\n"
                                "\r\n"
                                "The makers and the publisher of Deus Ex\r\n"
                                "are granted the right to use, copy and\r\n"
                                "distribute Kestrevane free of charge.\r\n"
                                "\r\n"
                                "Anyone else may pass Kestrevane on only\r\n"
                                "as this complete and unchanged kit and\r\n"
                                "free of charge. It may not be sold, or\r\n"
                                "included with any product that is sold,\r\n"
                                "without written permission from\r\n" MAKER_NAME ".\r\n"
                                "\r\n";

const char disclaimer[] =
    "DISCLAIMER - PLEASE READ CAREFULLY\r\n"
    "\r\n"
    "Every file in this kit was tested before\r\n"
    "release and found to be free of viruses.\r\n"
    "Even so, we recommend that you scan all\r\n"
    "of them with an up-to-date virus scanner\r\n"
    "before you install Kestrevane.\r\n"
    "\r\n"
    "Kestrevane is provided \"as is\", without\r\n"
    "warranty of any kind, and is not\r\n"
    "supported. As far as the law allows,\r\n" MAKER_NAME " is not liable for any\r\n"
    "loss or damage, direct or indirect, that\r\n"
    "comes from installing or using\r\n"
    "Kestrevane. You install and use it at\r\n"
    "your own risk.\r\n"
    "\r\n"
    "Setup changes the game's configuration\r\n"
    "file DeusEx.ini, after making a backup\r\n"
    "of it. The Uninstall software provided\r\n"
    "with Kestrevane restores DeusEx.ini from\r\n"
    "that backup, as long as the\r\n"
    "configuration files, including\r\n"
    "\"DeusEx_Kes_Backup.ini\" in the System\r\n"
    "folder of Deus Ex, are not changed or\r\n"
    "removed by hand.\r\n"
    "\r\n";

const char closing[] = "Kestrevane may only be used with a legal\r\n"
                       "copy of Deus Ex.\r\n"
                       "\r\n"
                       "If any part of these terms is found to\r\n"
                       "be invalid or unenforceable, the other\r\n"
                       "parts remain in full force and effect.\r\n"
                       "\r\n"
                       "Please press OK to install Kestrevane,\r\n"
                       "or EXIT to quit.\r\n";

} // namespace

std::string LicenceText() { return std::string(welcomeAndRights) + disclaimer + closing; }
