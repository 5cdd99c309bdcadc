// robot: drives one of the kit's dialog programs from a script and prints what it observes, so
// that the bench (driver/bench.py) can compare a run with its expected transcript, and the demo
// can click through the pages or watch the user do it.
//
// Usage: robot <script file>. One command a line; arguments are separated by a single blank and
// the last argument may contain blanks. Texts (not paths) use the escapes \n \t \r \\.
//
//   hold <path> <access> <share>   open a file and keep it open until the robot ends; access
//                             r, w or rw, sharing any of r, w, d (delete) or -
//   start <exe> [args]        start the program in the robot's current directory
//   beside <exe> [args]       start a second program that the robot does not drive (a stand-in
//                             for the game, say), before or after start; it runs until
//                             end-beside or the robot's end
//   end-beside                end the program beside and wait until it is gone
//   aside                     the driven program goes on beside, undriven, so that another one
//                             can be started and driven while it runs
//   resume                    the program beside is driven again
//   page <id>                 wait for the page holding control <id>     -> page <caption>
//   text <id>                 -> text <id> <text>
//   set <id> <text>           replace a control's text
//   visible <id>              -> visible <id> yes|no
//   progress <id>             -> progress <id> <pos>/<max>
//   full <id>                 wait until a progress bar is full     -> progress <id> <pos>/<max>
//   moved <id>                wait until a progress bar has left 0: the worker has begun, and
//                             what it set before its first step is in place; prints nothing
//   enabled <id>              can the user reach the control (it and its page enabled)?
//                             -> enabled <id> yes|no
//   click <id>                press a button of the current page
//   key enter <id> | key escape [<id>]   a key typed with the focus on that control
//   close                     the current page's close box
//   peek [<caption>]          wait for a message box and show it    -> box ...
//   box <answer> [<caption>]  wait for a message box, show it, press <answer>, and wait until
//                             the box is gone and the page's thread is back at its messages
//                             (what it does after the box is done)
//                             -> box <caption> | <text> | <buttons>
//   nobox <ms>                -> nobox, or the box line of a box that came within <ms>
//   shot <path>               save the current page, with the newest unanswered box over it, as
//                             a 24-bit BMP of what the screen shows there (caption included);
//                             the box, or else the page, is brought to the foreground first
//   watch <folder>            until the program ends, save a shot of each page or box of the
//                             program as it comes up, once it has had time to paint
//                             -> shot <path> page <caption> | <control ids>
//                             -> shot <path> box <caption> | <text> | <buttons>
//   exit                      wait for the program's end            -> exit <code>
//                             (then another program may be started)
//   wait-exit                 the same without a time limit, for a user at the controls
//
// Any timeout or error prints what the program shows, ends the program (and the one beside) and
// makes the robot fail, so that a broken run reads well in the bench's report.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

const DWORD pageTimeoutMs = 20000;
const DWORD boxTimeoutMs = 30000;
const DWORD exitTimeoutMs = 30000;
const DWORD messageTimeoutMs = 5000;
const DWORD fullTimeoutMs = 120000; // a progress bar over files of many megabytes
const DWORD pollMs = 10;
const DWORD shotSettleMs = 300; // a window that has just come up may not be painted yet
const DWORD foregroundMoveMs = 50;
const DWORD watchSettleMs = 500;
const DWORD watchPollMs = 50;

PROCESS_INFORMATION child = {};
bool childStarted = false;
PROCESS_INFORMATION beside = {};
bool besideStarted = false;
HWND currentPage = nullptr;
std::set<HWND> answeredBoxes;
std::map<HWND, unsigned> boxFirstSeen; // order in which boxes came up, oldest first
unsigned boxSequence = 0;
std::vector<HANDLE> heldFiles; // open until the robot ends
std::string watchFolder;
HANDLE watchThread = nullptr;
unsigned watchShots = 0; // numbers the watch's files across the programs of one script

void Print(const std::string &line) {
  std::fputs((line + "\n").c_str(), stdout);
  std::fflush(stdout);
}

