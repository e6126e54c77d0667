// Test driver: starts RemoveMolvane.exe, works its windows the way a user
// would, and checks what they show. Each argument is one step, run in order:
//
//   startup-path          print the current user's Startup folder
//   start=EXE             start the program
//   chooser               wait for the folder chooser (main window still hidden)
//   select=SUB\DIR        highlight a folder in the chooser's tree (empty: its root)
//   chooser-ok            press the chooser's OK;  chooser-cancel: its Cancel
//   main                  wait for the main window
//   label2=TEXT           Label2 must show exactly TEXT
//   ok                    press OKBtn;  close: the main window's close box
//   box=TEXT              wait for a message box whose text contains TEXT, print it;
//                         it must be owned by the main window
//   box-why=CODE          the message box must give the system's words for Win32 error CODE
//   box-ok                press the message box's button
//   exited                the program must end (with exit code 0)
//   running               the program must still be running, its window open
//   hold=PATH             open PATH for reading, without delete sharing, until release
//   lock=PATH             open PATH for reading and writing, sharing nothing, until release
//   release               close what hold and lock opened
//   attrib=PATH|+r        set (+r) or clear (-r) PATH's read-only attribute
//   copy=FROM|TO          copy a file over another
//   delete=PATH           delete a file or an empty folder
//   launch=EXE            start another program (a stand-in for Molvane)
//   end-launched          end it and wait until it is gone
//   shot=WINDOW:FILE.bmp  save a screenshot of chooser|main|box
//   same=FILE|COPY        FILE must hold exactly the bytes of COPY
//   sleep=MS
//
// The window's look (NAME: Frame1, Label1, Label2, OKBtn; X,Y: pixels in the
// client area of NAME, or of the main window when "NAME@" is left out):
//   client=W,H            the main window's client area must be W × H
//   bounds=NAME:L,T,W,H   the control's place in its parent's client area; * for any value
//   outer-minus=NAME:N    the control must be as wide as the main window's outer width minus N
//   resize=DW,DH          make the main window DW wider and DH higher
//   pixel=[NAME@]X,Y:RRGGBB  the screen must show this colour there (:!RRGGBB: any other colour)
//   mouse=[NAME@]X,Y      move the mouse pointer there
//   key=ESC|ENTER|SPACE|TAB  press and release a key, as the keyboard would
//   repaint=NAME          have that control (alone) repaint itself
//   button-down, button-up  press or release the left mouse button where the pointer is
//   focus=NAME            the control must have the keyboard focus
//   deactivate, activate  activate a window of the driver's, or the main window again
//   font=NAME:FACE,HEIGHT the label's height must be that of its text in this font, wrapped in its width
//
// Exits 0 when every step passed; otherwise prints what failed and exits 1.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "winkit/Text.h"

