#include "DialApp.h"

#include "app/AppFrame.h"
#include "app/Globals.h"
#include "app/Startup.h"
#include "app/FileCommands.h"

#include <commctrl.h>

#include <cstdio>
#include "../win/FileText.h"

#include <cstdlib>
#include <cstring>

namespace {

std::string g_folder;

std::string Path(const char* name) { return g_folder + name; }

// The first fields are FirstName, LastName and Number; then Address, City,
// State, Zip, Email, MiscInfo and TollCall.
const std::string kPhoneBook =
    "; Data for Telvara.exe\r\n; V300\r\n"
    "Zoe,Zimmer,819-567-1234,,,,,,,0\r\n"
    "Anna,Bell,613-555-0199,,,,,anna@example.com,cell 819-555-0142,1\r\n"
    "Ann,Lee,,,,,,,,0\r\n"
    "Short,Number,56,,,,,,,0\r\n"
    "Three,Keys,911,,,,,,,0\r\n"
    "Keys,All,*#01/23456789,,,,,,,0\r\n";

void SetValue(HKEY key, const char* name, const std::string& text) {
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
}

bool g_started = false;

// CreateFileA and SetCommState as the program calls them, through this
// executable's imports from kernel32: noted, then passed on as asked.
using CreateFileCall = HANDLE(WINAPI*)(LPCSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE);
using SetCommStateCall = BOOL(WINAPI*)(HANDLE, LPDCB);
CreateFileCall g_createFile = nullptr;
SetCommStateCall g_setCommState = nullptr;
std::vector<std::string> g_opened;
std::vector<DCB> g_applied;

HANDLE WINAPI NotingCreateFile(LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                               DWORD disposition, DWORD flags, HANDLE templateFile) {
    if (name && !std::strpbrk(name, "\\/:")) g_opened.push_back(name);
    return g_createFile(name, access, share, security, disposition, flags, templateFile);
}

BOOL WINAPI NotingSetCommState(HANDLE port, LPDCB dcb) {
    if (dcb) g_applied.push_back(*dcb);
    return g_setCommState(port, dcb);
}

bool RouteImport(const char* dll, const char* function, void* replacement, void** original) {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!imports.VirtualAddress) return false;
    for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); d->Name; ++d) {
        if (lstrcmpiA(reinterpret_cast<const char*>(base + d->Name), dll) != 0 || !d->OriginalFirstThunk) continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (lstrcmpA(reinterpret_cast<const char*>(byName->Name), function) != 0) continue;
            DWORD was = 0;
            if (!VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &was)) return false;
            *original = reinterpret_cast<void*>(slots->u1.Function);
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, was, &was);
            return true;
        }
    }
    return false;
}

}  // namespace

const std::vector<std::string>& OpenedDevices() { return g_opened; }
const std::vector<DCB>& AppliedPortSettings() { return g_applied; }
void ClearPortCalls() {
    g_opened.clear();
    g_applied.clear();
}

std::string Describe(const DCB& d) {
    char text[512];
    std::snprintf(text, sizeof text,
                  "BaudRate=%lu ByteSize=%d Parity=%d StopBits=%d fBinary=%d fParity=%d fOutxCtsFlow=%d "
                  "fOutxDsrFlow=%d fDtrControl=%d fDsrSensitivity=%d fTXContinueOnXoff=%d fOutX=%d fInX=%d "
                  "fErrorChar=%d fNull=%d fRtsControl=%d fAbortOnError=%d XonLim=%d XoffLim=%d XonChar=%d "
                  "XoffChar=%d ErrorChar=%d EofChar=%d EvtChar=%d",
                  static_cast<unsigned long>(d.BaudRate), d.ByteSize, d.Parity, d.StopBits, d.fBinary, d.fParity,
                  d.fOutxCtsFlow, d.fOutxDsrFlow, d.fDtrControl, d.fDsrSensitivity, d.fTXContinueOnXoff, d.fOutX,
                  d.fInX, d.fErrorChar, d.fNull, d.fRtsControl, d.fAbortOnError, d.XonLim, d.XoffLim, d.XonChar,
                  d.XoffChar, d.ErrorChar, d.EofChar, d.EvtChar);
    return text;
}

bool PollUntil(const std::function<bool()>& done, DWORD deadlineMs) {
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > deadlineMs) return done();
        Sleep(10);
    }
    return true;
}

UnixLog::UnixLog(const char* variable) : variable_(variable) {
    const char* unixPath = std::getenv(variable);
    if (!unixPath || !*unixPath) return;
    path_ = std::string("Z:") + unixPath;
    for (char& c : path_)
        if (c == '/') c = '\\';
}

std::string UnixLog::Read() const {
    std::string text;
    if (path_.empty()) return text;
    HANDLE f = CreateFileA(path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return text;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(f, buffer, sizeof buffer, &got, nullptr) && got) text.append(buffer, got);
    CloseHandle(f);
    return text;
}

std::string UnixLog::Since(std::size_t mark) const {
    std::string all = Read();
    return all.size() > mark ? all.substr(mark) : std::string();
}

std::string UnixLog::WaitFor(std::size_t mark, std::size_t bytes, DWORD deadlineMs) const {
    std::string added;
    PollUntil(
        [&] {
            added = Since(mark);
            return added.size() >= bytes;
        },
        deadlineMs);
    return added;
}