std::string Escape(const std::string &text) {
  std::string out;
  for (unsigned char c : text) {
    switch (c) {
    case '\n':
      out += "\\n";
      break;
    case '\t':
      out += "\\t";
      break;
    case '\r':
      out += "\\r";
      break;
    case '\\':
      out += "\\\\";
      break;
    default:
      if (c < 0x20) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "\\x%02X", c);
        out += hex;
      } else {
        out += static_cast<char>(c);
      }
    }
  }
  return out;
}

std::string Unescape(const std::string &text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    char next = text[++i];
    out += next == 'n' ? '\n' : next == 't' ? '\t' : next == 'r' ? '\r' : next;
  }
  return out;
}

std::string ClassOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

// WM_GETTEXT marshals the text across processes; the timeout keeps a hung program from hanging
// the robot as well. The program may change the text between the two messages (the worker sets
// the status as the page comes up): a text that fills the buffer may have been cut short, so it
// is read again into a larger one.
std::string TextOf(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, messageTimeoutMs,
                           &length))
    return "<no answer>";
  for (size_t size = length + 2;; size *= 2) {
    std::vector<char> buffer(size, '\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, size, reinterpret_cast<LPARAM>(&buffer[0]),
                             SMTO_ABORTIFHUNG, messageTimeoutMs, &copied))
      return "<no answer>";
    if (copied + 1 < size)
      return std::string(&buffer[0], copied);
  }
}

bool OwnStyle(HWND window, LONG flag) { return (GetWindowLongA(window, GWL_STYLE) & flag) != 0; }

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND> *>(list)->push_back(window);
  return TRUE;
}

std::vector<HWND> ChildTopWindows() {
  std::vector<HWND> all, mine;
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&all));
  for (HWND window : all) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (childStarted && pid == child.dwProcessId)
      mine.push_back(window);
  }
  return mine;
}

std::vector<HWND> ControlsOf(HWND window) {
  std::vector<HWND> controls;
  EnumChildWindows(window, CollectWindow, reinterpret_cast<LPARAM>(&controls));
  return controls;
}

// A message box is a dialog whose text sits in a static of id 0xFFFF; the pages have such
// statics too, but every page also has an edit field and no message box has one.
HWND BoxTextControl(HWND window) {
  if (ClassOf(window) != "#32770")
    return nullptr;
  HWND text = nullptr;
  for (HWND control : ControlsOf(window)) {
    std::string cls = ClassOf(control);
    if (_stricmp(cls.c_str(), "Edit") == 0)
      return nullptr;
    if (_stricmp(cls.c_str(), "Static") == 0 && (GetDlgCtrlID(control) & 0xFFFF) == 0xFFFF)
      text = control;
  }
  return text;
}

bool IsBox(HWND window) { return BoxTextControl(window) != nullptr; }

std::string WithoutAmpersands(std::string text) {
  text.erase(std::remove(text.begin(), text.end(), '&'), text.end());
  return text;
}

std::vector<HWND> BoxButtons(HWND box) {
  std::vector<HWND> buttons;
  for (HWND control : ControlsOf(box)) {
    LONG type = GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK;
    if (_stricmp(ClassOf(control).c_str(), "Button") == 0 && OwnStyle(control, WS_VISIBLE) &&
        (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON))
      buttons.push_back(control);
  }
  std::sort(buttons.begin(), buttons.end(),
            [](HWND a, HWND b) { return GetDlgCtrlID(a) < GetDlgCtrlID(b); });
  return buttons;
}

std::string BoxLine(HWND box) {
  std::string buttons;
  for (HWND button : BoxButtons(box))
    buttons += (buttons.empty() ? "" : "/") + WithoutAmpersands(TextOf(button));
  return "box " + Escape(TextOf(box)) + " | " + Escape(TextOf(BoxTextControl(box))) + " | " +
         buttons;
}