namespace {

constexpr wchar_t kChooserCaption[] = L"Click on StartUp Folder";
constexpr wchar_t kMainCaption[] = L"Remove Molvane from StartUp";
constexpr wchar_t kBoxCaption[] = L"Remove Molvane from Startup Folder";
constexpr int kLabel2Id = 102;
constexpr int kOkButtonId = IDOK;
constexpr DWORD kWaitMs = 20000;

PROCESS_INFORMATION g_process{};
PROCESS_INFORMATION g_launched{};
std::vector<HANDLE> g_held;

void Print(const std::wstring& text) {
    int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
    bytes += '\n';
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

std::wstring TextOf(HWND window) {
    wchar_t buffer[4096] = {};
    SendMessageTimeoutW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 5000, nullptr);
    return buffer;
}

std::wstring ClassOf(HWND window) {
    wchar_t buffer[256] = {};
    GetClassNameW(window, buffer, 256);
    return buffer;
}

// Lists the program's visible top-level windows and their texts, so that a
// failure shows what was on screen instead (an unexpected message box, say).
void DescribeScreen() {
    if (!g_process.hProcess) return;
    if (WaitForSingleObject(g_process.hProcess, 0) == WAIT_OBJECT_0) {
        DWORD code = 0;
        GetExitCodeProcess(g_process.hProcess, &code);
        Print(L"  the program had ended, with code " + std::to_wstring(code));
        return;
    }
    EnumWindows([](HWND window, LPARAM) -> BOOL {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        if (pid != g_process.dwProcessId || !IsWindowVisible(window)) return TRUE;
        Print(L"  on screen: \"" + TextOf(window) + L"\" (" + ClassOf(window) + L")");
        EnumChildWindows(window, [](HWND child, LPARAM) -> BOOL {
            std::wstring text = TextOf(child);
            if (!text.empty() && IsWindowVisible(child)) Print(L"    " + ClassOf(child) + L": " + text);
            return TRUE;
        }, 0);
        return TRUE;
    }, 0);
}

[[noreturn]] void Fail(const std::wstring& text) {
    Print(L"FAIL: " + text);
    DescribeScreen();
    if (g_process.hProcess) TerminateProcess(g_process.hProcess, 1);
    if (g_launched.hProcess) TerminateProcess(g_launched.hProcess, 1);
    ExitProcess(1);
}

// A visible top-level window of the program with this caption (and class, if given).
HWND FindTopLevel(const wchar_t* caption, const wchar_t* windowClass = nullptr) {
    struct Search { const wchar_t* caption; const wchar_t* windowClass; HWND found; } search{caption, windowClass, nullptr};
    EnumWindows([](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        if (pid != g_process.dwProcessId || !IsWindowVisible(window)) return TRUE;
        if (TextOf(window) != s->caption) return TRUE;
        if (s->windowClass && ClassOf(window) != s->windowClass) return TRUE;
        s->found = window;
        return FALSE;
    }, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitFor(const wchar_t* caption, const wchar_t* windowClass = nullptr) {
    for (DWORD waited = 0; waited < kWaitMs; waited += 50) {
        if (HWND window = FindTopLevel(caption, windowClass)) {
            Sleep(200);  // let it finish initialising
            return window;
        }
        if (WaitForSingleObject(g_process.hProcess, 50) == WAIT_OBJECT_0) Fail(L"the program ended early");
    }
    Fail(std::wstring(L"no window \"") + caption + L"\" appeared");
}

HWND FindChild(HWND parent, int id, const wchar_t* windowClass = nullptr) {
    struct Search { int id; const wchar_t* windowClass; HWND found; } search{id, windowClass, nullptr};
    EnumChildWindows(parent, [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        if (s->id >= 0 && GetDlgCtrlID(window) != s->id) return TRUE;
        if (s->windowClass && ClassOf(window) != s->windowClass) return TRUE;
        s->found = window;
        return FALSE;
    }, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND Require(HWND window, const std::wstring& what) {
    if (!window) Fail(what + L" not found");
    return window;
}

HWND MainWindow() { return Require(FindTopLevel(kMainCaption), L"main window"); }
HWND Chooser() { return Require(FindTopLevel(kChooserCaption), L"folder chooser"); }
HWND Box() { return WaitFor(kBoxCaption, L"#32770"); }

// Reads a tree item's text through memory in the program's process.
std::wstring ItemText(HWND tree, HTREEITEM item) {
    HANDLE process = g_process.hProcess;
    constexpr SIZE_T kChars = 1024;
    auto* remote = static_cast<char*>(VirtualAllocEx(process, nullptr, sizeof(TVITEMW) + kChars * sizeof(wchar_t),
                                                     MEM_COMMIT, PAGE_READWRITE));
    TVITEMW request{};
    request.mask = TVIF_TEXT | TVIF_HANDLE;
    request.hItem = item;
    request.pszText = reinterpret_cast<wchar_t*>(remote + sizeof(TVITEMW));
    request.cchTextMax = kChars;
    WriteProcessMemory(process, remote, &request, sizeof request, nullptr);
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(remote));
    std::wstring text(kChars, L'\0');
    ReadProcessMemory(process, remote + sizeof(TVITEMW), text.data(), kChars * sizeof(wchar_t), nullptr);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    text.resize(text.find(L'\0'));
    return text;
}

void Select(const std::wstring& relative) {
    HWND tree = Require(FindChild(Chooser(), -1, WC_TREEVIEWW), L"the chooser's tree");
    auto item = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    if (!item) Fail(L"the chooser's tree is empty");
    std::wstring rest = relative;
    while (!rest.empty()) {
        std::wstring name = rest.substr(0, rest.find(L'\\'));
        rest = rest.size() > name.size() ? rest.substr(name.size() + 1) : L"";
        SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
        Sleep(100);
        auto child = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
        while (child && ItemText(tree, child) != name)
            child = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(child)));
        if (!child) Fail(L"no folder \"" + name + L"\" in the chooser's tree");
        item = child;
    }
    SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    Sleep(100);
    Print(L"selected: " + ItemText(tree, item));
}

std::string Contents(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) Fail(L"could not read " + path);
    std::string bytes;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got) bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

void Click(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

// Splits "A|B" into its two parts.
std::pair<std::wstring, std::wstring> Pair(const std::wstring& arg) {
    std::size_t bar = arg.find(L'|');
    if (bar == std::wstring::npos) Fail(L"expected A|B, got " + arg);
    return {arg.substr(0, bar), arg.substr(bar + 1)};
}

void Hold(const std::wstring& path, DWORD access, DWORD share) {
    HANDLE file = CreateFileW(path.c_str(), access, share, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) Fail(L"could not open " + path);
    g_held.push_back(file);
}

PROCESS_INFORMATION Start(const std::wstring& exe) {
    STARTUPINFOW startup{sizeof startup};
    PROCESS_INFORMATION process{};
    std::wstring command = L"\"" + exe + L"\"";
    if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        Fail(L"could not start " + exe + L": " + winkit::SystemErrorText(GetLastError()));
    CloseHandle(process.hThread);
    return process;
}

// Saves the screen area of a window as a 24-bit BMP.
void Screenshot(HWND window, const std::wstring& path) {
    RECT rect{};
    GetWindowRect(window, &rect);
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    DWORD stride = ((width * 3 + 3) & ~3), imageSize = stride * height;
    BITMAPFILEHEADER header{0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + imageSize), 0, 0,
                            sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, &header, sizeof header, &written, nullptr);
    WriteFile(file, &info.bmiHeader, sizeof info.bmiHeader, &written, nullptr);
    WriteFile(file, bits, imageSize, &written, nullptr);
    CloseHandle(file);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

// --- the window's look: geometry, pixels, mouse and keys ---------------------

struct NamedControl {
    const wchar_t* name;
    int id;
};
constexpr NamedControl kNamedControls[] = {{L"Frame1", 100}, {L"Label1", 101}, {L"Label2", kLabel2Id}, {L"OKBtn", kOkButtonId}};

HWND ControlNamed(const std::wstring& name) {
    for (const NamedControl& control : kNamedControls)
        if (name == control.name) return Require(FindChild(MainWindow(), control.id), name);
    Fail(L"no control named " + name);
}

std::vector<std::wstring> Split(const std::wstring& text, wchar_t delimiter) {
    std::vector<std::wstring> parts;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find(delimiter, start)) != std::wstring::npos; start = at + 1)
        parts.push_back(text.substr(start, at - start));
    parts.push_back(text.substr(start));
    return parts;
}

