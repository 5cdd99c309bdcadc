"""The exact texts that the two programs show and log, as the cases expect them."""

from kit import PACKAGES, Stamped

WEB, MAIL = "www.kestrevane.example", "support@kestrevane.example"
SETUP_CAPTION, UNINSTALL_CAPTION = "Kestrevane Setup", "Kestrevane Uninstaller"

# Wine's texts for the system errors that the cases provoke (FormatMessage, CR LF included).
FILE_NOT_FOUND, PATH_NOT_FOUND, ACCESS_DENIED = (
    "File not found.\r\n",
    "Path not found.\r\n",
    "Access denied.\r\n",
)

# -- boxes: (caption, text) -----------------------------------------------------------------

SETUP_ERROR = (
    "Setup Error",
    "The Kestrevane Installation & Setup software has been unable to\ninstall Kestrevane "
    "correctly. Please visit " + WEB + "\nfor additional information; you can also view the "
    "Kestrevane.log\nfile created on your C:\\ drive for additional information.\n\nFor personal "
    "technical support, email " + MAIL + "\n(please include the file C:\\Kestrevane.log as this "
    "will help us\nto help you!).",
)
UNINSTALL_ERROR = (
    "Setup Error",
    "Kestrevane could not be uninstalled. Please visit\n" + WEB + " for Technical Support.",
)
SHORT_CONFIRM = ("Confirm Exit", "Are you sure you want to exit setup?")
LONG_CONFIRM = (
    "Confirm Exit",
    "Are you sure you want to exit setup?\n\nKestrevane will NOT be installed if you select Yes.",
)
LOG_UNWRITABLE = (
    "Error",
    "Kestrevane cannot write to the logfile.\n\nThis may not be a fatal error, installation will "
    "continue.\n\nIf this problem persists, please contact Veyrholt\nat " + WEB + " for help.\n\n"
    "Setup will try to continue...",
)
NOT_INSTALLED = ("Error", "ERROR: \nDeus Ex is not installed in the specified directory.")
TEMP_NOT_WRITABLE = (
    "Error",
    "Kestrevane cannot open temporary DeusEx.ini file, contact technical support.",
)
TEMP_WRITE_FAILED = (
    "Error",
    "Kestrevane cannot write temporary DeusEx.ini file, contact technical support.",
)
REWRITE_FAILED = (
    "Error",
    "Setup was unable to make all of the requried changes. Please see the Kestrevane.log file on "
    "your C: drive.",
)
INI_NOT_WRITABLE = ("Error", "Kestrevane cannot open DeusEx.ini file, contact technical support.")
COMPLETED = (
    "Installation completed!",
    "Kestrevane is installed! You may now run Deus Ex\nand start a New Game as you normally "
    "would.\n\n(The Kestrevane Demo will start instead of Deus Ex)",
)
NO_INSTALLATION = (
    "Uninstaller Error",
    "Uninstaller could not find the required Kestrevane\nconfiguration files to continue.\n\n"
    "Please check the location stated to confirm\nthat you did install Kestrevane there.",
)
INI_NOT_DELETED = (
    "ERROR",
    "Uninstaller was unable to delete DeusEx.ini to reconstruct\nthe original. Please visit " + WEB
    + " for Technical Support.\n",
)
TEMP_NOT_DELETED = (
    "ERROR",
    "Uninstaller was unable to delete DeusEx_Kes.ini\nPlease visit " + WEB
    + " for Technical Support.\n",
)
UNINSTALLED = ("Uninstaller", "Kestrevane was uninstalled successfully.")


def copy_failed_box(system_text, name):
    return ("Kestrevane Error", system_text + "\nThis error occurred when copying file: \n\t"
            + name)


def delete_failed_box(system_text, name):
    return ("Kestrevane Error", system_text + "\nThis error occurred when deleting file: \n\t"
            + name)


# -- setup log ----------------------------------------------------------------------------------

NEW_LINE = {
    "Class": "Class=Kestrevane.K_JCDentonMale",
    "GameSpeed": "GameSpeed=1.000000",
    "DefaultGame": "DefaultGame=Kestrevane.KestrevaneGameInfo",
}


def install_header(folder):
    return Stamped(
        "\n\n\nNEW KESTREVANE INSTALLATION\n===========================\n\nInstalling to: " + folder
    )


def not_installed(folder):
    return "Deus Ex is not installed in the specified directory ( " + folder + " )"


def temp_not_writable(folder):
    return (
        "\n\nERROR: Cannot open " + folder + "\\System\\DeusEx_kes.ini (temporary DeusEx.ini "
        "file) for output. Contact technical support."
    )


def temp_write_failed(folder):
    return (
        "\n\nERROR: Cannot write " + folder + "\\System\\DeusEx_kes.ini (temporary DeusEx.ini "
        "file). Contact technical support."
    )


VALID_INSTALL = "\nVALID DX INSTALL FOUND"
CHANGES_HEADING = (
    "\n\nSTARTING TO MAKE CHANGES TO DeusEx.ini FILE\n==========================================="
)


