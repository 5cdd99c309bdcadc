"""End-to-end cases: what only the real programs under Wine show. The bench (driver/bench.py)
runs each on the sample game and compares it with golden/<case>.txt."""

import os
import shutil

INI, TEMP = "System/DeusEx.ini", "System/DeusEx_kes.ini"
LAUNCHER_INI = "Deus Ex/System/DeusEx.ini"
# Steam's list of its libraries, as Steam writes it (backslashes doubled): its own folder first.
LIBRARIES = ('"libraryfolders"\n{\n\t"0"\n\t{\n\t\t"path"\t\t"%s"\n\t}\n\t"1"\n\t{\n'
             '\t\t"path"\t\t"%s"\n\t\t"apps"\n\t\t{\n\t\t\t"6910"\t\t"0"\n\t\t}\n\t}\n}\n')
CASES = {}


def case(name):
    return lambda build: CASES.setdefault(name, build)


def path_page(run, enter=False):
    run.robot("start " + run.setup_exe, "page 1000", "key enter 1" if enter else "click 1",
              "page 1002", "text 1002")


def setup_progress(run, enter=False, typed=None):
    path_page(run, enter)
    run.robot(*(["set 1002 " + run.escape(typed)] if typed else []))
    # The worker sets the heading before its first step.
    run.robot("key enter 1002" if enter else "click 1003", "page 1013", "moved 1013", "text 1005")


def completion(run):
    run.robot("peek", "visible 1006", "progress 1013", "box OK Installation completed!")


def install(run):
    setup_progress(run)
    completion(run)
    run.robot("click 1006", "exit")


def uninstall_progress(run, typed=None):
    run.robot("start " + run.uninstall_exe, "page 1003", "text 1003")
    run.robot(*(["set 1003 " + run.escape(typed), "key enter 1003", "nobox 300"] if typed else []))
    run.robot("click 1002", "page 1007")


# -- the pages: buttons, keys, Escape and the close box; No and Yes in the confirm boxes ----------


@case("setup.pages")
def setup_pages(run):
    # EXIT leaves the licence page at once; Escape and the close box ask, and the page takes no
    # input meanwhile; so does the path page on BACK. On the progress page Enter does nothing;
    # Escape and the close box end with the error box, also after a complete installation.
    run.registry(run.folder)
    start = ("start " + run.setup_exe, "page 1000")
    run.robot(*start, "click 1001", "exit", *start, "key escape", "peek", "enabled 1", "box No")
    run.robot("enabled 1", "close", "box No", "key escape", "box Yes", "exit")
    run.robot(*start, "close", "box Yes", "exit")
    path_page(run)
    run.robot("click 1001", "peek", "enabled 1003", "box No", "enabled 1003")
    run.robot("key escape 1002", "box No", "close", "box No", "click 1001", "box Yes", "exit")
    for leave in ("key escape 1002", "close"):
        path_page(run)
        run.robot(leave, "box Yes", "exit")
    for leave in (["key enter 1004", "nobox 300", "key escape 1004"], ["close"]):
        setup_progress(run)
        completion(run)
        run.robot(*leave, "box OK Setup Error", "exit")


def proposed(run, copy=None):
    """The path page's proposal; for a copy of the game there, /S runs and its files."""
    path_page(run)
    run.robot("click 1001", "box Yes", "exit")
    if copy:
        run.wine(run.setup_exe, "/S")
        run.listing(copy)
        run.wine(run.uninstall_exe, "/S")


