#include "ProgramDriver.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstdint>
#include <cstring>

bool PollUntil(const std::function<bool()>& done, DWORD timeoutMs, DWORD intervalMs) {
    DWORD start = GetTickCount();
    for (;;) {
        if (done()) return true;
        if (GetTickCount() - start > timeoutMs) return done();
        Sleep(intervalMs);  // the interval between two looks, not a guess at a duration
    }
}

std::string WindowsPathOfUnixPath(const std::string& unixPath) {
    std::string path = "Z:" + unixPath;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

RemoteMemory::RemoteMemory(HANDLE process, std::size_t size)
    : process_(process),
      address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)),
      size_(size) {}

RemoteMemory::~RemoteMemory() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
}

bool RemoteMemory::Write(std::size_t offset, const void* data, std::size_t size) const {
    if (!address_ || offset > size_ || size > size_ - offset) return false;
    SIZE_T done = 0;
    return WriteProcessMemory(process_, At(offset), data, size, &done) && done == size;
}

bool RemoteMemory::Read(std::size_t offset, void* data, std::size_t size) const {
    if (!address_ || offset > size_ || size > size_ - offset) return false;
    SIZE_T done = 0;
    return ReadProcessMemory(process_, At(offset), data, size, &done) && done == size;
}

std::optional<std::string> ReadRemoteText(HANDLE process, const void* address, std::size_t limit) {
    std::string text;
    auto p = reinterpret_cast<std::uintptr_t>(address);
    while (text.size() < limit) {
        // Never read across a page end in one go: the next page may not exist.
        std::size_t chunk = 4096 - (p % 4096);
        if (chunk > limit - text.size()) chunk = limit - text.size();
        char buffer[4096];
        SIZE_T got = 0;
        if (!ReadProcessMemory(process, reinterpret_cast<const void*>(p), buffer, chunk, &got) || got == 0)
            return std::nullopt;
        const char* end = static_cast<const char*>(std::memchr(buffer, '\0', got));
        if (end) {
            text.append(buffer, static_cast<std::size_t>(end - buffer));
            return text;
        }
        text.append(buffer, got);
        p += got;
    }
    return std::nullopt;  // no terminator within the limit
}

std::optional<LRESULT> SendTo(HWND hwnd, UINT message, WPARAM w, LPARAM l, DWORD timeoutMs) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(hwnd, message, w, l, SMTO_NORMAL, timeoutMs, &result)) return std::nullopt;
    return static_cast<LRESULT>(result);
}

std::string WindowText(HWND hwnd) {
    char text[512] = "";
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

std::string ClassName(HWND hwnd) {
    char name[128] = "";
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

RunningProgram::~RunningProgram() {
    if (process_) {
        if (Running()) {
            TerminateProcess(process_, 99);
            WaitForSingleObject(process_, 10000);
        }
        CloseHandle(process_);
    }
    if (thread_) CloseHandle(thread_);
}

bool RunningProgram::Start(const std::string& exe, const std::string& folder) {
    char commandLine[MAX_PATH + 8];
    std::snprintf(commandLine, sizeof commandLine, "\"%s\"", exe.c_str());
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(exe.c_str(), commandLine, nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &si, &pi))
        return false;
    process_ = pi.hProcess;
    thread_ = pi.hThread;
    id_ = pi.dwProcessId;
    WaitForInputIdle(process_, 30000);
    return true;
}

bool RunningProgram::Running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

namespace {

// A visible top-level window of a process, of a class and, when `caption`
// is not null, with that caption; other than `other`.
struct WindowSearch {
    DWORD process;
    const char* className;
    const char* caption;
    HWND other;
    HWND found;
};

BOOL CALLBACK FindTopWindow(HWND hwnd, LPARAM l) {
    auto* s = reinterpret_cast<WindowSearch*>(l);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner != s->process || hwnd == s->other || !IsWindowVisible(hwnd)) return TRUE;
    if (ClassName(hwnd) != s->className || (s->caption && WindowText(hwnd) != s->caption)) return TRUE;
    s->found = hwnd;
    return FALSE;
}

}  // namespace

