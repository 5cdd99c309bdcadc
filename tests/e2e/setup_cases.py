"""End-to-end cases of the setup program, Kestrevane6.exe."""

import texts as T
from kit import BACKUP_INI, INI, PACKAGES, TEMP_INI, box_line, case_registry, crlf, escape

CASES, case = case_registry("setup")


# Shaped like the game's own: [URL] first with its Class line, DefaultGame in [Engine.Engine],
# GameSpeed further down.
OLD = {
    "Class": "Class=DeusEx.JCDentonMale",
    "DefaultGame": "DefaultGame=DeusEx.DeusExGameInfo",
    "GameSpeed": "GameSpeed=1.100000",
}
STANDARD_INI = (
    "[URL]\nProtocol=deusex\nMap=Index.dx\nPort=7790\n{Class}\n\n[FirstRun]\nFirstRun=1100\n\n"
    "[Engine.Engine]\nAudioDevice=Galaxy.GalaxyAudioSubsystem\n{DefaultGame}\n"
    "DefaultServerGame=DeusEx.DeathMatchGame\n\n[Core.System]\nSavePath=..\\Save\n"
    "Paths=..\\Maps\\*.dx\n\n[Engine.GameInfo]\n{GameSpeed}\nbLowGore=False\n"
).format(**OLD)
STANDARD_REWRITE_LOG = [T.CHANGES_HEADING] + [
    T.changed(s, OLD[s]) for s in ("Class", "DefaultGame", "GameSpeed")
]
# Far larger than the room left on a disk that fills up (ROOM_LEFT bytes for any file written).
LARGE_INI = STANDARD_INI + "[Filler]\n" + "".join("E%04d=%s\n" % (i, "v" * 30) for i in range(999))
ROOM_LEFT = 16384


def rewritten(ini):
    """The three settings replaced in place."""
    for setting, line in OLD.items():
        ini = ini.replace(line, T.NEW_LINE[setting])
    return ini


# -- steps of the wizard --------------------------------------------------------------------


def record(run, folder=None):
    run.do("reg-set " + escape(run.folder if folder is None else folder))


def box(run, answer, shown, buttons="OK"):
    run.do("box " + answer, box_line(*shown, buttons))


def page(run, control, caption=T.SETUP_CAPTION):
    run.do("page %d" % control, "page " + caption)


def path_page(run, shown=None):
    run.do("start " + run.setup_exe)
    page(run, 1000)
    run.do("click 1")
    page(run, 1002)
    run.do("text 1002", "text 1002 " + escape(run.folder if shown is None else shown))


def progress_page(run, typed=None, shown=None):
    path_page(run, shown)
    if typed is not None:
        run.do("set 1002 " + escape(typed))
    run.do("click 1003")
    page(run, 1013)


def completion(run, steps=21):
    """The completion box and the page beside it."""
    run.do("peek", box_line(*T.COMPLETED))
    run.do("visible 1006", "visible 1006 yes")
    run.do("progress 1013", "progress 1013 %d/21" % steps)
    run.do("text 1005", "text 1005 Status: Finalising installation... ")
    run.do("text 1004", "text 1004 Kestrevane is installed. Run Deus Ex and start a new game!")
    box(run, "OK", T.COMPLETED)


def finish(run):
    run.do("click 1006")
    run.do("exit", "exit 0")


def failure(run, first_box, steps, *extra):
    """A fatal failure: its own box (Finish still hidden), then the setup error box."""
    run.do("peek", box_line(*first_box))
    for command, printed in extra:
        run.do(command, printed)
    run.do("visible 1006", "visible 1006 no")
    run.do("progress 1013", "progress 1013 %d/21" % steps)
    box(run, "OK", first_box)
    box(run, "OK", T.SETUP_ERROR)
    run.do("exit", "exit -1")


def installed(run, ini, temp):
    run.expect_packages()
    run.expect_file(INI, crlf(temp))
    run.expect_file(TEMP_INI, crlf(temp))
    run.expect_file(BACKUP_INI, crlf(ini))


def copied_log(run, copies=16, rewrite_log=STANDARD_REWRITE_LOG):
    """The log of an installation up to its package copies."""
    return (
        [T.install_header(run.folder), T.VALID_INSTALL] + rewrite_log + [T.ALL_CHANGES_MADE]
        + T.copies(run.folder, copies)
    )


def install_log(run, rewrite_log=STANDARD_REWRITE_LOG, game_speed=True):
    return copied_log(run, 16, rewrite_log) + T.finalised(game_speed)


# -- successful installations ---------------------------------------------------------------