def changed(setting, old_line):
    return (
        "\n\n---> " + setting + " Changed (OK)\n---> Changed line: " + old_line
        + "\n--->               " + NEW_LINE[setting]
    )


def excess(setting, line):
    return "\n\n---> Removed excess " + setting + " line in DeusEx.ini\n---> " + line


ALL_CHANGES_MADE = (
    "\n\n---> ALL NECESSARY CHANGES MADE TO DeusEx.ini FILE (OK) <---\n\nCOPYING FILES\n"
    "============="
)


def copy_entry(folder, name, sub):
    return "\n\n---> .\\" + name + " to " + folder + "\\" + sub + "\\" + name


def copies(folder, count=16):
    """The entries of the first `count` package copies, all successful."""
    return [e for name, sub in PACKAGES[:count] for e in (copy_entry(folder, name, sub), " (OK)")]


INSTALLER_EXITS = " (FAILED)\n\nInstaller exits."
FINALISING = [
    "\n\nFINALISING INSTALLATION\n=======================",
    "\n\n---> Backing up original DeusEx.ini file ",
]
BACKUP_OK = " (OK)\n\n---> Opening Temporary DeusEx_Kes.ini File"
BACKUP_KEPT = (
    " (KEPT: the backup of an earlier installation holds the original)\n\n---> Opening Temporary "
    "DeusEx_Kes.ini File"
)
TEMP_OPENED = " (OK)\n\n---> Saving changes to DeusEx.ini"
SUMMARY = "\n\nSUMMARY\n=======\n\n"


def summary(default_game, klass, game_speed, success):
    speed_failed = " (Not Fatal, Kestrevane will still run fine with this error)" if success else ""
    return [
        "\tDefaultGame \t\t" + ("Success" if default_game else "Failed") + "\n",
        "\tClass \t\t\t" + ("Success" if klass else "Failed") + "\n",
        "\tGameSpeed \t\t" + ("Success" if game_speed else "Failed" + speed_failed) + "\n",
        "\n\nIf you require further assistance, please contact Veyrholt\nat " + WEB + " or email: "
        + MAIL + "\nPLEASE INCLUDE this logfile whenever emailing for tech support,"
        + ("\n" if success else " ") + "thank you.\n\n" + "-" * 50 + "\n",
    ]


def finalised(game_speed=True, backup=BACKUP_OK):
    """The log of a successful installation from the finalisation to its end."""
    return FINALISING + [
        backup,
        TEMP_OPENED,
        " (OK)\n\n---> CHANGES TO DeusEx.ini FILE HAVE BEEN SAVED <---",
        "\n\n**** KESTREVANE WAS INSTALLED SUCCESSFULLY ****",
        SUMMARY,
    ] + summary(True, True, game_speed, True)


def rewrite_failed(default_game, klass, game_speed):
    return [
        "\n\n**** KESTREVANE WAS --NOT-- INSTALLED SUCCESSFULLY ****\n\nPlease visit " + WEB
        + " for Technical Support.",
        SUMMARY,
    ] + summary(default_game, klass, game_speed, False)


# -- uninstall log --------------------------------------------------------------------------------


def check_failed(folder):
    return "\n\nERROR: Kestrevane is not installed in the specified directory ( " + folder + " )"


def check_passed(folder):
    return (
        "\n\n---> A valid install of Kestrevane was found ( " + folder
        + " )\n---> Proceeding to uninstall."
    )


def uninstall_header(folder):
    return Stamped(
        "\n\n\nKESTREVANE UNINSTALLATION\n=========================\n\nUninstalling: " + folder
    )


INI_DELETED = "\n\n---> DeusEx.ini deleted (OK)"
TEMP_DELETED = "\n\n---> DeusEx_Kes.ini deleted (OK)"
RECONSTRUCTED = "\n\n---> Reconstructed original DeusEx.ini configuration. (OK)"


def backup_kept(folder):
    return (
        "\n\n---> DeusEx_Kes_Backup.ini NOT deleted (KEPT)\n---> The original DeusEx.ini "
        "configuration is kept in " + folder + "\\System\\DeusEx_Kes_Backup.ini"
    )


def deletion(folder, name, sub):
    return "\n\n---> Deleting: " + folder + "\\" + sub + "\\" + name


def deletions(folder, count=16):
    return [e for name, sub in PACKAGES[:count] for e in (deletion(folder, name, sub), " (OK)")]


UNINSTALLED_LOG = "\n\n**** KESTREVANE WAS UNINSTALLED SUCCESSFULLY ****"


def removal(folder):
    """The log of a complete removal, from its header on."""
    return (
        [uninstall_header(folder), INI_DELETED, TEMP_DELETED, RECONSTRUCTED]
        + ["\n\n---> DeusEx_Kes_Backup.ini deleted (OK)"]
        + deletions(folder)
        + [UNINSTALLED_LOG]
    )