void DescribeWindows() {
  for (HWND window : ChildTopWindows()) {
    if (!IsWindowVisible(window))
      continue;
    Print("  window \"" + Escape(TextOf(window)) + "\" class " + ClassOf(window) +
          (IsWindowEnabled(window) ? "" : " (disabled)"));
    for (HWND control : ControlsOf(window)) {
      if (!OwnStyle(control, WS_VISIBLE))
        continue;
      std::string cls = ClassOf(control);
      std::string line = "    " + std::to_string(GetDlgCtrlID(control) & 0xFFFF) + " " + cls;
      if (_stricmp(cls.c_str(), "Static") == 0 || _stricmp(cls.c_str(), "Button") == 0 ||
          _stricmp(cls.c_str(), "Edit") == 0)
        line += " \"" + Escape(TextOf(control)) + "\"";
      Print(line);
    }
  }
}

// Ends the program beside; false if it is still there after exitTimeoutMs.
bool EndBeside() {
  TerminateProcess(beside.hProcess, 0);
  bool gone = WaitForSingleObject(beside.hProcess, exitTimeoutMs) == WAIT_OBJECT_0;
  CloseHandle(beside.hProcess);
  CloseHandle(beside.hThread);
  besideStarted = false;
  return gone;
}

[[noreturn]] void Fail(const std::string &what) {
  Print(what);
  if (childStarted) {
    DescribeWindows();
    TerminateProcess(child.hProcess, 99);
  }
  if (besideStarted)
    EndBeside();
  std::exit(2);
}

// The oldest box on screen that the robot has not answered (and, if given, with that caption).
HWND PendingBox(const std::string &caption) {
  // Forget boxes that are gone, so that a new window that gets an old handle counts as new.
  for (auto it = boxFirstSeen.begin(); it != boxFirstSeen.end();)
    if (IsWindow(it->first)) {
      ++it;
    } else {
      answeredBoxes.erase(it->first);
      it = boxFirstSeen.erase(it);
    }
  std::vector<HWND> windows = ChildTopWindows();
  // Enumeration runs from the top of the z-order down, and a new box opens on top: numbering
  // from the bottom keeps boxes that came up within one poll in the order in which they came.
  for (auto it = windows.rbegin(); it != windows.rend(); ++it)
    if (IsWindowVisible(*it) && IsBox(*it) && !boxFirstSeen.count(*it))
      boxFirstSeen[*it] = ++boxSequence;
  HWND oldest = nullptr;
  for (HWND window : windows) {
    if (!IsWindowVisible(window) || !IsBox(window) || answeredBoxes.count(window))
      continue;
    if (!caption.empty() && TextOf(window) != caption)
      continue;
    if (!oldest || boxFirstSeen[window] < boxFirstSeen[oldest])
      oldest = window;
  }
  return oldest;
}

HWND WaitForBox(const std::string &caption, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  for (;;) {
    if (HWND box = PendingBox(caption))
      return box;
    if (GetTickCount() - start >= timeoutMs)
      return nullptr;
    Sleep(pollMs);
  }
}

// The newest box on screen that the robot has not answered.
HWND NewestPendingBox() {
  PendingBox(""); // brings the record of boxes up to date
  HWND newest = nullptr;
  for (const auto &seen : boxFirstSeen)
    if (IsWindowVisible(seen.first) && !answeredBoxes.count(seen.first) &&
        (!newest || seen.second > boxFirstSeen[newest]))
      newest = seen.first;
  return newest;
}

RECT Covering(const std::vector<HWND> &windows) {
  RECT area = {};
  for (HWND window : windows) {
    RECT bounds;
    if (GetWindowRect(window, &bounds))
      UnionRect(&area, &area, &bounds);
  }
  return area;
}