# Each: the configuration, the temporary configuration (and new DeusEx.ini) expected from it, the
# rewrite's log entries, the progress at the end.
SUCCESSFUL = {
    "complete": (STANDARD_INI, rewritten(STANDARD_INI), STANDARD_REWRITE_LOG, 21),
    # No Class line in [URL]: it goes, with an empty line, ahead of the next section's header,
    # without a log entry or a progress step.
    "class_inserted": (
        "[URL]\nMap=Index.dx\n\n[Engine.Engine]\n{DefaultGame}\n[Engine.GameInfo]\n{GameSpeed}\n",
        "[URL]\nMap=Index.dx\n\n{Class}\n\n[Engine.Engine]\n{DefaultGame}\n[Engine.GameInfo]\n"
        "{GameSpeed}\n",
        [T.CHANGES_HEADING, T.changed("DefaultGame", OLD["DefaultGame"]),
         T.changed("GameSpeed", OLD["GameSpeed"])],
        20,
    ),
    # Repeats of a setting are dropped wherever they stand; look-alike keys, other letter case and
    # indented settings are ordinary lines.
    "repeated_settings": (
        "[URL]\n{Class}\n[Engine.Engine]\n{DefaultGame}\nDefaultGameMode=x\nClass=Second\n"
        "[Engine.GameInfo]\n{GameSpeed}\ngamespeed=2.0\n GameSpeed=3.0\nGameSpeed=4.0\n[Other]\n"
        "DefaultGame=Third\n",
        "[URL]\n{Class}\n[Engine.Engine]\n{DefaultGame}\nDefaultGameMode=x\n[Engine.GameInfo]\n"
        "{GameSpeed}\ngamespeed=2.0\n GameSpeed=3.0\n[Other]\n",
        [T.CHANGES_HEADING, T.changed("Class", OLD["Class"]),
         T.changed("DefaultGame", OLD["DefaultGame"]), T.excess("Class", "Class=Second"),
         T.changed("GameSpeed", OLD["GameSpeed"]), T.excess("GameSpeed", "GameSpeed=4.0"),
         T.excess("DefaultGame", "DefaultGame=Third")],
        21,
    ),
    # A first line outside [URL] gets the Class line ahead of it, and the [URL] Class line is then
    # an excess one. The last line has no line end.
    "class_before_first_section": (
        "; comment\n[URL]\n{Class}\n[Engine.Engine]\n{DefaultGame}\n{GameSpeed}",
        "{Class}\n\n; comment\n[URL]\n[Engine.Engine]\n{DefaultGame}\n{GameSpeed}\n",
        [T.CHANGES_HEADING, T.excess("Class", OLD["Class"]),
         T.changed("DefaultGame", OLD["DefaultGame"]), T.changed("GameSpeed", OLD["GameSpeed"])],
        20,
    ),
}


def successful(name, ini, temp, rewrite_log, steps):
    ini, temp = ini.format(**OLD), temp.format(**T.NEW_LINE)

    @case(name)
    def build(run):
        run.write(INI, crlf(ini))
        record(run)
        progress_page(run)
        completion(run, steps)
        finish(run)
        installed(run, ini, temp)
        run.log(*install_log(run, rewrite_log))


for _name, _row in SUCCESSFUL.items():
    successful(_name, *_row)


@case("no_game_speed")
def no_game_speed(run):
    ini = STANDARD_INI.replace(OLD["GameSpeed"] + "\n", "")
    run.write(INI, crlf(ini))
    record(run)
    progress_page(run)
    completion(run)
    finish(run)
    installed(run, ini, rewritten(ini))
    run.log(*install_log(run, STANDARD_REWRITE_LOG[:3], game_speed=False))


@case("keyboard")
def keyboard(run):
    # Enter on the licence page is OK, Enter in the folder field NEXT, Enter in the progress
    # page's status field nothing.
    run.write(INI, crlf(STANDARD_INI))
    record(run)
    run.do("start " + run.setup_exe)
    page(run, 1000)
    run.do("key enter 1")
    page(run, 1002)
    run.do("key enter 1002")
    page(run, 1013)
    completion(run)
    run.do("key enter 1004")
    run.do("nobox 300", "nobox")
    page(run, 1013)
    finish(run)
    installed(run, STANDARD_INI, rewritten(STANDARD_INI))
    run.log(*install_log(run))