// "[NAME@]X,Y" as a point on the screen.
POINT ScreenPoint(const std::wstring& where) {
    std::size_t at = where.find(L'@');
    HWND window = at == std::wstring::npos ? MainWindow() : ControlNamed(where.substr(0, at));
    std::vector<std::wstring> xy = Split(at == std::wstring::npos ? where : where.substr(at + 1), L',');
    if (xy.size() != 2) Fail(L"not a point: " + where);
    POINT point{_wtoi(xy[0].c_str()), _wtoi(xy[1].c_str())};
    ClientToScreen(window, &point);
    return point;
}

RECT BoundsInParent(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::wstring Hex(COLORREF color) {
    wchar_t text[8];
    swprintf(text, 8, L"%02X%02X%02X", GetRValue(color), GetGValue(color), GetBValue(color));
    return text;
}

void PressKey(const std::wstring& name) {
    WORD key = name == L"ESC" ? VK_ESCAPE : name == L"ENTER" ? VK_RETURN : name == L"SPACE" ? VK_SPACE
             : name == L"TAB" ? VK_TAB : 0;
    if (!key) Fail(L"no key named " + name);
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = key;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    if (SendInput(2, input, sizeof(INPUT)) != 2) Fail(L"could not press " + name);
    Sleep(300);
}

HWND FocusOfProgram() {
    GUITHREADINFO info{sizeof info};
    GetGUIThreadInfo(GetWindowThreadProcessId(MainWindow(), nullptr), &info);
    return info.hwndFocus;
}

// The height of the label's text in FACE at HEIGHT, wrapped within its width.
int TextHeight(HWND label, const std::wstring& face, int height) {
    RECT bounds{};
    GetClientRect(label, &bounds);
    std::wstring text = TextOf(label);
    if (text.empty()) text = L" ";
    HDC dc = GetDC(nullptr);
    HFONT font = CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face.c_str());
    HGDIOBJ old = SelectObject(dc, font);
    RECT measure{0, 0, bounds.right, 0};
    DrawTextW(dc, text.c_str(), -1, &measure, DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX | DT_CENTER);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    return measure.bottom;
}