HWND RunningProgram::TopWindow(const char* className) const {
    WindowSearch search{id_, className, nullptr, nullptr, nullptr};
    EnumWindows(&FindTopWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool RunningProgram::WaitForFrame(DWORD timeoutMs) {
    bool found = PollUntil(
        [&] {
            frame_ = TopWindow("MainClass");
            return frame_ != nullptr || !Running();
        },
        timeoutMs);
    if (!found || !frame_) return false;
    list_ = FindWindowExA(frame_, nullptr, WC_LISTVIEWA, nullptr);
    status_ = FindWindowExA(frame_, nullptr, STATUSCLASSNAMEA, nullptr);
    return list_ && status_;
}

HWND RunningProgram::WaitForBox(DWORD timeoutMs, HWND other) const {
    HWND box = nullptr;
    PollUntil(
        [&] {
            WindowSearch search{id_, "CMSGCLASS", nullptr, other, nullptr};
            EnumWindows(&FindTopWindow, reinterpret_cast<LPARAM>(&search));
            box = search.found;
            return box != nullptr || !Running();
        },
        timeoutMs);
    // Made, but not necessarily finished: its buttons come with it, and the
    // wait for its answer starts once they are there.
    if (box && !PollUntil([&] { return FindWindowExA(box, nullptr, "BUTTON", nullptr) != nullptr; }, timeoutMs))
        return nullptr;
    return box;
}

std::optional<std::string> RunningProgram::BoxText(HWND box) const {
    // The property may be set just after the window is made; once a message
    // has gone through the box's wait, it is there or never will be.
    HANDLE address = GetPropA(box, "TelvaraText");
    if (!address && SendTo(box, WM_NULL, 0, 0)) address = GetPropA(box, "TelvaraText");
    if (!address) return std::nullopt;
    return ReadRemoteText(process_, address);
}

std::vector<std::string> RunningProgram::BoxButtons(HWND box) const {
    std::vector<std::string> texts;
    for (HWND b = FindWindowExA(box, nullptr, "BUTTON", nullptr); b; b = FindWindowExA(box, b, "BUTTON", nullptr))
        texts.push_back(WindowText(b));
    return texts;
}

bool RunningProgram::AnswerBox(HWND box, DWORD timeoutMs) const {
    HWND button = FindWindowExA(box, nullptr, "BUTTON", nullptr);
    if (!button || !SendTo(button, BM_CLICK, 0, 0, timeoutMs)) return false;
    return PollUntil([&] { return !IsWindow(box); }, timeoutMs);
}

bool RunningProgram::AnswerBoxWith(HWND box, int index, DWORD timeoutMs) const {
    HWND button = FindWindowExA(box, nullptr, "BUTTON", nullptr);
    for (int i = 0; button && i < index; ++i) button = FindWindowExA(box, button, "BUTTON", nullptr);
    if (!button || !SendTo(button, BM_CLICK, 0, 0, timeoutMs)) return false;
    return PollUntil([&] { return !IsWindow(box); }, timeoutMs);
}

HWND RunningProgram::WaitForDialog(DWORD timeoutMs) const {
    HWND dialog = nullptr;
    PollUntil(
        [&] {
            dialog = TopWindow("#32770");
            return dialog != nullptr || !Running();
        },
        timeoutMs);
    // Its controls come with it; it is ready once its procedure answers.
    if (dialog && !PollUntil([&] { return GetWindow(dialog, GW_CHILD) && SendTo(dialog, WM_NULL, 0, 0); }, timeoutMs))
        return nullptr;
    return dialog;
}

HWND RunningProgram::BarButton(const char* text) const {
    HWND bar = FindWindowExA(frame_, nullptr, "BtnBarClass", nullptr);
    for (HWND b = bar ? FindWindowExA(bar, nullptr, "BUTTON", nullptr) : nullptr; b;
         b = FindWindowExA(bar, b, "BUTTON", nullptr))
        if (WindowText(b) == text) return b;
    return nullptr;
}

bool RunningProgram::Settled(DWORD timeoutMs) const { return frame_ && SendTo(frame_, WM_NULL, 0, 0, timeoutMs); }

int RunningProgram::ItemCount() const {
    auto n = SendTo(list_, LVM_GETITEMCOUNT, 0, 0);
    return n ? static_cast<int>(*n) : -1;
}

int RunningProgram::SelectedItem() const {
    auto n = SendTo(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    return n ? static_cast<int>(*n) : -2;
}

std::string RunningProgram::ItemText(int item, int subItem) const {
    constexpr std::size_t kTextAt = 512, kTextSize = 1024;
    RemoteMemory memory(process_, kTextAt + kTextSize);
    if (!memory.Valid()) return "<no remote memory>";
    LVITEMA lv = {};
    lv.iSubItem = subItem;
    lv.pszText = memory.At(kTextAt);
    lv.cchTextMax = static_cast<int>(kTextSize);
    const char empty = '\0';
    if (!memory.Write(0, &lv, sizeof lv) || !memory.Write(kTextAt, &empty, 1)) return "<write failed>";
    if (!SendTo(list_, LVM_GETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(memory.At(0))))
        return "<no answer>";
    char text[kTextSize + 1] = "";
    if (!memory.Read(kTextAt, text, kTextSize)) return "<read failed>";
    text[kTextSize] = '\0';
    return text;
}

std::string RunningProgram::StatusText(int part) const {
    auto length = SendTo(status_, SB_GETTEXTLENGTHA, static_cast<WPARAM>(part), 0);
    if (!length) return "<no answer>";
    std::size_t size = LOWORD(*length) + 1;
    RemoteMemory memory(process_, size);
    std::vector<char> text(size, '\0');
    if (!memory.Valid() || !memory.Write(0, text.data(), size)) return "<write failed>";
    if (!SendTo(status_, SB_GETTEXTA, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(memory.At(0))))
        return "<no answer>";
    if (!memory.Read(0, text.data(), size)) return "<read failed>";
    text[size - 1] = '\0';
    return text.data();
}

int RunningProgram::ItemImage(int item) const {
    RemoteMemory memory(process_, sizeof(LVITEMA));
    LVITEMA lv = {};
    lv.mask = LVIF_IMAGE;
    lv.iItem = item;
    lv.iImage = -1;
    if (!memory.Write(0, &lv, sizeof lv) || !SendTo(list_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(memory.At(0))) ||
        !memory.Read(0, &lv, sizeof lv))
        return -1;
    return lv.iImage;
}

std::string RunningProgram::TreeItemText(HWND tree, HTREEITEM item) const {
    constexpr std::size_t kTextAt = 512, kTextSize = 512;
    RemoteMemory memory(process_, kTextAt + kTextSize);
    if (!memory.Valid()) return "<no remote memory>";
    TVITEMA tv = {};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = memory.At(kTextAt);
    tv.cchTextMax = static_cast<int>(kTextSize);
    const char empty = '\0';
    if (!memory.Write(0, &tv, sizeof tv) || !memory.Write(kTextAt, &empty, 1)) return "<write failed>";
    if (!SendTo(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(memory.At(0)))) return "<no answer>";
    char text[kTextSize + 1] = "";
    if (!memory.Read(kTextAt, text, kTextSize)) return "<read failed>";
    text[kTextSize] = '\0';
    return text;
}

bool RunningProgram::SelectItem(int item) const {
    RemoteMemory memory(process_, sizeof(LVITEMA));
    LVITEMA lv = {};
    lv.state = lv.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    if (!memory.Write(0, &lv, sizeof lv)) return false;
    auto done = SendTo(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(memory.At(0)));
    return done && *done;
}

bool RunningProgram::BringToFront(DWORD timeoutMs) const {
    return PollUntil(
        [&] {
            if (GetForegroundWindow() == frame_) return true;
            SetForegroundWindow(frame_);
            return false;
        },
        timeoutMs);
}

bool RunningProgram::PostCommand(int id) const {
    return frame_ && PostMessageA(frame_, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

bool RunningProgram::RunCommand(int id, DWORD timeoutMs) const {
    return frame_ && SendTo(frame_, WM_COMMAND, MAKEWPARAM(id, 0), 0, timeoutMs).has_value();
}

HWND RunningProgram::WaitForDialog(const char* caption, DWORD timeoutMs, HWND other) const {
    WindowSearch search{id_, "#32770", caption, other, nullptr};
    PollUntil(
        [&] {
            search.found = nullptr;
            EnumWindows(&FindTopWindow, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr || !Running();
        },
        timeoutMs);
    // Its controls come with WM_INITDIALOG; once a message has gone through
    // its loop, they are filled in.
    if (search.found && !SendTo(search.found, WM_NULL, 0, 0)) return nullptr;
    return search.found;
}

bool RunningProgram::WaitForExit(DWORD timeoutMs, DWORD& exitCode) {
    if (!process_ || WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) return false;
    return GetExitCodeProcess(process_, &exitCode) != 0;
}

bool RunningProgram::Close(DWORD timeoutMs, DWORD& exitCode) {
    if (!frame_ || !PostMessageA(frame_, WM_CLOSE, 0, 0)) return false;
    return WaitForExit(timeoutMs, exitCode);
}

bool SetControlText(HWND control, const std::string& text) {
    // The system carries the text of WM_SETTEXT across to the other process.
    auto done = SendTo(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    return done && *done;
}

bool ClickThroughX(int x, int y, int button) {
    const char* xdotool = "Z:\\usr\\bin\\xdotool";
    if (GetFileAttributesA(xdotool) == INVALID_FILE_ATTRIBUTES) return false;
    char line[160];
    std::snprintf(line, sizeof line, "%s mousemove --sync %d %d click %d", xdotool, x, y, button);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    return CreateProcessA(nullptr, line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi) != FALSE;
}

bool TypeKeys(const std::vector<WORD>& keys) {
    std::vector<INPUT> inputs;
    for (WORD key : keys) {
        INPUT in = {};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = key;
        in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
        inputs.push_back(in);
    }
    for (auto k = keys.rbegin(); k != keys.rend(); ++k) {
        INPUT in = {};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = *k;
        in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(*k, MAPVK_VK_TO_VSC));
        in.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(in);
    }
    UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    return sent == inputs.size();
}

int RunAndWait(const std::string& commandLine, DWORD timeoutMs) {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE nul = CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                             OPEN_EXISTING, 0, nullptr);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    if (nul != INVALID_HANDLE_VALUE) {
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdInput = si.hStdOutput = si.hStdError = nul;
    }
    PROCESS_INFORMATION pi = {};
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    BOOL started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, nul != INVALID_HANDLE_VALUE, 0, nullptr,
                                  nullptr, &si, &pi);
    if (nul != INVALID_HANDLE_VALUE) CloseHandle(nul);
    if (!started) return -1;
    int code = -1;
    DWORD exitCode = 0;
    if (WaitForSingleObject(pi.hProcess, timeoutMs) == WAIT_OBJECT_0 && GetExitCodeProcess(pi.hProcess, &exitCode))
        code = static_cast<int>(exitCode);
    else
        TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return code;
}

std::string RegistryValue::Text() const {
    std::string text(Data.begin(), Data.end());
    std::size_t end = text.find('\0');
    return end == std::string::npos ? text : text.substr(0, end);
}

DWORD RegistryValue::Number() const {
    DWORD n = 0;
    if (Data.size() == sizeof n) std::memcpy(&n, Data.data(), sizeof n);
    return n;
}

std::optional<RegistryValue> ReadRegistryValue(const char* key, const char* name) {
    HKEY k;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &k) != ERROR_SUCCESS) return std::nullopt;
    RegistryValue value;
    DWORD size = 0;
    LONG r = RegQueryValueExA(k, name, nullptr, &value.Type, nullptr, &size);
    if (r == ERROR_SUCCESS) {
        value.Data.resize(size);
        r = RegQueryValueExA(k, name, nullptr, &value.Type, value.Data.data(), &size);
        value.Data.resize(size);
    }
    RegCloseKey(k);
    if (r != ERROR_SUCCESS) return std::nullopt;
    return value;
}

bool DeleteRegistryTree(const char* key) {
    LONG r = RegDeleteTreeA(HKEY_CURRENT_USER, key);
    if (r == ERROR_SUCCESS || r == ERROR_FILE_NOT_FOUND) {
        // The key itself goes too.
        r = RegDeleteKeyA(HKEY_CURRENT_USER, key);
        return r == ERROR_SUCCESS || r == ERROR_FILE_NOT_FOUND;
    }
    return false;
}

bool ClickControl(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    return control && SendTo(control, BM_CLICK, 0, 0).has_value();
}

bool CloseWithCloseBox(HWND window) { return SendTo(window, WM_SYSCOMMAND, SC_CLOSE, 0).has_value(); }

bool IsButtonChecked(HWND dialog, int id) {
    auto state = SendTo(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0);
    return state && *state == BST_CHECKED;
}

std::string ControlText(HWND control) {
    char text[512] = "";
    if (!SendTo(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text))) return "<no answer>";
    text[sizeof text - 1] = '\0';
    return text;
}

bool DragSlider(HWND dialog, int id, int position) {
    HWND slider = GetDlgItem(dialog, id);
    auto from = SendTo(slider, TBM_GETPOS, 0, 0);
    if (!slider || !from) return false;
    // The thumb passes every position on its way, as a drag shows it.
    int step = position >= *from ? 1 : -1;
    auto scroll = [&](WORD code, int at) {
        return SendTo(dialog, WM_HSCROLL, MAKEWPARAM(code, at), reinterpret_cast<LPARAM>(slider)).has_value();
    };
    for (int at = static_cast<int>(*from); at != position;) {
        at += step;
        if (!SendTo(slider, TBM_SETPOS, TRUE, at) || !scroll(TB_THUMBTRACK, at)) return false;
    }
    return scroll(TB_THUMBPOSITION, position) && scroll(TB_ENDTRACK, 0);
}

int SliderPosition(HWND dialog, int id) {
    auto position = SendTo(GetDlgItem(dialog, id), TBM_GETPOS, 0, 0);
    return position ? static_cast<int>(*position) : -1;
}

bool ClickControl(HWND control) { return control && SendTo(control, BM_CLICK, 0, 0).has_value(); }

bool PressDialogButton(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    return button && PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

std::string UnixPathOf(const std::string& windowsPath) {
    using UnixName = char*(CDECL*)(const WCHAR*);
    FARPROC found = GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name");
    // Through void* first: the entry's real type is known, FARPROC's is not.
    auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(found));
    if (!unixName) return std::string();
    std::vector<WCHAR> wide(windowsPath.size() + 1);
    MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
    char* name = unixName(wide.data());
    if (!name) return std::string();
    std::string path = name;
    HeapFree(GetProcessHeap(), 0, name);
    return path;
}

BrowserRecord::BrowserRecord() {
    const char* log = std::getenv("TELVARA_BROWSER_LOG");
    const char* script = std::getenv("TELVARA_TEST_BROWSER");
    if (!log || !*log || !script || !*script) {
        problem_ =
            "TELVARA_BROWSER_LOG and TELVARA_TEST_BROWSER must name the recording browser and its "
            "log";
        return;
    }
    log_ = WindowsPathOfUnixPath(log);
    script_ = script;
}

bool BrowserRecord::Register() const {
    if (!problem_.empty()) return false;
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\WineBrowser", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    DWORD size = static_cast<DWORD>(script_.size() + 1);
    const auto* data = reinterpret_cast<const BYTE*>(script_.c_str());
    bool ok = RegSetValueExA(key, "Browsers", 0, REG_SZ, data, size) == ERROR_SUCCESS &&
              RegSetValueExA(key, "Mailers", 0, REG_SZ, data, size) == ERROR_SUCCESS;
    RegCloseKey(key);
    // A prefix booted without Wine's HTML engine does not know .htm files as
    // web pages; on Windows a browser always claims them.  The class itself,
    // opened by winebrowser, is there.  Wine's shell looks for the extension
    // in the machine's classes only.
    for (const char* extension : {"Software\\Classes\\.htm", "Software\\Classes\\.html"}) {
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, extension, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
            ERROR_SUCCESS)
            return false;
        static const char kClass[] = "htmlfile";
        ok = RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(kClass), sizeof kClass) ==
                 ERROR_SUCCESS &&
             ok;
        RegCloseKey(key);
    }
    return ok;
}