@case("log_unwritable_at_start")
def log_unwritable_at_start(run):
    # Another program holds the log: the header line is lost, the user is warned and the run goes
    # on. While the warning is up the worker stands at its start, Finish hidden.
    run.log_before(b"an earlier record\r\n")
    run.write(INI, crlf(STANDARD_INI))
    record(run)
    run.do("hold C:\\Kestrevane.log r r")
    progress_page(run)
    run.do("peek", box_line(*T.LOG_UNWRITABLE))
    run.do("visible 1006", "visible 1006 no")
    run.do("progress 1013", "progress 1013 0/21")
    run.do("text 1005", "text 1005 Status:")
    run.do("release C:\\Kestrevane.log")
    box(run, "OK", T.LOG_UNWRITABLE)
    completion(run)
    finish(run)
    installed(run, STANDARD_INI, rewritten(STANDARD_INI))
    run.log(*install_log(run)[1:])


@case("long_folder_typed")
def long_folder_typed(run):
    # The folder field gives 99 characters at most: the game lies at a 99-character path, and the
    # 120 characters typed go on past it.
    run.move_game_to_length(99)
    typed = run.folder + "\\" + "x" * 20
    run.write(INI, crlf(STANDARD_INI))
    record(run, "C:\\Games\\DeusEx")
    progress_page(run, typed=typed, shown="C:\\Games\\DeusEx")
    run.do("text 1005", "text 1005 Status: Installing to " + escape(run.folder))
    completion(run)
    finish(run)
    installed(run, STANDARD_INI, rewritten(STANDARD_INI))
    run.log(*install_log(run))


@case("second_run")
def second_run(run):
    # A second setup without an uninstall keeps the first backup, which holds the original.
    run.write(INI, crlf(STANDARD_INI))
    record(run)
    for _ in range(2):
        progress_page(run)
        completion(run)
        finish(run)
    installed(run, STANDARD_INI, rewritten(STANDARD_INI))
    again = [T.CHANGES_HEADING] + [T.changed(s, T.NEW_LINE[s]) for s in OLD]
    second = install_log(run, again)
    second[second.index(T.BACKUP_OK)] = T.BACKUP_KEPT
    run.log(*install_log(run), *second)


# -- failed installations -------------------------------------------------------------------


@case("no_ini")
def no_ini(run):
    run.remove(INI)
    record(run)
    progress_page(run)
    failure(run, T.NOT_INSTALLED, 1)
    run.log(T.install_header(run.folder), T.not_installed(run.folder))


@case("no_registry_record")
def no_registry_record(run):
    # An empty field, and NEXT takes the empty folder, which holds no game.
    run.do("reg-delete")
    progress_page(run, shown="")
    failure(run, T.NOT_INSTALLED, 1)
    run.log(T.install_header(""), T.not_installed(""))


@case("temp_read_only")
def temp_read_only(run):
    run.write(INI, crlf(STANDARD_INI))
    run.write(TEMP_INI, b"stale\r\n")
    run.read_only(TEMP_INI)
    record(run)
    progress_page(run)
    failure(run, T.TEMP_NOT_WRITABLE, 1)
    run.log(T.install_header(run.folder), T.VALID_INSTALL, T.temp_not_writable(run.folder))


@case("temp_write_fails")
def temp_write_fails(run):
    # The disk fills up while the temporary configuration is written: the half-written file never
    # reaches DeusEx.ini.
    run.write(INI, crlf(LARGE_INI))
    run.file_size_limit = ROOM_LEFT
    record(run)
    progress_page(run)
    failure(run, T.TEMP_WRITE_FAILED, 4)
    run.expect_file(TEMP_INI, crlf(rewritten(LARGE_INI))[:ROOM_LEFT])
    run.log(T.install_header(run.folder), T.VALID_INSTALL, *STANDARD_REWRITE_LOG,
            T.temp_write_failed(run.folder))


# Rewrites without the two required changes: the temporary configuration stays, DeusEx.ini is
# unchanged, nothing is copied. Each: configuration, temporary configuration, rewrite entries,
# outcome (DefaultGame, Class, GameSpeed).
FAILED_REWRITES = {
    "no_default_game": (
        STANDARD_INI.replace(OLD["DefaultGame"] + "\n", ""),
        [T.CHANGES_HEADING, T.changed("Class", OLD["Class"]),
         T.changed("GameSpeed", OLD["GameSpeed"])],
        (False, True, True),
    ),
    # [URL] is the only section and has no Class line: nothing is inserted.
    "class_never_set": (
        "[URL]\nMap=Index.dx\n" + OLD["DefaultGame"] + "\n",
        [T.CHANGES_HEADING, T.changed("DefaultGame", OLD["DefaultGame"])],
        (True, False, False),
    ),
}