// The pixels come from the screen, not from the windows: so a box shows over its page, and the
// frame with its caption is there as the user sees it.
bool SaveShot(const std::string &path, RECT area) {
  int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  RECT screen = {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                 top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  if (!IntersectRect(&area, &area, &screen))
    return false;
  int width = area.right - area.left, height = area.bottom - area.top;
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height; // positive: rows bottom-up, as a BMP file keeps them
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  HDC screenDc = GetDC(nullptr);
  HDC memoryDc = CreateCompatibleDC(screenDc);
  void *pixels = nullptr;
  HBITMAP bitmap = CreateDIBSection(screenDc, reinterpret_cast<BITMAPINFO *>(&header),
                                    DIB_RGB_COLORS, &pixels, nullptr, 0);
  bool copied = false;
  if (bitmap) {
    HGDIOBJ previous = SelectObject(memoryDc, bitmap);
    copied = BitBlt(memoryDc, 0, 0, width, height, screenDc, area.left, area.top,
                    SRCCOPY | CAPTUREBLT) != FALSE;
    GdiFlush();
    SelectObject(memoryDc, previous);
  }
  bool saved = false;
  if (copied) {
    // A DIB section's rows are padded to whole DWORDs, as the rows of a BMP file are.
    DWORD rowBytes = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    header.biSizeImage = rowBytes * static_cast<DWORD>(height);
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + header.biSizeImage;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char *>(&file), sizeof file);
    out.write(reinterpret_cast<const char *>(&header), sizeof header);
    out.write(static_cast<const char *>(pixels), header.biSizeImage);
    out.close();
    saved = !out.fail();
  }
  if (bitmap)
    DeleteObject(bitmap);
  DeleteDC(memoryDc);
  ReleaseDC(nullptr, screenDc);
  return saved;
}

std::string ControlIds(HWND page) {
  std::string ids;
  for (HWND control : ControlsOf(page)) {
    int id = GetDlgCtrlID(control) & 0xFFFF;
    if (id != 0xFFFF)
      ids += (ids.empty() ? "" : " ") + std::to_string(id);
  }
  return ids;
}

struct Appearance {
  HWND window;
  DWORD since;
  bool shot;
};

// The watch's thread: runs until the program ends. A shot is taken once a window has stayed up
// for watchSettleMs; one that goes before then is forgotten and counts as new when it comes back.
DWORD WINAPI WatchProgram(LPVOID) {
  std::vector<Appearance> seen; // in the order in which the windows came up
  while (WaitForSingleObject(child.hProcess, watchPollMs) == WAIT_TIMEOUT) {
    std::vector<HWND> windows = ChildTopWindows(), pages;
    std::set<HWND> visible;
    // Bottom of the z-order first: of two windows that came up within one poll, the one on top
    // came last.
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
      if (!IsWindowVisible(*it) || ClassOf(*it) != "#32770")
        continue;
      visible.insert(*it);
      if (!IsBox(*it))
        pages.push_back(*it);
      auto known = std::find_if(seen.begin(), seen.end(),
                                [&](const Appearance &a) { return a.window == *it; });
      if (known == seen.end())
        seen.push_back({*it, GetTickCount(), false});
    }
    seen.erase(std::remove_if(seen.begin(), seen.end(),
                              [&](const Appearance &a) {
                                return !IsWindow(a.window) || (!a.shot && !visible.count(a.window));
                              }),
               seen.end());
    for (auto it = seen.begin(); it != seen.end(); ++it) {
      Appearance &appearance = *it;
      if (appearance.shot || GetTickCount() - appearance.since < watchSettleMs)
        continue;
      appearance.shot = true;
      bool box = IsBox(appearance.window);
      // A page that a later box already covers shows in that box's shot.
      if (!box && std::any_of(std::next(it), seen.end(), [](const Appearance &later) {
            return IsBox(later.window) && IsWindowVisible(later.window);
          }))
        continue;
      std::vector<HWND> shown = box ? pages : std::vector<HWND>();
      shown.push_back(appearance.window);
      char name[32];
      std::snprintf(name, sizeof name, "shot-%02u.bmp", ++watchShots);
      std::string path = watchFolder + "\\" + name;
      if (!SaveShot(path, Covering(shown))) {
        Print("error: cannot save " + path);
        continue;
      }
      Print("shot " + path + " " +
            (box ? BoxLine(appearance.window)
                 : "page " + Escape(TextOf(appearance.window)) + " | " +
                       ControlIds(appearance.window)));
    }
  }
  return 0;
}