bool LookStep(const std::wstring& verb, const std::wstring& arg) {
    if (verb == L"client") {
        RECT client{};
        GetClientRect(MainWindow(), &client);
        std::wstring actual = std::to_wstring(client.right) + L"," + std::to_wstring(client.bottom);
        Print(L"client area: " + actual);
        if (actual != arg) Fail(L"the client area is " + actual + L", expected " + arg);
    } else if (verb == L"bounds") {
        std::size_t colon = arg.find(L':');
        std::wstring name = arg.substr(0, colon);
        RECT r = BoundsInParent(ControlNamed(name));
        const long actual[] = {r.left, r.top, r.right - r.left, r.bottom - r.top};
        std::vector<std::wstring> expected = Split(arg.substr(colon + 1), L',');
        std::wstring shown;
        for (long value : actual) shown += (shown.empty() ? L"" : L",") + std::to_wstring(value);
        Print(name + L": " + shown);
        if (expected.size() != 4) Fail(L"bounds need four values: " + arg);
        for (int i = 0; i < 4; ++i)
            if (expected[i] != L"*" && _wtoi(expected[i].c_str()) != actual[i])
                Fail(name + L" is at " + shown + L", expected " + arg.substr(colon + 1));
    } else if (verb == L"outer-minus") {
        std::size_t colon = arg.find(L':');
        RECT outer{}, control{};
        GetWindowRect(MainWindow(), &outer);
        GetWindowRect(ControlNamed(arg.substr(0, colon)), &control);
        long expected = (outer.right - outer.left) - _wtoi(arg.substr(colon + 1).c_str());
        Print(arg.substr(0, colon) + L" width " + std::to_wstring(control.right - control.left) + L", window width " +
              std::to_wstring(outer.right - outer.left));
        if (control.right - control.left != expected) Fail(L"expected width " + std::to_wstring(expected));
    } else if (verb == L"resize") {
        std::vector<std::wstring> delta = Split(arg, L',');
        RECT outer{};
        GetWindowRect(MainWindow(), &outer);
        SetWindowPos(MainWindow(), nullptr, 0, 0, outer.right - outer.left + _wtoi(delta.at(0).c_str()),
                     outer.bottom - outer.top + _wtoi(delta.at(1).c_str()), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        Sleep(300);
    } else if (verb == L"pixel") {
        std::size_t colon = arg.rfind(L':');
        POINT point = ScreenPoint(arg.substr(0, colon));
        HDC screen = GetDC(nullptr);
        COLORREF color = GetPixel(screen, point.x, point.y);
        ReleaseDC(nullptr, screen);
        std::wstring expected = arg.substr(colon + 1);
        Print(L"pixel " + arg.substr(0, colon) + L": " + Hex(color));
        bool differ = !expected.empty() && expected[0] == L'!';
        if ((Hex(color) == expected.substr(differ ? 1 : 0)) == differ) Fail(L"expected " + expected);
    } else if (verb == L"mouse") {
        POINT point = ScreenPoint(arg);
        SetCursorPos(point.x, point.y);
        Sleep(300);
    } else if (verb == L"deactivate") {
        // A window of the driver's own, in the screen's corner, takes the activation.
        static HWND other = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"STATIC", L"driver", WS_POPUP | WS_VISIBLE,
                                            0, 0, 8, 8, nullptr, nullptr, nullptr, nullptr);
        SetForegroundWindow(other);
        Sleep(300);
        if (GetForegroundWindow() == MainWindow()) Fail(L"the main window is still active");
    } else if (verb == L"activate") {
        SetForegroundWindow(MainWindow());
        Sleep(300);
        if (GetForegroundWindow() != MainWindow()) Fail(L"the main window could not be activated");
    } else if (verb == L"repaint") {
        HWND control = ControlNamed(arg);
        RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        Sleep(300);
    } else if (verb == L"button-down" || verb == L"button-up") {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = verb == L"button-down" ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
        if (SendInput(1, &input, sizeof input) != 1) Fail(L"could not press the mouse button");
        Sleep(300);
    } else if (verb == L"key") {
        PressKey(arg);
    } else if (verb == L"focus") {
        HWND focus = FocusOfProgram();
        if (focus != ControlNamed(arg)) Fail(arg + L" does not have the focus (id " + std::to_wstring(GetDlgCtrlID(focus)) + L")");
        Print(L"focus: " + arg);
    } else if (verb == L"font") {
        std::size_t colon = arg.find(L':');
        HWND label = ControlNamed(arg.substr(0, colon));
        std::vector<std::wstring> font = Split(arg.substr(colon + 1), L',');
        RECT bounds{};
        GetClientRect(label, &bounds);
        int expected = TextHeight(label, font.at(0), _wtoi(font.at(1).c_str()));
        Print(arg.substr(0, colon) + L" height " + std::to_wstring(bounds.bottom) + L", text in " + arg.substr(colon + 1) +
              L": " + std::to_wstring(expected));
        if (bounds.bottom != expected) Fail(L"the label's height does not fit its text in " + arg.substr(colon + 1));
    } else {
        return false;
    }
    return true;
}