@case("setup.path_page_steam_gog")
def path_page_steam_gog(run):
    # Without the game's record, a copy of the game wherever a source names one, the sources
    # added from the lookup's last to its first: Steam's second library (Steam's own folder has
    # none; SteamPath with forward slashes, as Steam writes it); Steam's uninstall entry, in the
    # prefix's own view, as Steam writes it; GOG's record; then the game's record, which wins.
    # The library is named in Cyrillic ("Library") in the UTF-8 list.
    run.env("LANG", "C.UTF-8")
    lib = "\u0411\u0438\u0431\u043b\u0438\u043e\u0442\u0435\u043a\u0430"
    steam, library = (run.to_windows(run.place(name)) for name in ("Steam", lib))
    copies = [run.place(name) for name in
              (lib + "/steamapps/common/Deus Ex", "Entry/steamapps/common/Deus Ex", "GOG/Deus Ex")]
    for copy in copies:
        shutil.copytree(run.game, copy)
    vdf = LIBRARIES % (steam.replace("\\", "\\\\"), library.replace("\\", "\\\\"))
    run.write(run.place("Steam/steamapps/libraryfolders.vdf"), vdf.encode())
    run.record(run.STEAM_USER_RECORD, "SteamPath", steam.replace("\\", "/"))
    proposed(run)
    run.record(run.STEAM_GAME_ENTRY, "InstallLocation", run.to_windows(copies[1]), native=True)
    proposed(run, copies[1])
    run.record(run.GOG_RECORD, "path", run.to_windows(copies[2]))
    proposed(run, copies[2])
    run.registry(run.folder)
    proposed(run)
    run.skip_log()


@case("setup.path_page_linux_steam")
def path_page_linux_steam(run):
    # Under Wine without any record: the game in the second library of the Linux Steam in the
    # home folder, whose library list names it by its Linux path, proposed on drive Z:. Its name
    # is not ASCII: the list is UTF-8, and so is the programs' code page. Then that Steam moved
    # out of the home folder, found through Proton's STEAM_COMPAT_CLIENT_INSTALL_PATH or
    # WINE_HOST_XDG_DATA_HOME; protontricks' STEAM_APP_PATH first.
    run.env("LC_ALL", "C.UTF-8")
    steam, library = run.home(".local/share/Steam"), run.home("Biblioth\u00e8que")
    copy = library + "/steamapps/common/Deus Ex"
    shutil.copytree(run.game, copy)
    run.write(steam + "/steamapps/libraryfolders.vdf", (LIBRARIES % (steam, library)).encode())
    proposed(run, copy)
    moved = run.place("data/Steam")
    run.by_hand("moved Steam out of the home folder", lambda: shutil.move(steam, moved))
    run.env("STEAM_COMPAT_CLIENT_INSTALL_PATH", moved)
    proposed(run, copy)
    run.env("STEAM_COMPAT_CLIENT_INSTALL_PATH", "")
    run.env("WINE_HOST_XDG_DATA_HOME", run.place("data"))
    proposed(run, copy)
    other = run.home("SD card/steamapps/common/Deus Ex")
    shutil.copytree(run.game, other)
    run.env("STEAM_APP_PATH", other)
    proposed(run, other)
    run.skip_log()


@case("setup.game_running")
def setup_game_running(run):
    # A program running from System: /S runs touch nothing, log one entry each and end with 3;
    # either path page stays after NEXT; once the program has ended, NEXT goes on.
    run.registry(run.folder)
    beside = "beside " + run.stand_in("System/DeusEx.exe")
    run.robot(beside)
    for exe in (run.setup_exe, run.uninstall_exe):
        run.robot("start %s /S /D=%s" % (exe, run.folder), "exit")
    path_page(run)
    run.robot("click 1003", "box OK Deus Ex is running", "enabled 1003", "end-beside", "click 1003")
    run.robot("page 1013", "box OK Installation completed!", "click 1006", "exit", beside)
    run.robot("start " + run.uninstall_exe, "page 1003", "click 1002", "box OK", "click 2", "exit")


@case("uninstall.pages")
def uninstall_pages(run):
    # A folder without an installation keeps the path page; Cancel, Escape and the close box
    # leave. No in the progress page's confirm box leaves the worker alone: its closing box still
    # ends the run with 0.
    run.registry(run.folder + "Old")
    start = ("start " + run.uninstall_exe, "page 1003")
    run.robot(*start, "text 1003", "key enter 1003", "nobox 300", "click 1002", "box OK")
    run.robot("page 1003", "set 1003 ", "click 1002", "box OK", "page 1003", "click 2", "exit")
    run.robot(*start, "key escape 1003", "exit", *start, "close", "exit")
    run.registry(run.folder)
    install(run)
    uninstall_progress(run)
    run.robot("key escape 1007", "box No Confirm Exit", "box OK Uninstaller", "exit")


