#pragma once
// Drives the real telvara.exe from another process, as a user and an onlooker
// would: starts it, finds its windows, reads what they show (texts that live in
// the program's memory are read through a buffer allocated in its process),
// answers its message boxes, presses keys and closes it.  Every wait polls a
// condition against a deadline.

#include <windows.h>
#include <commctrl.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// Polls `done` until it holds or `timeoutMs` has passed; true when it held.
// `intervalMs` apart (a benchmark looks every millisecond).
bool PollUntil(const std::function<bool()>& done, DWORD timeoutMs, DWORD intervalMs = 10);

// "Z:\work\..." for a Unix path, through Wine's drive Z:.
std::string WindowsPathOfUnixPath(const std::string& unixPath);

// A block of memory inside another process.
class RemoteMemory {
public:
    RemoteMemory(HANDLE process, std::size_t size);
    ~RemoteMemory();
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    bool Valid() const { return address_ != nullptr; }
    // The address as the other process sees it.
    char* At(std::size_t offset) const { return static_cast<char*>(address_) + offset; }
    bool Write(std::size_t offset, const void* data, std::size_t size) const;
    bool Read(std::size_t offset, void* data, std::size_t size) const;

private:
    HANDLE process_;
    void* address_;
    std::size_t size_;
};

// A NUL-terminated text at `address` in `process`, at most `limit` bytes.
std::optional<std::string> ReadRemoteText(HANDLE process, const void* address, std::size_t limit = 4096);

// Sends and waits for the answer; nullopt when the program did not answer in time.
std::optional<LRESULT> SendTo(HWND hwnd, UINT message, WPARAM w, LPARAM l, DWORD timeoutMs = 10000);

std::string WindowText(HWND hwnd);
std::string ClassName(HWND hwnd);

class RunningProgram {
public:
    RunningProgram() = default;
    ~RunningProgram();  // a program still running is ended, so that one failure stays in its test
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    // CreateProcessA of `exe` with its quoted path as the whole command line,
    // in `folder`; then waits for its first idle moment.
    bool Start(const std::string& exe, const std::string& folder);
    HANDLE Process() const { return process_; }
    DWORD Id() const { return id_; }
    bool Running() const;

    // The visible top-level window of this process of that class, or null.
    HWND TopWindow(const char* className) const;
    // Waits for the main window ("MainClass") and finds its list view and status bar.
    bool WaitForFrame(DWORD timeoutMs);
    HWND Frame() const { return frame_; }
    HWND List() const { return list_; }
    HWND Status() const { return status_; }

    // A visible message box ("CMSGCLASS") of this process other than `other`.
    HWND WaitForBox(DWORD timeoutMs, HWND other = nullptr) const;
    // The box's text, through its "TelvaraText" property; nullopt when the box
    // has none once it waits for its answer.
    std::optional<std::string> BoxText(HWND box) const;
    // The texts of the box's buttons, in order.
    std::vector<std::string> BoxButtons(HWND box) const;
    // Clicks the box's first button and waits until the box is gone.
    bool AnswerBox(HWND box, DWORD timeoutMs = 10000) const;
    // Clicks the box's button `index` (0 the first) and waits until it is gone.
    bool AnswerBoxWith(HWND box, int index, DWORD timeoutMs = 10000) const;

    // A visible dialog ("#32770") of this process, once it has its controls.
    HWND WaitForDialog(DWORD timeoutMs) const;
    // The button of the main window's button bar with that text, or null.
    HWND BarButton(const char* text) const;

    // One round trip through the program's message queue: true once it has
    // finished everything it was doing before.  A sent message overtakes
    // posted ones, so this does not wait for a command from PostCommand.
    bool Settled(DWORD timeoutMs = 10000) const;

    int ItemCount() const;
    int SelectedItem() const;
    std::string ItemText(int item, int subItem) const;
    std::string StatusText(int part) const;
    int ItemImage(int item) const;  // -1 when it cannot be read
    // The text of a tree-view item of this process.
    std::string TreeItemText(HWND tree, HTREEITEM item) const;
    // Selects and focuses the item, as a click on it does.
    bool SelectItem(int item) const;

    // Makes the main window the foreground window; false when it cannot.
    bool BringToFront(DWORD timeoutMs = 5000) const;