std::string BrowserRecord::Since(std::size_t mark) const {
    std::string text;
    HANDLE f =
        CreateFileA(log_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return text;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(f, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
    CloseHandle(f);
    return mark < text.size() ? text.substr(mark) : std::string();
}

std::size_t BrowserRecord::Mark() const {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(log_.c_str(), GetFileExInfoStandard, &data)) return 0;
    return data.nFileSizeLow;
}

std::optional<std::string> BrowserRecord::WaitForLine(std::size_t mark, const std::string& part,
                                                      DWORD timeoutMs) const {
    std::optional<std::string> line;
    PollUntil(
        [&] {
            std::string text = Since(mark);
            std::size_t at = text.find(part);
            if (at == std::string::npos) return false;
            std::size_t start = text.rfind('\n', at);
            start = start == std::string::npos ? 0 : start + 1;
            std::size_t end = text.find('\n', at);
            if (end == std::string::npos) return false;  // not finished yet
            line = text.substr(start, end - start);
            return true;
        },
        timeoutMs);
    return line;
}

ULONGLONG LastWriteTime(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    return (static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
}

bool SetWriteTime(const std::string& path, WORD year, WORD month, WORD day) {
    HANDLE f = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    SYSTEMTIME st = {year, month, 0, day, 12, 0, 0, 0};
    FILETIME ft;
    SystemTimeToFileTime(&st, &ft);
    BOOL ok = SetFileTime(f, nullptr, nullptr, &ft);
    CloseHandle(f);
    return ok != 0;
}

bool MakeOld(const std::string& path) { return SetWriteTime(path, 2001, 1, 1); }