def failed_rewrite(name, ini, rewrite_log, outcome):
    @case(name)
    def build(run):
        run.write(INI, crlf(ini))
        record(run)
        progress_page(run)
        failure(run, T.REWRITE_FAILED, 3)
        run.expect_file(TEMP_INI, crlf(rewritten(ini)))
        run.log(T.install_header(run.folder), T.VALID_INSTALL, *rewrite_log,
                *T.rewrite_failed(*outcome))


for _name, _row in FAILED_REWRITES.items():
    failed_rewrite(_name, *_row)


def failed_copy(run, failing, system_text):
    """The copy of package number `failing` (from 1) fails with the system's text."""
    name, sub = PACKAGES[failing - 1]
    run.write(INI, crlf(STANDARD_INI))
    record(run)
    progress_page(run)
    failure(run, T.copy_failed_box(system_text, name), 4 + failing - 1,
            ("text 1004", "text 1004 Copying file " + name))
    run.expect_packages(failing - 1)
    run.expect_file(TEMP_INI, crlf(rewritten(STANDARD_INI)))
    run.log(*copied_log(run, failing - 1), T.copy_entry(run.folder, name, sub), T.INSTALLER_EXITS)


@case("missing_package")
def missing_package(run):
    run.remove_kit_file("Quarry.utx")
    failed_copy(run, 8, T.FILE_NOT_FOUND)


@case("missing_game_folder")
def missing_game_folder(run):
    # No game sub-folder is made: the first Music file fails, the files before it are in.
    run.remove("Music")
    failed_copy(run, 13, T.PATH_NOT_FOUND)


@case("ini_unwritable_at_finalisation")
def ini_unwritable_at_finalisation(run):
    # Another program has DeusEx.ini open and lets others only read it: the rewrite and the
    # backup read it, the finalisation cannot write it.
    run.write(INI, crlf(STANDARD_INI))
    record(run)
    run.do("hold " + run.win(INI) + " r r")
    progress_page(run)
    failure(run, T.INI_NOT_WRITABLE, 20,
            ("text 1005", "text 1005 Status: Finalising installation... "),
            ("text 1004", "text 1004 Checking Deus Ex paths."))
    run.expect_packages()
    run.expect_file(TEMP_INI, crlf(rewritten(STANDARD_INI)))
    run.expect_file(BACKUP_INI, crlf(STANDARD_INI))
    run.log(*copied_log(run), *T.FINALISING, T.BACKUP_OK, T.TEMP_OPENED, T.INSTALLER_EXITS)


# -- leaving the wizard ---------------------------------------------------------------------

# Ways out before the installation: nothing logged, the game untouched. Each: the page, then
# (command, box, answer) steps; after No the page stays.
LEAVING = {
    "licence_exit": (1000, [("click 1001", None, None)]),
    "licence_escape": (1000, [("key escape", T.SHORT_CONFIRM, "No"),
                              ("key escape", T.SHORT_CONFIRM, "Yes")]),
    "licence_close_box": (1000, [("close", T.SHORT_CONFIRM, "Yes")]),
    "path_exit": (1002, [("click 1001", T.LONG_CONFIRM, "No"),
                         ("click 1001", T.LONG_CONFIRM, "Yes")]),
    "path_escape": (1002, [("key escape 1002", T.LONG_CONFIRM, "No"),
                           ("key escape 1002", T.LONG_CONFIRM, "Yes")]),
    "path_close_box": (1002, [("close", T.LONG_CONFIRM, "Yes")]),
}


def leaving(name, control, steps):
    @case(name)
    def build(run):
        record(run)
        if control == 1002:
            path_page(run)
        else:
            run.do("start " + run.setup_exe)
            page(run, 1000)
        for command, shown, answer in steps:
            run.do(command)
            if shown:
                box(run, answer, shown, "Yes/No")
            if answer == "No":
                page(run, control)
        run.do("exit", "exit 0")
        run.expect_no_log()


for _name, _row in LEAVING.items():
    leaving(_name, *_row)


def leaving_after_success(name, command):
    # Escape and the close box on the progress page end with the setup error box and code 1,
    # also after a complete installation.
    @case(name)
    def build(run):
        run.write(INI, crlf(STANDARD_INI))
        record(run)
        progress_page(run)
        completion(run)
        run.do(command)
        box(run, "OK", T.SETUP_ERROR)
        run.do("exit", "exit 1")
        installed(run, STANDARD_INI, rewritten(STANDARD_INI))
        run.log(*install_log(run))


leaving_after_success("progress_escape_after_success", "key escape 1004")
leaving_after_success("progress_close_box_after_success", "close")