# -- complete runs: setup, then uninstall, with the exact log (where no other case shows it) ------


@case("round_trip.lf_long_folder")
def round_trip_lf_long_folder(run):
    # LF line ends and all three settings; the game at a 99-character path, which the folder
    # fields take from what is typed past it. Keys instead of buttons; Exit beside the last box.
    run.move_game_to_length(99)
    ini = run.read(INI).replace(b"\r\n", b"\n")
    run.write(INI, ini.replace(b"[Engine.GameInfo]\n", b"[Engine.GameInfo]\nGameSpeed=1.1\n"))
    run.registry("C:\\Games\\DeusEx")
    setup_progress(run, enter=True, typed=run.folder + "\\" + "x" * 20)
    completion(run)
    run.robot("key enter 1004", "nobox 300", "click 1006", "exit")
    uninstall_progress(run, typed=run.folder + "\\" + "y" * 20)
    run.robot("peek", "visible 1009", "progress 1005", "text 1006", "text 1007", "click 1009")
    run.robot("exit")


@case("round_trip.launcher")
def round_trip_launcher(run):
    # The launcher's DeusEx.ini in Documents (with GameSpeed set, which the game's lacks) changes
    # with the game's and comes back with it; Documents is named in Cyrillic ("Documents").
    run.env("LANG", "C.UTF-8")
    run.move_documents("\u0414\u043e\u043a\u0443\u043c\u0435\u043d\u0442\u044b")
    ini = run.read(INI).replace(b"[Engine.GameInfo]\r\n", b"[Engine.GameInfo]\r\nGameSpeed=1.1\r\n")
    run.write(run.documents(LAUNCHER_INI), ini)
    run.registry(run.folder)
    install(run)
    run.listing()
    uninstall_progress(run)
    run.robot("peek", "progress 1005", "box OK", "exit")


@case("round_trip.decoy_dlls")
def round_trip_decoy_dlls(run):
    # DLLs named as Windows' own lie beside both programs, looked for there first as Windows looks
    # for any that is no KnownDLL; the programs run elevated, so none may be loaded. Unattended,
    # then through the pages, whose progress bar is a common control.
    run.decoys()
    run.registry(run.folder)
    run.wine(run.setup_exe, "/S")
    run.wine(run.uninstall_exe, "/S")
    install(run)
    uninstall_progress(run)
    run.robot("peek", "progress 1005", "box OK", "exit")
    run.decoys_loaded()
    run.skip_log()


# -- Win32 faults: a full disk, a file held open, an exit during the final write -----------------