void WaitForExit(DWORD timeoutMs) {
  if (!childStarted)
    Fail("error: no program started");
  if (WaitForSingleObject(child.hProcess, timeoutMs) != WAIT_OBJECT_0)
    Fail("timeout exit");
  if (watchThread) {
    // The program has ended, so the watch ends within one poll.
    WaitForSingleObject(watchThread, INFINITE);
    CloseHandle(watchThread);
    watchThread = nullptr;
  }
  DWORD code = 0;
  GetExitCodeProcess(child.hProcess, &code);
  Print("exit " + std::to_string(static_cast<int32_t>(code)));
  CloseHandle(child.hProcess);
  CloseHandle(child.hThread);
  childStarted = false;
  currentPage = nullptr;
  answeredBoxes.clear();
  boxFirstSeen.clear();
}

HWND FindPage(int controlId) {
  for (HWND window : ChildTopWindows())
    if (ClassOf(window) == "#32770" && IsWindowVisible(window) && IsWindowEnabled(window) &&
        !IsBox(window) && GetDlgItem(window, controlId))
      return window;
  return nullptr;
}

HWND Control(const std::string &id) {
  if (!currentPage)
    Fail("error: no current page for control " + id);
  HWND control = GetDlgItem(currentPage, std::atoi(id.c_str()));
  if (!control)
    Fail("error: the current page has no control " + id);
  return control;
}

// Splits a line into at most `count` arguments; the last one keeps its blanks.
std::vector<std::string> Arguments(const std::string &rest, size_t count) {
  std::vector<std::string> args;
  size_t pos = 0;
  while (pos < rest.size() && args.size() + 1 < count) {
    size_t blank = rest.find(' ', pos);
    if (blank == std::string::npos)
      break;
    args.push_back(rest.substr(pos, blank - pos));
    pos = blank + 1;
  }
  if (pos < rest.size())
    args.push_back(rest.substr(pos));
  return args;
}

// The flags that the letters r, w and d of `code` stand for.
DWORD LetterFlags(const std::string &code, DWORD read, DWORD write, DWORD remove) {
  DWORD flags = 0;
  for (const auto &[letter, flag] : {std::pair{'r', read}, {'w', write}, {'d', remove}})
    if (code.find(letter) != std::string::npos)
      flags |= flag;
  return flags;
}

