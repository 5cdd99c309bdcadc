// The worker's way of changing the current page: window messages to its controls, which the
// page thread carries out. The page is always pageWindow.
#pragma once

#include <windows.h>

#include <string>

void SetPageText(int controlId, const std::string &text);
void SetProgressRange(int progressBarId, int steps); // range 0..steps, step size 1
void AdvanceProgress(int progressBarId);             // one PBM_STEPIT
void ShowPageControl(int controlId);                 // ShowWindow with SW_SHOWNORMAL

// What every page of both programs does alike: on WM_INITDIALOG it sets its small and large
// window icon, then runs its own initialisation; WM_DESTROY ends the program with -1 (a page is
// destroyed only when the next page failed to open); WM_DRAWITEM draws nothing; WM_COMMAND goes
// to the page's command handler. No exception unwinds into the system's dialog code.
using PageInit = void (*)(HWND page);
using PageCommandHandler = void (*)(HWND page, int command);
INT_PTR AnswerPageMessage(HWND page, UINT message, WPARAM wParam, int smallIconGroup,
                          int largeIconGroup, PageInit init, PageCommandHandler onCommand);

// The path page's folder field, alike in both programs: the page publishes itself and proposes
// the folder of the game's registry record; NEXT takes what the field holds (at most 99
// characters, a longer entry is cut) as the new gameFolder.
void ProposeGameFolder(HWND page, int folderFieldId);
void TakeGameFolder(HWND page, int folderFieldId);

// Ends the page (EndDialog, which hides it) and opens the next page modally, without owner.
void OpenNextPage(HWND page, int templateId, DLGPROC pageProc);