void Step(const std::wstring& step) {
    std::size_t equals = step.find(L'=');
    std::wstring verb = step.substr(0, equals);
    std::wstring arg = equals == std::wstring::npos ? L"" : step.substr(equals + 1);

    if (verb == L"startup-path") {
        wchar_t* path = nullptr;
        if (FAILED(SHGetKnownFolderPath(FOLDERID_Startup, KF_FLAG_CREATE, nullptr, &path))) Fail(L"no Startup folder");
        Print(path);
        CoTaskMemFree(path);
    } else if (verb == L"start") {
        g_process = Start(arg);
    } else if (verb == L"chooser") {
        WaitFor(kChooserCaption);
        if (FindTopLevel(kMainCaption)) Fail(L"the main window is on screen while the chooser is open");
        Print(L"chooser open");
    } else if (verb == L"select") {
        Select(arg);
    } else if (verb == L"chooser-ok" || verb == L"chooser-cancel") {
        Click(Require(FindChild(Chooser(), verb == L"chooser-ok" ? IDOK : IDCANCEL, WC_BUTTONW), L"chooser button"));
    } else if (verb == L"main") {
        WaitFor(kMainCaption);
        Print(L"main window open");
    } else if (verb == L"label2") {
        std::wstring text = TextOf(Require(FindChild(MainWindow(), kLabel2Id), L"Label2"));
        Print(L"Label2: " + text);
        if (text != arg) Fail(L"Label2 shows \"" + text + L"\", expected \"" + arg + L"\"");
    } else if (verb == L"ok") {
        Click(Require(FindChild(MainWindow(), kOkButtonId), L"OKBtn"));
    } else if (verb == L"close") {
        PostMessageW(MainWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
    } else if (verb == L"box") {
        HWND box = Box();
        // Owned by the main window, which may not be on screen yet.
        HWND owner = GetWindow(box, GW_OWNER);
        DWORD pid = 0;
        GetWindowThreadProcessId(owner, &pid);
        if (!owner || pid != g_process.dwProcessId || TextOf(owner) != kMainCaption)
            Fail(L"the message box is not owned by the main window");
        std::wstring text = TextOf(Require(FindChild(box, 0xFFFF), L"message box text"));
        static std::wstring shown;
        if (text != shown) Print(L"message box: " + (shown = text));
        if (text.find(arg) == std::wstring::npos) Fail(L"the message box does not say \"" + arg + L"\"");
    } else if (verb == L"box-why") {
        std::wstring words = winkit::SystemErrorText(_wtoi(arg.c_str()));
        std::wstring text = TextOf(Require(FindChild(Box(), 0xFFFF), L"message box text"));
        if (text.find(words + L".") == std::wstring::npos) Fail(L"the message box does not say \"" + words + L".\"");
        Print(L"gives the reason: " + words);
    } else if (verb == L"box-ok") {
        Click(Require(FindChild(Box(), -1, WC_BUTTONW), L"message box button"));
        Sleep(300);
    } else if (verb == L"exited") {
        if (WaitForSingleObject(g_process.hProcess, kWaitMs) != WAIT_OBJECT_0) Fail(L"the program did not end");
        DWORD code = 1;
        GetExitCodeProcess(g_process.hProcess, &code);
        if (code != 0) Fail(L"the program ended with code " + std::to_wstring(code));
        Print(L"program ended");
    } else if (verb == L"running") {
        if (WaitForSingleObject(g_process.hProcess, 500) == WAIT_OBJECT_0) Fail(L"the program ended");
        MainWindow();
        Print(L"still running");
    } else if (verb == L"hold") {
        Hold(arg, GENERIC_READ, FILE_SHARE_READ);
    } else if (verb == L"lock") {
        Hold(arg, GENERIC_READ | GENERIC_WRITE, 0);
    } else if (verb == L"release") {
        for (HANDLE file : g_held) CloseHandle(file);
        g_held.clear();
    } else if (verb == L"attrib") {
        auto [path, change] = Pair(arg);
        DWORD attributes = GetFileAttributesW(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) Fail(L"no file " + path);
        attributes = change == L"+r" ? attributes | FILE_ATTRIBUTE_READONLY : attributes & ~FILE_ATTRIBUTE_READONLY;
        if (!SetFileAttributesW(path.c_str(), attributes)) Fail(L"could not change the attributes of " + path);
    } else if (verb == L"copy") {
        auto [from, to] = Pair(arg);
        if (!CopyFileW(from.c_str(), to.c_str(), FALSE)) Fail(L"could not copy " + from + L" to " + to);
    } else if (verb == L"delete") {
        if (!DeleteFileW(arg.c_str()) && !RemoveDirectoryW(arg.c_str())) Fail(L"could not delete " + arg);
    } else if (verb == L"launch") {
        g_launched = Start(arg);
    } else if (verb == L"end-launched") {
        TerminateProcess(g_launched.hProcess, 0);
        if (WaitForSingleObject(g_launched.hProcess, kWaitMs) != WAIT_OBJECT_0) Fail(L"the launched program did not end");
        CloseHandle(g_launched.hProcess);
        g_launched = {};
    } else if (verb == L"shot") {
        std::size_t colon = arg.find(L':');
        std::wstring which = arg.substr(0, colon), file = arg.substr(colon + 1);
        HWND window = which == L"chooser" ? Chooser() : which == L"box" ? Box() : MainWindow();
        Sleep(300);
        Screenshot(window, file);
    } else if (verb == L"same") {
        auto [file, copy] = Pair(arg);
        if (Contents(file) != Contents(copy)) Fail(file + L" does not hold the expected bytes");
        Print(L"unchanged: " + file);
    } else if (verb == L"sleep") {
        Sleep(_wtoi(arg.c_str()));
    } else if (LookStep(verb, arg)) {
    } else {
        Fail(L"unknown step " + step);
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    for (int i = 1; i < argc; ++i) Step(argv[i]);
    if (g_launched.hProcess) TerminateProcess(g_launched.hProcess, 0);
    if (g_process.hProcess && WaitForSingleObject(g_process.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(g_process.hProcess, 1);
        Print(L"FAIL: the program was still running at the end");
        return 1;
    }
    return 0;
}