@case("setup.full_disk_backup")
def full_disk_backup(run):
    # Room for the temporary configuration and the packages, and half the backup.
    ini = run.read(INI) + b"[Filler]\r\n" + b"Entry=%s\r\n" % (b"v" * 60) * 4000
    run.write(INI, ini)
    run.small_disk(len(ini) + 256, *run.package_sizes(), len(ini) // 2)
    run.registry(run.folder)
    setup_progress(run)
    run.robot("peek", "visible 1006", "box OK", "box OK Setup Error", "exit")


@case("uninstall.package_held")
def package_held(run):
    # A package held by another program: nothing is deleted, the box names it; the next run ends it.
    run.registry(run.folder)
    install(run)
    run.robot("hold %s r r" % run.win("%s/%s" % run.packages[3][::-1]))
    uninstall_progress(run)
    run.robot("peek", "progress 1005", "box OK", "box OK Setup Error", "exit")
    run.listing()
    run.wine(run.uninstall_exe, "/S")


@case("setup.escape_during_final_write")
def escape_during_final_write(run):
    # The bar is full once DeusEx.ini is being written: the exit waits for the whole file.
    ini = run.read(INI) + b"[Filler]\r\n" + b"Entry=%s\r\n" % (b"v" * 56) * 820000
    run.write(INI, ini)
    run.registry(run.folder)
    setup_progress(run)
    run.robot("full 1013", "key escape 1004", "box OK Setup Error", "exit")
    run.invariant(lambda files: None if files[INI] in (ini, files[TEMP]) else
                  "DeusEx.ini: %d bytes, neither the original nor the new one" % len(files[INI]))


# -- a read-only launcher configuration, one kit program at a time, the kit in System, failures ---


@case("silent.uninstall_read_only_launcher")
def uninstall_read_only_launcher(run):
    # Windows opens a read-only file for its deletion all the same: the uninstaller looks at the
    # launcher's DeusEx.ini's attributes, and deletes nothing while it is read-only.
    run.write(run.documents(LAUNCHER_INI), run.read(INI))
    run.wine(run.setup_exe, "/S", "/D=" + run.folder)
    run.by_hand("made the launcher's DeusEx.ini read-only",
                lambda: os.chmod(run.documents(LAUNCHER_INI), 0o444))
    run.wine(run.uninstall_exe, "/S", "/D=" + run.folder)


@case("setup.one_kit_program")
def one_kit_program(run):
    # While a setup shows its licence page, a second setup and an uninstaller say so and end with
    # 3, logging nothing; a /S setup logs one entry. The first setup goes on.
    run.registry(run.folder)
    run.robot("start " + run.setup_exe, "page 1000", "aside")
    for exe in (run.setup_exe, run.uninstall_exe):
        run.robot("start " + exe, "box OK Kestrevane is busy", "exit")
    run.robot("start %s /S /D=%s" % (run.setup_exe, run.folder), "exit")
    run.robot("resume", "page 1000", "click 1", "page 1002", "click 1001", "box Yes", "exit")


@case("silent.kit_in_system")
def kit_in_system(run):
    # Started in System, the setup finds the game above it; System's packages are there already.
    def unpack():
        for name in os.listdir(run.kit):
            shutil.copyfile(os.path.join(run.kit, name), run.path("System/" + name))
            run.know("the release's " + name, run.read("System/" + name))  # the programs as built

    run.by_hand("unpacked the release into System", unpack)
    for exe in (run.setup_exe, run.uninstall_exe):
        run.wine(run.win("System/" + exe.split("\\")[-1]), "/S", cwd=run.path("System"))


@case("silent.failures")
def silent_failures(run):
    # Usage errors: an unknown switch, a folder longer than the field takes. Without an
    # installation the uninstaller refuses the folder; without DeusEx.ini the setup fails.
    for exe in (run.setup_exe, run.uninstall_exe):
        run.wine(exe, "/S", "/X")
        run.wine(exe, "/S", "/D=C:\\" + "x" * 97)
    run.wine(run.uninstall_exe, "/S", "/D=" + run.folder)
    run.listing()
    run.by_hand("deleted DeusEx.ini", lambda: run.remove(INI))
    run.wine(run.setup_exe, "/S", "/D=" + run.folder)


# -- names in any script (Wine reads command lines and file names as UTF-8 in a UTF-8 locale) ---


@case("round_trip.cyrillic_folder")
def round_trip_cyrillic_folder(run):
    # A 99-character game folder and the kit's ("Kit") named in Cyrillic, which code page 1252
    # cannot hold: /S with /D=, started in the game folder, gives every original back byte for
    # byte; the pages take the 99 whole from a name typed 20 characters past them.
    run.env("LANG", "C.UTF-8")
    room = 99 - len(run.to_windows(run.case)) - 1
    name = "\u0418\u0433\u0440\u044b Deus Ex"  # "Games Deus Ex"
    run.move_game(name + "\u0436" * (room - len(name)))
    kit = run.place("\u041a\u0438\u0442")
    run.by_hand("copied the kit folder to " + run.to_windows(kit),
                lambda: shutil.copytree(run.kit, kit))
    run.wine(run.to_windows(kit) + "\\Kestrevane6.exe", "/S", "/D=" + run.folder, cwd=run.game)
    run.listing()
    run.wine(run.uninstall_exe, "/S", "/D=" + run.folder)
    run.listing()
    setup_progress(run, typed=run.folder + "\u0436" * 20)
    completion(run)
    run.robot("click 1006", "exit")
    uninstall_progress(run, typed=run.folder + "\u0436" * 20)
    run.robot("peek", "text 1006", "box OK", "exit")
    run.skip_log()
