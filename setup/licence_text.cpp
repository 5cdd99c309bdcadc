#include "setup/licence_text.h"

namespace {

// The licence field scrolls horizontally instead of wrapping, so every line is broken by
// hand to fit its width: at most 40 characters.

const char welcomeAndRights[] = "****************************************\r\n"
                                "  WELCOME TO THE KESTREVANE DEMO (v1.0)\r\n"
                                "      A modification for Deus Ex\r\n"
                                "****************************************\r\n"
                                "\r\n"
                                "Kestrevane is a modification for the\r\n"
                                "game Deus Ex, made by Veyrholt. It was\r\n"
                                "not made by the makers or the publisher\r\n"
                                "of Deus Ex, and they do not support it:\r\n"
                                "please do not contact them about it.\r\n"
                                "\r\n"
                                "The makers and the publisher of Deus Ex\r\n"
                                "are granted the right to use, copy and\r\n"
                                "distribute Kestrevane free of charge.\r\n"
                                "\r\n"
                                "Anyone else may pass Kestrevane on only\r\n"
                                "as this complete and unchanged kit and\r\n"
                                "free of charge. It may not be sold, or\r\n"
                                "included with any product that is sold,\r\n"
                                "without written permission from\r\n"
                                "Veyrholt.\r\n"
                                "\r\n";

const char disclaimer[] = "DISCLAIMER - PLEASE READ CAREFULLY\r\n"
                          "\r\n"
                          "Every file in this kit was tested before\r\n"
                          "release and found to be free of viruses.\r\n"
                          "Even so, we recommend that you scan all\r\n"
                          "of them with an up-to-date virus scanner\r\n"
                          "before you install Kestrevane.\r\n"
                          "\r\n"
                          "Kestrevane is provided \"as is\", without\r\n"
                          "warranty of any kind, and is not\r\n"
                          "supported. As far as the law allows,\r\n"
                          "Veyrholt is not liable for any loss or\r\n"
                          "damage, direct or indirect, that comes\r\n"
                          "from installing or using Kestrevane. You\r\n"
                          "install and use it at your own risk.\r\n"
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
