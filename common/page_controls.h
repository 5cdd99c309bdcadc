// The worker's way of changing the current page: window messages to its controls, which the
// page thread carries out. The page is always pageWindow.
#pragma once

#include <windows.h>

#include <string>

void SetPageText(int controlId, const std::string &text);
void SetProgressRange(int progressBarId, int steps); // range 0..steps, step size 1
void AdvanceProgress(int progressBarId);             // one PBM_STEPIT
void ShowPageControl(int controlId);                 // ShowWindow with SW_SHOWNORMAL

// Page set-up shared by every page: the small and the large window icon.
void SetPageIcons(HWND page, int smallIconGroup, int largeIconGroup);

// Ends the page (EndDialog, which hides it) and opens the next page modally, without owner.
void OpenNextPage(HWND page, int templateId, DLGPROC pageProc);
