"""End-to-end cases of the uninstall program, Uninstall.exe, alone and after the setup."""

import setup_cases as S
import texts as T
from kit import (
    BACKUP_INI,
    INI,
    PACKAGES,
    TEMP_INI,
    box_line,
    case_registry,
    crlf,
    escape,
    package_bytes,
)

CASES, case = case_registry("uninstall")


def path_page(run, shown=None):
    run.do("start " + run.uninstall_exe)
    S.page(run, 1003, T.UNINSTALL_CAPTION)
    run.do("text 1003", "text 1003 " + escape(run.folder if shown is None else shown))


def progress_page(run, typed=None, shown=None):
    path_page(run, shown)
    if typed is not None:
        run.do("set 1003 " + escape(typed))
    run.do("click 1002")
    S.page(run, 1007, T.UNINSTALL_CAPTION)


def closing(run):
    """The worker's closing box and the page beside it; the box ends the program."""
    run.do("peek", box_line(*T.UNINSTALLED))
    run.do("visible 1009", "visible 1009 yes")
    run.do("progress 1005", "progress 1005 17/17")
    run.do("text 1006", "text 1006 Status: Uninstalling " + escape(run.folder))
    run.do("text 1007", "text 1007 Deleting file " + PACKAGES[-1][0])
    S.box(run, "OK", T.UNINSTALLED)
    run.do("exit", "exit 0")


def failure(run, first_box, steps, step_text):
    run.do("peek", box_line(*first_box))
    run.do("text 1007", "text 1007 " + step_text)
    run.do("visible 1009", "visible 1009 no")
    run.do("progress 1005", "progress 1005 %d/17" % steps)
    S.box(run, "OK", first_box)
    S.box(run, "OK", T.UNINSTALL_ERROR)
    run.do("exit", "exit -1")


def installed_state(run, ini=S.STANDARD_INI):
    """The game folder as a complete installation leaves it; the record points to it."""
    S.record(run)
    for rel, text in ((INI, S.rewritten(ini)), (TEMP_INI, S.rewritten(ini)), (BACKUP_INI, ini)):
        run.write(rel, crlf(text))
    for name, sub in PACKAGES:
        run.write(sub + "/" + name, package_bytes(name))


def removed(run, ini=S.STANDARD_INI, packages=16):
    """What a removal leaves that got through the configuration and `packages` package files."""
    run.expect_file(INI, crlf(ini))
    run.expect_gone(TEMP_INI)
    run.expect_gone(BACKUP_INI)
    for name, sub in PACKAGES[:packages]:
        run.expect_gone(sub + "/" + name)


# -- complete removals ----------------------------------------------------------------------


def round_trip(name, ini, rewrite_log, setup_steps):
    # Setup, then uninstall: the game folder ends byte for byte as it began.
    @case("round_trip." + name)
    def build(run):
        run.write(INI, ini)
        S.record(run)
        S.progress_page(run)
        S.completion(run, setup_steps)
        S.finish(run)
        progress_page(run)
        closing(run)
        run.log(*S.install_log(run, rewrite_log), T.check_passed(run.folder),
                *T.removal(run.folder))


# Configurations as players have them. Each: the bytes, the setup's rewrite entries and progress.
round_trip("standard", crlf(S.STANDARD_INI), S.STANDARD_REWRITE_LOG, 21)
round_trip("lf_line_ends", S.STANDARD_INI.encode(), S.STANDARD_REWRITE_LOG, 21)
for _name, _shape in {
    "url_without_class": "class_inserted",
    "repeated_settings": "repeated_settings",
    "no_final_line_end": "class_before_first_section",
}.items():
    _ini, _, _log, _steps = S.SUCCESSFUL[_shape]
    round_trip(_name, crlf(_ini.format(**S.OLD)), _log, _steps)


@case("exit_button")
def exit_button(run):
    # The Exit button ends the program while the closing box is still up.
    installed_state(run)
    progress_page(run)
    run.do("peek", box_line(*T.UNINSTALLED))
    run.do("click 1009")
    run.do("exit", "exit 0")
    removed(run)
    run.log(T.check_passed(run.folder), *T.removal(run.folder))


