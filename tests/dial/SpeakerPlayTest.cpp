// Dialing through the speakers, played for real: the run's default sound
// device is a file, so what the speakers would have sounded comes back as
// samples (16-bit mono at 11025 Hz, clip after clip; silences leave nothing).

#include "DialApp.h"
#include "ToneAnalysis.h"
#include "../SkipOrFailInCi.h"

#include "app/Globals.h"
#include "resources/resource.h"

#include <mmsystem.h>

#include <cstdio>
#include <algorithm>
#include <cstring>

namespace {

class SpeakerDialing : public DialApp {
protected:
    void SetUp() override {
        DialApp::SetUp();
        if (HasFatalFailure()) return;
        g_settings.ToneDial = 1;
    }
    // Whether the speakers' output is recorded in this run.
    static bool Recorded() { return PlayedLog().Known() && waveOutGetNumDevs() > 0; }
};

// The samples of the program's clip for a key.
std::vector<std::int16_t> ClipOf(char key) {
    const KeyTone* tone = KeyToneOf(key);
    int index = static_cast<int>(tone - kKeyTones);
    char name[8];
    std::snprintf(name, sizeof name, "#%d", 120 + index);
    HRSRC found = FindResourceA(GetModuleHandleA(nullptr), name, "WAVE");
    if (!found) return {};
    HGLOBAL loaded = LoadResource(GetModuleHandleA(nullptr), found);
    return ReadWaveClip(LockResource(loaded), SizeofResource(GetModuleHandleA(nullptr), found)).Samples;
}

// Waits for the recording of `keys` after `mark` and checks that each clip
// came whole, in order, holds its key, and that nothing else was played.
void ExpectPlayed(std::size_t mark, const std::string& keys) {
    PlayedKeys played;
    PollUntil(
        [&] {
            played = ReadPlayedKeys(PlayedLog().Since(mark), keys, ClipOf);
            return played.Found == keys.size();
        },
        30000);
    ASSERT_EQ(keys.size(), played.Found) << "clips found whole and in order in " << played.Sound
                                         << " sounding samples recorded for " << keys;
    EXPECT_EQ(keys, played.Heard);
    EXPECT_EQ(played.ClipSound, played.Sound) << "something else was played besides the clips";
}

TEST_F(SpeakerDialing, PlaysEachKeyWholeAndInOrder) {
    if (!PlayedLog().Known())
        SKIP_OR_FAIL_IN_CI(
            "TELVARA_PLAYED_LOG is not set: no recording sound device in this run "
            "(tests/dial/run-modem-tests.sh sets one up)");
    if (waveOutGetNumDevs() == 0)
        SKIP_OR_FAIL_IN_CI(
            "Wine found no sound output device (winealsa sees no ALSA default device), so "
            "nothing can be played or recorded");
    Select("Keys");  // *#01/23456789: every key, a short pause among them
    std::size_t mark = PlayedLog().Size();
    ClearPortCalls();
    {
        BoxAnswers boxes;
        Command(CMD_DIAL);
        EXPECT_EQ(0, boxes.Count());
    }
    EXPECT_TRUE(OpenedDevices().empty());
    ExpectPlayed(mark, "*#0123456789");
}

TEST_F(SpeakerDialing, NeverOpensThePort) {
    Select("Zoe");  // 5671234
    std::size_t modem = ModemLog().Size(), played = PlayedLog().Size();
    for (int number : {4, 2}) {  // missing, and the fake modem's
        SCOPED_TRACE(number);
        g_settings.ComNum = number;
        ClearPortCalls();
        BoxAnswers boxes;
        Command(CMD_DIAL);
        EXPECT_EQ(0, boxes.Count());
        EXPECT_TRUE(OpenedDevices().empty());
        EXPECT_TRUE(AppliedPortSettings().empty());
    }
    // The modem's next bytes are the next modem dial's own.
    g_settings.ToneDial = 0;
    ModemDial d = DialThroughModem([] { Command(CMD_DIAL); }, "ATDT5671234\r");
    EXPECT_EQ(1u, d.texts.size());
    EXPECT_EQ("ATDT5671234\rATH\r", ModemLog().Since(modem));
    // Both speaker dials played, whatever port was set.
    if (!Recorded())
        SKIP_OR_FAIL_IN_CI(
            "the speakers' output is not recorded in this run (TELVARA_PLAYED_LOG unset, or Wine "
            "found no sound output device), so what the speaker dials played is not checked");
    ExpectPlayed(played, "56712345671234");
}

}  // namespace