    // Sends a command to the main window as its menu item does, without
    // waiting for it: the command may open a dialog that waits for a click.
    bool PostCommand(int id) const;
    // Sends a command that opens nothing and waits until it is done.
    bool RunCommand(int id, DWORD timeoutMs = 10000) const;
    // A visible dialog ("#32770") of this process other than `other`, with
    // that caption when `caption` is not null, once a message has gone
    // through its loop (its controls are filled in then); or null.
    HWND WaitForDialog(const char* caption, DWORD timeoutMs, HWND other = nullptr) const;

    // WM_CLOSE to the main window, then waits for the process to end.
    bool Close(DWORD timeoutMs, DWORD& exitCode);
    bool WaitForExit(DWORD timeoutMs, DWORD& exitCode);

private:
    HANDLE process_ = nullptr;
    HANDLE thread_ = nullptr;
    DWORD id_ = 0;
    HWND frame_ = nullptr;
    HWND list_ = nullptr;
    HWND status_ = nullptr;
};

// Presses the keys down in order and lets them go in reverse order, as typed.
bool TypeKeys(const std::vector<WORD>& keys);

// Clicks `button` (3: right) at a screen point through the X server (the
// desktop sits at its origin) with xdotool, which Wine starts as the Unix
// program it is, with no handle to wait on: the caller waits for the effect.
bool ClickThroughX(int x, int y, int button);

// Runs a Windows program with the given command line, its output discarded;
// the exit code, or -1 when it did not start or end in time.
int RunAndWait(const std::string& commandLine, DWORD timeoutMs = 30000);

// A file's last write time (0 when it cannot be had); setting it to noon of
// a day, so that every time zone sees that date; an old one, so that any
// rewrite shows.
ULONGLONG LastWriteTime(const std::string& path);
bool SetWriteTime(const std::string& path, WORD year, WORD month, WORD day);
bool MakeOld(const std::string& path);

// The registry of the current user, as reg.exe and the program see it.
struct RegistryValue {
    DWORD Type = REG_NONE;
    std::vector<unsigned char> Data;
    std::string Text() const;  // a REG_SZ without its terminator
    DWORD Number() const;      // a REG_DWORD
};
std::optional<RegistryValue> ReadRegistryValue(const char* key, const char* name);
bool DeleteRegistryTree(const char* key);

// Controls of another process's dialog, driven the way clicks and drags are.
// Clicks a button (check box, radio button, OK) and waits for its answer.
bool ClickControl(HWND dialog, int id);
// Closes a window with its close box (the system menu's Close).
bool CloseWithCloseBox(HWND window);
bool IsButtonChecked(HWND dialog, int id);
// A click on a check box or radio button, which opens nothing modal.
bool ClickControl(HWND control);
// A click on a dialog's push button, posted as the button's notification, so
// that a box the click opens does not hold up the caller.
bool PressDialogButton(HWND dialog, int id);
// The text a control shows and sets, as typing it would (WM_GETTEXT and
// WM_SETTEXT go across processes whole).
std::string ControlText(HWND control);
bool SetControlText(HWND control, const std::string& text);
// Moves a slider as a drag by its thumb does: the new position, then the
// scroll messages the dialog gets while the thumb moves and when it is let go.
bool DragSlider(HWND dialog, int id, int position);
int SliderPosition(HWND dialog, int id);

// The Unix path of a Windows path, as Wine maps it; empty when it cannot.
std::string UnixPathOf(const std::string& windowsPath);

// The stand-in browser and mail program (tests/gui/record-browser.sh), which
// appends what it was asked to open to the file TELVARA_BROWSER_LOG names.
class BrowserRecord {
public:
    BrowserRecord();
    // Why the record cannot be used, or empty when it can.
    const std::string& Problem() const { return problem_; }
    // Points the shell's web and mail handlers of this prefix at the script
    // TELVARA_TEST_BROWSER names.
    bool Register() const;
    // How much has been recorded so far, to look at what comes after.
    std::size_t Mark() const;
    // Waits for a recorded line after `mark` that holds `part`; the line.
    std::optional<std::string> WaitForLine(std::size_t mark, const std::string& part, DWORD timeoutMs) const;
    std::string Since(std::size_t mark) const;

private:
    std::string log_;
    std::string script_;
    std::string problem_;
};