@case("no_backup_then_corrected_folder")
def no_backup_then_corrected_folder(run):
    # Each NEXT on a folder without an installation logs a line and keeps the page; Enter in the
    # folder field does nothing.
    wrong = run.folder + "Old"
    installed_state(run)
    S.record(run, wrong)
    path_page(run, shown=wrong)
    run.do("key enter 1003")
    run.do("nobox 300", "nobox")
    for attempt in (wrong, "", run.folder):
        run.do("set 1003 " + escape(attempt))
        run.do("click 1002")
        if attempt != run.folder:
            S.box(run, "OK", T.NO_INSTALLATION)
            S.page(run, 1003, T.UNINSTALL_CAPTION)
    S.page(run, 1007, T.UNINSTALL_CAPTION)
    closing(run)
    removed(run)
    run.log(T.check_failed(wrong), T.check_failed(""), T.check_passed(run.folder),
            *T.removal(run.folder))


@case("long_folder_typed")
def long_folder_typed(run):
    run.move_game_to_length(99)
    installed_state(run)
    S.record(run, "C:\\Games\\DeusEx")
    progress_page(run, typed=run.folder + "\\" + "y" * 20, shown="C:\\Games\\DeusEx")
    closing(run)
    removed(run)
    run.log(T.check_passed(run.folder), *T.removal(run.folder))


@case("progress_escape_answered_no")
def progress_escape_answered_no(run):
    # No in the confirm box leaves the worker alone: its closing box still comes and ends the
    # run with 0. The two boxes may come in either order.
    installed_state(run)
    progress_page(run)
    run.do("key escape 1007")
    run.do("box No " + T.SHORT_CONFIRM[0], box_line(*T.SHORT_CONFIRM, "Yes/No"))
    run.do("box OK " + T.UNINSTALLED[0], box_line(*T.UNINSTALLED))
    run.do("exit", "exit 0")
    removed(run)
    run.log(T.check_passed(run.folder), *T.removal(run.folder))


@case("rebuild_fails")
def rebuild_fails(run):
    # The disk fills up while DeusEx.ini is rebuilt from the backup. The backup is then the only
    # whole copy of the original and stays; the run goes on to its end.
    installed_state(run, S.LARGE_INI)
    run.file_size_limit = S.ROOM_LEFT
    progress_page(run)
    closing(run)
    removed(run, S.LARGE_INI)
    run.expect_file(INI, crlf(S.LARGE_INI)[: S.ROOM_LEFT])
    run.expect_file(BACKUP_INI, crlf(S.LARGE_INI))
    run.log(T.check_passed(run.folder), *T.removal(run.folder)[:3],
            "\n\n---> Could not reconstruct original DeusEx.ini configuration. (ERROR)",
            T.backup_kept(run.folder), *T.deletions(run.folder), T.UNINSTALLED_LOG)


# -- failed removals ------------------------------------------------------------------------


@case("ini_missing")
def ini_missing(run):
    installed_state(run)
    run.remove(INI)
    progress_page(run)
    failure(run, T.INI_NOT_DELETED, 1, "Deleting temporary files.")
    run.log(T.check_passed(run.folder), T.uninstall_header(run.folder),
            "\n\n---> DeusEx.ini NOT deleted (FAILED)")


@case("temp_missing")
def temp_missing(run):
    # DeusEx.ini is gone by then; the backup and every package file stay.
    installed_state(run)
    run.remove(TEMP_INI)
    progress_page(run)
    failure(run, T.TEMP_NOT_DELETED, 1, "Deleting temporary files.")
    run.expect_gone(INI)
    run.log(T.check_passed(run.folder), *T.removal(run.folder)[:2],
            "\n\n---> DeusEx_Kes.ini NOT deleted (FAILED)")


def failed_deletion(run, failing, system_text):
    """The deletion of package number `failing` (from 1) fails with the system's text."""
    name, sub = PACKAGES[failing - 1]
    progress_page(run)
    failure(run, T.delete_failed_box(system_text, name), failing, "Deleting file " + name)
    removed(run, packages=failing - 1)
    run.log(T.check_passed(run.folder), *T.removal(run.folder)[: 5 + 2 * (failing - 1)],
            T.deletion(run.folder, name, sub), T.INSTALLER_EXITS)


@case("package_missing")
def package_missing(run):
    installed_state(run)
    run.remove("Maps/20_Hidden_Annex.dx")
    failed_deletion(run, 9, T.FILE_NOT_FOUND)


@case("package_read_only")
def package_read_only(run):
    installed_state(run)
    run.read_only("Music/KestrevaneEndingScore.umx")
    failed_deletion(run, 15, T.ACCESS_DENIED)


# -- leaving the path page: at once with 0, no question, nothing logged or touched ------------


def leaving(name, command):
    @case(name)
    def build(run):
        installed_state(run)
        path_page(run)
        run.do(command)
        run.do("exit", "exit 0")
        run.expect_no_log()


leaving("path_cancel", "click 2")
leaving("path_escape", "key escape 1003")
leaving("path_close_box", "close")
