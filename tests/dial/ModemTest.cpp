// Dialing through a modem on a real serial port: COM2 is one end of a
// pseudo-terminal pair whose other end a fake modem reads, noting every byte
// and the port's settings.  COM3 is a device that is no serial port; COM4
// does not exist.  Also the e-mail command, through the shell's mailer.

#include "DialApp.h"

#include "app/Globals.h"
#include "resources/resource.h"

#include <commctrl.h>

#include <cstdio>

namespace {

const char kZoeDialing[] = "Dialing: 5671234\n\nWait for modem to dial -\nOK to hang up";

class ModemDialing : public DialApp {};

// Leaves COM2 at 1200 baud with two stop bits and hardware and software
// flow control, so that a dial must set the port up itself; returns the
// settings as the port then reports them.  (A pseudo-terminal keeps the rate
// and the stop bits but always has 8 data bits and no parity, whatever is
// asked for.)
DCB UnsetPort() {
    DCB back = {};
    back.DCBlength = sizeof back;
    HANDLE port = CreateFileA("COM2", GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(INVALID_HANDLE_VALUE, port) << GetLastError();
    if (port == INVALID_HANDLE_VALUE) return back;
    DCB dcb = {};
    dcb.DCBlength = sizeof dcb;
    EXPECT_TRUE(GetCommState(port, &dcb));
    dcb.BaudRate = CBR_1200;
    dcb.ByteSize = 7;
    dcb.Parity = EVENPARITY;
    dcb.StopBits = TWOSTOPBITS;
    dcb.fOutxCtsFlow = TRUE;
    dcb.fRtsControl = RTS_CONTROL_HANDSHAKE;
    dcb.fOutX = TRUE;
    dcb.fInX = TRUE;
    EXPECT_TRUE(SetCommState(port, &dcb));
    EXPECT_TRUE(GetCommState(port, &back));
    CloseHandle(port);
    EXPECT_EQ(DWORD{CBR_1200}, back.BaudRate);
    EXPECT_EQ(TWOSTOPBITS, back.StopBits);
    return back;
}

// The settings a dial should apply over those the port reported.
DCB ForDialing(DCB dcb, DWORD baudRate = CBR_9600) {
    dcb.BaudRate = baudRate;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    return dcb;
}

TEST_F(ModemDialing, DialSendsPrefixAndKeysAndHangsUpOnOk) {
    Select("Zoe");
    ModemDial d = DialThroughModem([] { Command(CMD_DIAL); }, "ATDT5671234\r");
    ASSERT_EQ(1u, d.texts.size());
    EXPECT_EQ(kZoeDialing, d.texts[0]);
    EXPECT_EQ("Telvara", d.captions[0]);
    EXPECT_EQ("ATDT5671234\r", d.whileShown);  // no hang-up while the user waits
    EXPECT_EQ("ATDT5671234\rATH\r", d.sent);
    EXPECT_EQ(std::vector<std::string>{"COM2"}, d.opened);
}

// A double click on a row and Enter on the list dial the contact of that row,
// as the user's mouse and keyboard send them.
TEST_F(ModemDialing, DoubleClickAndEnterOnTheListDial) {
    Select("Anna");
    ModemDial clicked = DialThroughModem(
        [] {
            int zoe = -1;
            for (int i = 0; i < g_listView.GetItemCount(); ++i) {
                char text[32] = {};
                LVITEMA item = {};
                item.pszText = text;
                item.cchTextMax = sizeof text;
                SendMessageA(g_listView.Handle(), LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
                if (std::string(text) == "Zoe") zoe = i;
            }
            RECT r = {};
            r.left = LVIR_LABEL;
            SendMessageA(g_listView.Handle(), LVM_GETITEMRECT, zoe, reinterpret_cast<LPARAM>(&r));
            LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
            HWND list = g_listView.Handle();
            SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
            SendMessageA(list, WM_LBUTTONUP, 0, at);
            SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
            SendMessageA(list, WM_LBUTTONUP, 0, at);
        },
        "ATDT5671234\r");
    ASSERT_EQ(1u, clicked.texts.size());
    EXPECT_EQ(kZoeDialing, clicked.texts[0]);
    EXPECT_EQ("ATDT5671234\r", clicked.whileShown);
    EXPECT_EQ("ATDT5671234\rATH\r", clicked.sent);

    Select("Zoe");
    ModemDial entered = DialThroughModem(
        [] {
            SetFocus(g_listView.Handle());
            SendMessageA(g_listView.Handle(), WM_KEYDOWN, VK_RETURN, 1);
            SendMessageA(g_listView.Handle(), WM_KEYUP, VK_RETURN, 0xC0000001);
        },
        "ATDT5671234\r");
    ASSERT_EQ(1u, entered.texts.size());
    EXPECT_EQ(kZoeDialing, entered.texts[0]);
    EXPECT_EQ("ATDT5671234\r", entered.whileShown);
    EXPECT_EQ("ATDT5671234\rATH\r", entered.sent);
}

TEST_F(ModemDialing, PrefixGoesOutUnchangedAndIsNotShown) {
    Select("Zoe");
    for (const char* prefix : {"ATDP", "ATX3DT", "AT&F1 S7=45 DT;", ""}) {
        SCOPED_TRACE(prefix);
        std::snprintf(g_settings.Prefix, sizeof g_settings.Prefix, "%s", prefix);
        std::string command = std::string(prefix) + "5671234\r";
        ModemDial d = DialThroughModem([] { Command(CMD_DIAL); }, command);
        ASSERT_EQ(1u, d.texts.size());
        EXPECT_EQ(kZoeDialing, d.texts[0]);
        EXPECT_EQ(command, d.whileShown);
        EXPECT_EQ(command + "ATH\r", d.sent);
    }
}

TEST_F(ModemDialing, DialMiscDialsTheMiscEntry) {
    Select("Anna");  // Number 613-555-0199, Misc "cell 819-555-0142"
    ModemDial d = DialThroughModem([] { Command(CMD_DIAL_MISC); }, "ATDT5550142\r");
    ASSERT_EQ(1u, d.texts.size());
    EXPECT_EQ("Dialing: 5550142\n\nWait for modem to dial -\nOK to hang up", d.texts[0]);
    EXPECT_EQ("ATDT5550142\r", d.whileShown);
    EXPECT_EQ("ATDT5550142\rATH\r", d.sent);

    ModemDial number = DialThroughModem([] { Command(CMD_DIAL); }, "ATDT16135550199\r");
    EXPECT_EQ("ATDT16135550199\rATH\r", number.sent);
}

// Fewer than three keys, no number and no selection send nothing and show
// nothing; three keys are dialled.  What reaches the modem afterwards is the
// three-key dial alone.
TEST_F(ModemDialing, ThreeKeysAreDialledFewerAreNot) {
    std::size_t mark = ModemLog().Size();
    {
        BoxAnswers boxes;
        Select("Short");  // "56"
        Command(CMD_DIAL);
        Select("Ann");  // no number
        Command(CMD_DIAL);
        Select("Zoe");  // no misc
        Command(CMD_DIAL_MISC);
        Select(nullptr);
        Command(CMD_DIAL);
        Command(CMD_DIAL_MISC);
        EXPECT_EQ(0, boxes.Count());
    }
    Select("Three");
    ModemDial d = DialThroughModem([] { Command(CMD_DIAL); }, "ATDT911\r");
    ASSERT_EQ(1u, d.texts.size());
    EXPECT_EQ("Dialing: 911\n\nWait for modem to dial -\nOK to hang up", d.texts[0]);
    EXPECT_EQ("ATDT911\rATH\r", d.sent);
    EXPECT_EQ("ATDT911\rATH\r", ModemLog().Since(mark));
}

TEST_F(ModemDialing, PortsThatDoNotOpenReportStepOne) {
    Select("Zoe");
    std::size_t mark = ModemLog().Size();
    struct Case {
        int number;
        const char* name;
    };
    for (Case c : {Case{4, "COM4"}, Case{7, "Unknown"}, Case{0, "Unknown"}, Case{-1, "Unknown"}}) {
        SCOPED_TRACE(c.number);
        g_settings.ComNum = c.number;
        ClearPortCalls();
        BoxAnswers boxes;
        Command(CMD_DIAL);
        ASSERT_EQ(1, boxes.Count());
        EXPECT_EQ("Can't open Serial Port.", boxes.texts[0]);
        EXPECT_EQ("Error Number 1, 0", boxes.captions[0]);
        EXPECT_EQ(std::vector<std::string>{c.name}, OpenedDevices());
        EXPECT_TRUE(AppliedPortSettings().empty());
    }
    g_settings.ComNum = 2;
    ModemDial d = DialThroughModem([] { Command(CMD_DIAL); }, "ATDT5671234\r");
    EXPECT_EQ("ATDT5671234\rATH\r", ModemLog().Since(mark));
}

// COM3 opens but is no serial port: its settings cannot be read.  The port is
// let go each time, so the second dial fails the same way.
TEST_F(ModemDialing, APortWithoutSettingsReportsStepTwo) {
    Select("Zoe");
    g_settings.ComNum = 3;
    for (int attempt = 0; attempt < 2; ++attempt) {
        ClearPortCalls();
        BoxAnswers boxes;
        Command(CMD_DIAL);
        ASSERT_EQ(1, boxes.Count());
        EXPECT_EQ("Can't open Serial Port.", boxes.texts[0]);
        EXPECT_EQ("Error Number 2, 0", boxes.captions[0]);
        EXPECT_EQ(std::vector<std::string>{"COM3"}, OpenedDevices());
        EXPECT_TRUE(AppliedPortSettings().empty());
    }
}

// The port is set up on every dial: 9600 baud, 8 data bits, no parity and one
// stop bit, everything else (flow control too) left as the port had it.  The
// line's own settings are read back by the fake modem while the box is up.
TEST_F(ModemDialing, EverySpeedDialsAt9600With8N1) {
    Select("Zoe");
    for (int speed = 0; speed <= 3; ++speed) {
        SCOPED_TRACE(speed);
        DCB before = UnsetPort();
        if (HasFailure()) return;
        g_settings.Speed = speed;
        ModemDial d = DialThroughModem([] { Command(CMD_DIAL); }, "ATDT5671234\r");
        ASSERT_EQ(1u, d.texts.size());
        EXPECT_EQ("ATDT5671234\r", d.whileShown);
        EXPECT_EQ("9600 8N1", d.portWhileShown);
        ASSERT_EQ(1u, d.applied.size());
        EXPECT_EQ(Describe(ForDialing(before)), Describe(d.applied[0]));
    }
    // A speed the setup does not offer keeps the port's own rate.
    for (int speed : {4, -1}) {
        SCOPED_TRACE(speed);
        DCB before = UnsetPort();
        if (HasFailure()) return;
        g_settings.Speed = speed;
        ModemDial d = DialThroughModem([] { Command(CMD_DIAL); }, "ATDT5671234\r");
        ASSERT_EQ(1u, d.texts.size());
        EXPECT_EQ("1200 8N1", d.portWhileShown);
        ASSERT_EQ(1u, d.applied.size());
        EXPECT_EQ(Describe(ForDialing(before, CBR_1200)), Describe(d.applied[0]));
    }
}

TEST_F(ModemDialing, EmailHandsAMailtoLinkToTheShell) {
    ASSERT_TRUE(BrowserLog().Known()) << "TELVARA_BROWSER_LOG must name the mailer stand-in's log";
    std::size_t mark = BrowserLog().Size();
    Select("Ann");  // no e-mail
    Command(CMD_EMAIL);
    Select(nullptr);
    Command(CMD_EMAIL);
    Select("Anna");
    Command(CMD_EMAIL);
    const std::string link = "mailto:anna@example.com";
    EXPECT_TRUE(PollUntil([&] { return BrowserLog().Since(mark).find(link) != std::string::npos; }, 20000))
        << BrowserLog().Since(mark);
    EXPECT_EQ(link + "\n", BrowserLog().Since(mark));  // once, and nothing for the others
}

}  // namespace
