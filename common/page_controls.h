// What the pages of both programs share: the page frame, the folder field, moving on to the next
// page, the confirm boxes and the start of the worker.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

// The common controls of both programs' pages (the progress bar), set up before the first page
// from System32's comctl32, once the DLL search is restricted (safe_dll_search.h).
void InitialiseCommonControls();

extern HINSTANCE appInstance; // module instance: every dialog and icon is loaded from it
extern std::optional<std::string> folderFromCommandLine; // proposed instead of the registry's

// What every page of both programs does alike: on WM_INITDIALOG it sets its small and large
// window icon, then runs its own initialisation; WM_DESTROY ends the program with -1 (a page is
// destroyed only when the next page failed to open); WM_COMMAND goes to the page's command
// handler. No exception unwinds into the system's dialog code.
using PageInit = void (*)(HWND page);
using PageCommandHandler = void (*)(HWND page, int command);
INT_PTR AnswerPageMessage(HWND page, UINT message, WPARAM wParam, int smallIconGroup,
                          int largeIconGroup, PageInit init, PageCommandHandler onCommand);

// The path page's folder field, alike in both programs: the page proposes the folder of the command
// line's /D=, or else of the game's registry record; NEXT takes what the field holds (at most 99
// characters, a longer entry is cut between two characters), trimmed of quotes and blanks and
// made absolute, as the new gameFolder. A name that the code page cannot hold (an older Windows)
// is not taken: a box and the log name it, and TakeGameFolder gives false.
void ProposeGameFolder(HWND page, int folderFieldId);
bool TakeGameFolder(HWND page, int folderFieldId);

// The box and the log entry for a game folder whose name (UTF-8) the code page cannot hold.
void ReportUnreachableFolder(HWND owner, const std::string &folder);

// The first step of NEXT on both path pages: while a program runs from the game folder's System
// folder (the game, the editor, a renamed launcher), the "Deus Ex is running" box names it and the
// page stays, with nothing logged or touched. The game writes its configuration back when it
// ends, which would undo the setup or, after an uninstall, name packages that are gone.
bool GameIsClosed(HWND page);

// Ends the page (EndDialog, which hides it) and opens the next page modally, without owner.
void OpenNextPage(HWND page, int templateId, DLGPROC pageProc);

// Ends the page and the process with code 0, without asking.
[[noreturn]] void LeavePage(HWND page);

// Asks "Confirm Exit" with the given text; Yes ends the page and the process with code 0, No
// returns and changes nothing. The box has no owner, so the page is disabled while it is up:
// a click behind it must not start what the user is being asked about.
void ConfirmExitBox(HWND page, const char *text);

// The progress page publishes itself and starts the worker on a thread of its own. A thread that
// cannot be started ends the program with the system's reason.
void StartWorker(HWND page, LPTHREAD_START_ROUTINE worker);
