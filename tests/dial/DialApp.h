#pragma once
// The running program in this process with a phone book to dial from, and
// the Unix side of the run as the tests see it: what the fake modem
// received, the port settings it saw, the sound the speakers played and what
// the browser stand-in was asked to open.  The program starts once; every
// test puts the phone book and the dial settings back first.

#include "../gui/GuiTest.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// Polls `done` until it holds or `deadlineMs` passes; no messages are
// dispatched meanwhile.  Returns whether it held.
bool PollUntil(const std::function<bool()>& done, DWORD deadlineMs = 10000);

// A growing file of the Unix side, named by an environment variable and read
// through Wine's Z: drive.
class UnixLog {
public:
    explicit UnixLog(const char* variable);
    bool Known() const { return !path_.empty(); }
    const char* Variable() const { return variable_; }
    std::string Read() const;  // empty while the file does not exist
    std::size_t Size() const { return Read().size(); }
    // What was added since `mark`, an earlier Size().
    std::string Since(std::size_t mark) const;
    // Waits until at least `bytes` were added since `mark`; returns what was.
    std::string WaitFor(std::size_t mark, std::size_t bytes, DWORD deadlineMs = 10000) const;

private:
    const char* variable_;
    std::string path_;
};

UnixLog& ModemLog();    // every byte the modem received
UnixLog& PortLog();     // one line per receipt: the port's settings then, "9600 8N1"
UnixLog& PlayedLog();   // the speakers' samples, 16-bit mono at 11025 Hz
UnixLog& BrowserLog();  // one line per link handed to the browser or mailer

// Answers each of the program's message boxes with its OK button, noting
// the text and caption; `whileShown` runs first, with the box up.
class BoxAnswers {
public:
    explicit BoxAnswers(std::function<void()> whileShown = nullptr) : whileShown_(std::move(whileShown)) {}
    int Count() const { return watch_.Count(); }
    std::vector<std::string> texts, captions;

private:
    void Answer(HWND box);
    std::function<void()> whileShown_;
    OnWindowShown watch_{"CMSGCLASS", [this](HWND box) { Answer(box); }};
};

// One dial through the modem, its boxes answered with OK.
struct ModemDial {
    std::vector<std::string> texts, captions;  // of the boxes shown
    std::string whileShown;                    // what the modem had of this dial while the box was up
    std::string portWhileShown;                // the port's settings the modem saw then
    std::string sent;                          // all the modem received of this dial
    std::vector<DCB> applied;                  // what the program handed to SetCommState meanwhile
    std::vector<std::string> opened;           // the devices it opened meanwhile
};
// `command` is what the modem should get before the box: it is waited for
// while the box is up, and then the hang-up after it.
ModemDial DialThroughModem(const std::function<void()>& dial, const std::string& command);

// What the program (and the tests) asked of the ports since the last
// ClearPortCalls: the devices opened with CreateFileA by a bare name such as
// "COM2" (files with a path are left out), and the settings applied with
// SetCommState.  The calls themselves go through unchanged.
const std::vector<std::string>& OpenedDevices();
const std::vector<DCB>& AppliedPortSettings();
void ClearPortCalls();
// The fields of a port's settings, one "name=value" after the other.
std::string Describe(const DCB& dcb);

class DialApp : public ::testing::Test {
public:
    static void SetUpTestSuite();

protected:
    void SetUp() override;
    // Selects the contact with this first name; none when null.
    static void Select(const char* firstName);
    static void Command(int id);  // as the menu sends it
};