// Starts the program that the command line's first argument names, in the robot's current
// directory.
void Launch(const std::string &commandLine, PROCESS_INFORMATION &process) {
  std::string line = commandLine;
  size_t blank = line.find(' ');
  std::string exe = line.substr(0, blank);
  line = "\"" + exe + "\"" + (blank == std::string::npos ? "" : line.substr(blank));
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  std::vector<char> buffer(line.begin(), line.end());
  buffer.push_back('\0');
  if (!CreateProcessA(exe.c_str(), &buffer[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process))
    Fail("error: cannot start " + exe + " (" + std::to_string(GetLastError()) + ")");
}

void PressKey(WPARAM key, HWND target) {
  // The focus moves to the control first, as it would under the user's hand; the dialog's own
  // keyboard handling looks at the focus.
  if (target != currentPage)
    SendMessageTimeoutA(currentPage, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(target), TRUE,
                        SMTO_ABORTIFHUNG, messageTimeoutMs, nullptr);
  UINT scan = MapVirtualKeyA(static_cast<UINT>(key), 0);
  PostMessageA(target, WM_KEYDOWN, key, 1 | (scan << 16));
  PostMessageA(target, WM_KEYUP, key, 1 | (scan << 16) | (3u << 30));
}

void Run(const std::string &rawLine) {
  std::string line = rawLine;
  if (!line.empty() && line.back() == '\r')
    line.pop_back();
  if (line.empty() || line[0] == '#')
    return;
  size_t blank = line.find(' ');
  std::string command = line.substr(0, blank);
  std::string rest = blank == std::string::npos ? "" : line.substr(blank + 1);

  if (command == "hold") {
    std::vector<std::string> args = Arguments(rest, 3);
    if (args.size() != 3)
      Fail("error: hold <path> <access> <share>");
    HANDLE file =
        CreateFileA(args[0].c_str(), LetterFlags(args[1], GENERIC_READ, GENERIC_WRITE, 0),
                    LetterFlags(args[2], FILE_SHARE_READ, FILE_SHARE_WRITE, FILE_SHARE_DELETE),
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
      Fail("error: cannot hold " + args[0] + " (" + std::to_string(GetLastError()) + ")");
    heldFiles.push_back(file);
  } else if (command == "start") {
    if (childStarted)
      Fail("error: a program is already running");
    Launch(rest, child);
    childStarted = true;
  } else if (command == "beside") {
    if (besideStarted)
      Fail("error: a program is already beside");
    Launch(rest, beside);
    besideStarted = true;
  } else if (command == "aside" || command == "resume") {
    if (childStarted != (command == "aside") || besideStarted == (command == "aside"))
      Fail("error: " + command + " needs one program, driven (aside) or beside (resume)");
    std::swap(child, beside);
    std::swap(childStarted, besideStarted);
    currentPage = nullptr;
  } else if (command == "end-beside") {
    if (!besideStarted)
      Fail("error: no program beside");
    if (!EndBeside())
      Fail("timeout " + line);
  } else if (command == "page") {
    DWORD start = GetTickCount();
    HWND page = nullptr;
    while (!(page = FindPage(std::atoi(rest.c_str())))) {
      if (GetTickCount() - start >= pageTimeoutMs)
        Fail("timeout " + line);
      Sleep(pollMs);
    }
    currentPage = page;
    Print("page " + Escape(TextOf(page)));
  } else if (command == "text") {
    Print("text " + rest + " " + Escape(TextOf(Control(rest))));
  } else if (command == "set") {
    std::vector<std::string> args = Arguments(rest, 2);
    std::string text = args.size() > 1 ? Unescape(args[1]) : "";
    SendMessageTimeoutA(Control(args.at(0)), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                        SMTO_ABORTIFHUNG, messageTimeoutMs, nullptr);
  } else if (command == "visible") {
    Print("visible " + rest + (OwnStyle(Control(rest), WS_VISIBLE) ? " yes" : " no"));
  } else if (command == "progress" || command == "full" || command == "moved") {
    HWND bar = Control(rest);
    DWORD start = GetTickCount();
    DWORD_PTR pos = 0, max = 0;
    for (;;) {
      SendMessageTimeoutA(bar, PBM_GETPOS, 0, 0, SMTO_ABORTIFHUNG, messageTimeoutMs, &pos);
      SendMessageTimeoutA(bar, PBM_GETRANGE, FALSE, 0, SMTO_ABORTIFHUNG, messageTimeoutMs, &max);
      if (command == "progress" || (command == "full" && max > 0 && pos == max) ||
          (command == "moved" && pos > 0))
        break;
      if (GetTickCount() - start >= fullTimeoutMs)
        Fail("timeout " + line);
      Sleep(pollMs);
    }
    if (command != "moved")
      Print("progress " + rest + " " + std::to_string(static_cast<int>(pos)) + "/" +
            std::to_string(static_cast<int>(max)));
  } else if (command == "enabled") {
    HWND control = Control(rest);
    bool reachable = IsWindowEnabled(control) && IsWindowEnabled(currentPage);
    Print("enabled " + rest + (reachable ? " yes" : " no"));
  } else if (command == "click") {
    PostMessageA(Control(rest), BM_CLICK, 0, 0);
  } else if (command == "key") {
    std::vector<std::string> args = Arguments(rest, 2);
    if (args.empty() || (args[0] != "enter" && args[0] != "escape"))
      Fail("error: key enter <id> | key escape [<id>]");
    HWND target = args.size() > 1 ? Control(args[1]) : currentPage;
    if (!target)
      Fail("error: no current page for " + line);
    PressKey(args[0] == "enter" ? VK_RETURN : VK_ESCAPE, target);
  } else if (command == "close") {
    if (!currentPage)
      Fail("error: no current page to close");
    PostMessageA(currentPage, WM_SYSCOMMAND, SC_CLOSE, 0);
  } else if (command == "peek") {
    HWND box = WaitForBox(Unescape(rest), boxTimeoutMs);
    if (!box)
      Fail("timeout " + line);
    Print(BoxLine(box));
  } else if (command == "box") {
    std::vector<std::string> args = Arguments(rest, 2);
    if (args.empty())
      Fail("error: box <answer> [<caption>]");
    HWND box = WaitForBox(args.size() > 1 ? Unescape(args[1]) : "", boxTimeoutMs);
    if (!box)
      Fail("timeout " + line);
    Print(BoxLine(box));
    HWND chosen = nullptr;
    for (HWND button : BoxButtons(box))
      if (WithoutAmpersands(TextOf(button)) == args[0])
        chosen = button;
    if (!chosen)
      Fail("error: the box has no button " + args[0]);
    answeredBoxes.insert(box);
    // The command goes to the box itself: a posted click would depend on the box having focus.
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(chosen), BN_CLICKED),
                 reinterpret_cast<LPARAM>(chosen));
    // A box is destroyed just before the call that showed it returns; the program's next step
    // (a page enabled again, say) is done before its thread takes the next message.
    DWORD start = GetTickCount();
    while (IsWindow(box)) {
      if (GetTickCount() - start >= boxTimeoutMs)
        Fail("timeout " + line + " (the box stays)");
      Sleep(pollMs);
    }
    if (currentPage && IsWindow(currentPage))
      SendMessageTimeoutA(currentPage, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, messageTimeoutMs, nullptr);
  } else if (command == "nobox") {
    HWND box = WaitForBox("", static_cast<DWORD>(std::atoi(rest.c_str())));
    Print(box ? BoxLine(box) : "nobox");
  } else if (command == "shot") {
    std::vector<HWND> shown;
    if (currentPage && IsWindow(currentPage) && IsWindowVisible(currentPage))
      shown.push_back(currentPage);
    if (HWND box = NewestPendingBox())
      shown.push_back(box);
    if (shown.empty())
      Fail("error: no page or box to shoot");
    // Active, as the user's last click would have left it, with the caption in its colours.
    // Wine draws a window that came up in the foreground as inactive until the foreground moves:
    // so away to the desktop first, then back.
    SetForegroundWindow(GetDesktopWindow());
    Sleep(foregroundMoveMs);
    SetForegroundWindow(shown.back());
    Sleep(shotSettleMs);
    if (!SaveShot(rest, Covering(shown)))
      Fail("error: cannot save " + rest);
  } else if (command == "watch") {
    if (!childStarted)
      Fail("error: no program started");
    if (watchThread)
      Fail("error: the program is already watched");
    watchFolder = rest;
    watchThread = CreateThread(nullptr, 0, WatchProgram, nullptr, 0, nullptr);
    if (!watchThread)
      Fail("error: cannot start the watch (" + std::to_string(GetLastError()) + ")");
  } else if (command == "exit") {
    WaitForExit(exitTimeoutMs);
  } else if (command == "wait-exit") {
    WaitForExit(INFINITE);
  } else {
    Fail("error: unknown command " + command);
  }
}

} // namespace

int main(int argc, char **argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: robot <script>\n");
    return 2;
  }
  std::ifstream script(argv[1]);
  if (!script) {
    std::fprintf(stderr, "robot: cannot read %s\n", argv[1]);
    return 2;
  }
  // Under a Wine virtual desktop the desktop window comes with the first process that asks for
  // it; asked for here, it is up before a program's first window has to wait for it.
  GetDesktopWindow();
  std::string line;
  while (std::getline(script, line))
    Run(line);
  if (childStarted && WaitForSingleObject(child.hProcess, 0) == WAIT_TIMEOUT)
    Fail("error: the script ended while the program still runs");
  if (besideStarted && !EndBeside())
    Fail("timeout ending the program beside");
  return 0;
}
