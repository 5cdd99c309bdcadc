/* A decoy: built as comctl32.dll, uxtheme.dll and dwmapi.dll, the names of Windows DLLs that are
   no KnownDLLs, for a Wine case that lays them beside the kit's programs. Loaded into a process,
   it appends that program's path to "<its own path>.loaded", which the case reports. It exports
   what a program importing comctl32 takes from it, handed on to the real comctl32 of System32,
   so that a program that did load it still starts and shows that it did. */
#include <windows.h>

static HMODULE decoy;

static void NoteLoadedInto(void) {
  WCHAR marker[MAX_PATH + 8], program[MAX_PATH];
  DWORD length = GetModuleFileNameW(decoy, marker, MAX_PATH);
  DWORD programLength = GetModuleFileNameW(NULL, program, MAX_PATH);
  HANDLE file;
  DWORD written;
  char line[MAX_PATH * 3 + 2];
  int lineLength;
  if (length == 0 || length >= MAX_PATH || programLength == 0 || programLength >= MAX_PATH)
    return;
  lstrcpyW(marker + length, L".loaded");
  lineLength = WideCharToMultiByte(CP_UTF8, 0, program, (int)programLength, line,
                                   (int)sizeof line - 2, NULL, NULL);
  line[lineLength++] = '\r';
  line[lineLength++] = '\n';
  file = CreateFileW(marker, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                     OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE)
    return;
  WriteFile(file, line, (DWORD)lineLength, &written, NULL);
  CloseHandle(file);
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  (void)reserved;
  if (reason == DLL_PROCESS_ATTACH) {
    decoy = instance;
    NoteLoadedInto();
  }
  return TRUE;
}

typedef BOOL(WINAPI *InitCommonControlsExFunction)(const void *);

__declspec(dllexport) BOOL WINAPI InitCommonControlsEx(const void *controls) {
  char path[MAX_PATH + 16];
  UINT length = GetSystemDirectoryA(path, MAX_PATH);
  HMODULE real;
  FARPROC initialise;
  if (length == 0 || length >= MAX_PATH)
    return FALSE;
  lstrcpyA(path + length, "\\comctl32.dll");
  real = LoadLibraryA(path);
  if (!real || real == decoy || !(initialise = GetProcAddress(real, "InitCommonControlsEx")))
    return FALSE;
  return ((InitCommonControlsExFunction)(void (*)(void))initialise)(controls);
}