UnixLog& ModemLog() {
    static UnixLog log("TELVARA_MODEM_LOG");
    return log;
}
UnixLog& PortLog() {
    static UnixLog log("TELVARA_PORT_LOG");
    return log;
}
UnixLog& PlayedLog() {
    static UnixLog log("TELVARA_PLAYED_LOG");
    return log;
}
UnixLog& BrowserLog() {
    static UnixLog log("TELVARA_BROWSER_LOG");
    return log;
}

void BoxAnswers::Answer(HWND box) {
    texts.push_back(g_msgBox.Text());
    captions.push_back(TextOf(box));
    if (whileShown_) whileShown_();
    for (int i = 0; i < MsgBox::ButtonsInUse(); ++i) {
        HWND button = MsgBox::AnswerButton(i).Handle();
        if (TextOf(button) == "&Ok") {
            SendMessageA(button, BM_CLICK, 0, 0);
            return;
        }
    }
    ADD_FAILURE() << "the box has no OK button";
    SendMessageA(box, WM_CLOSE, 0, 0);
}

namespace {
std::string LastLine(const std::string& text) {
    std::size_t end = text.size();
    while (end && (text[end - 1] == '\n' || text[end - 1] == '\r')) --end;
    std::size_t start = text.rfind('\n', end ? end - 1 : 0);
    start = start == std::string::npos ? 0 : start + 1;
    return end > start ? text.substr(start, end - start) : std::string();
}
}  // namespace

ModemDial DialThroughModem(const std::function<void()>& dial, const std::string& command) {
    ModemDial d;
    std::size_t mark = ModemLog().Size();
    ClearPortCalls();
    {
        BoxAnswers boxes([&] {
            d.whileShown = ModemLog().WaitFor(mark, command.size());
            d.portWhileShown = LastLine(PortLog().Read());
        });
        dial();
        d.texts = boxes.texts;
        d.captions = boxes.captions;
    }
    // Without a box nothing was waited for: whatever came is all there is.
    d.sent = d.texts.empty() ? ModemLog().Since(mark) : ModemLog().WaitFor(mark, command.size() + 4);
    d.applied = AppliedPortSettings();
    d.opened = OpenedDevices();
    return d;
}

void DialApp::SetUpTestSuite() {
    if (g_started) return;
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    g_folder = std::string(temp) + "telvara-dial\\";
    CreateDirectoryA(g_folder.c_str(), nullptr);
    WriteFileText(Path("dial.csv"), kPhoneBook);
    HKEY key;
    RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    SetValue(key, "Fname", Path("dial.csv"));
    SetValue(key, "AreaCode", "819");
    DWORD port = 2;
    RegSetValueExA(key, "ComNum", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&port), sizeof port);
    RegCloseKey(key);
    if (!RouteImport("kernel32.dll", "CreateFileA", reinterpret_cast<void*>(&NotingCreateFile),
                     reinterpret_cast<void**>(&g_createFile)))
        ADD_FAILURE() << "CreateFileA is not imported from kernel32.dll";
    if (!RouteImport("kernel32.dll", "SetCommState", reinterpret_cast<void*>(&NotingSetCommState),
                     reinterpret_cast<void**>(&g_setCommState)))
        ADD_FAILURE() << "SetCommState is not imported from kernel32.dll";
    g_started = StartUp(GetModuleHandleA(nullptr), "\"C:\\Program Files\\Telvara\\telvara.exe\"", SW_SHOWNORMAL);
}

void DialApp::SetUp() {
    ASSERT_TRUE(g_started);
    ASSERT_TRUE(IsWindow(g_frame.Handle()));
    for (UnixLog* log : {&ModemLog(), &PortLog()})
        ASSERT_TRUE(log->Known()) << log->Variable() << " must name the fake modem's log";
    WriteFileText(Path("dial.csv"), kPhoneBook);
    LoadDataFileFrom(Path("dial.csv").c_str());
    std::snprintf(g_settings.Prefix, sizeof g_settings.Prefix, "%s", "ATDT");
    g_settings.NumberPrefix[0] = '\0';
    std::snprintf(g_settings.AreaCode, sizeof g_settings.AreaCode, "%s", "819");
    g_settings.TenDigitLocal = 0;
    g_settings.ToneDial = 0;
    g_settings.ComNum = 2;
    g_settings.Speed = 3;
    PumpQueued();
}

void DialApp::Select(const char* firstName) {
    g_listView.SetItemState(-1, 0, LVIS_SELECTED);
    if (firstName) {
        int found = -1;
        for (int i = 0; i < g_listView.GetItemCount(); ++i) {
            char text[64] = {};
            LVITEMA item = {};
            item.pszText = text;
            item.cchTextMax = sizeof text;
            SendMessageA(g_listView.Handle(), LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
            if (std::strcmp(text, firstName) == 0) found = i;
        }
        ASSERT_GE(found, 0) << firstName << " is not in the list";
        g_listView.SelectItem(found);
    }
    PumpQueued();
}

void DialApp::Command(int id) { SendMessageA(g_frame.Handle(), WM_COMMAND, id, 0); }
