#include <gtest/gtest.h>

#include "dialing/PortText.h"
#include "dialing/SpeakerDial.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

// Notes every tone and silence in the order the dialer asks for them.
class RecordingSink : public ToneSink {
public:
    std::vector<std::string> events;
    void Wait(int milliseconds) override { events.push_back("wait " + std::to_string(milliseconds)); }
    void Play(int toneIndex) override { events.push_back("tone " + std::to_string(toneIndex)); }
};

std::vector<std::string> Played(const char* dialString) {
    RecordingSink sink;
    PlayDialString(dialString, sink);
    return sink.events;
}

using Events = std::vector<std::string>;

}  // namespace

TEST(SpeakerDial, DigitsWaitFirstAndCommasPauseTwoSeconds) {
    EXPECT_EQ((Events{"wait 40", "tone 5", "wait 2000", "wait 40", "tone 5"}), Played("5,5"));
}

TEST(SpeakerDial, StarAndHashPlayWithoutAWait) {
    EXPECT_EQ((Events{"tone 11", "wait 40", "tone 8", "wait 40", "tone 2"}), Played("*82"));
    EXPECT_EQ((Events{"tone 10"}), Played("#"));
    EXPECT_EQ((Events{"wait 40", "tone 0", "tone 10", "tone 11", "wait 40", "tone 9"}), Played("0#*9"));
}

TEST(SpeakerDial, EachPauseCharacterIsItsOwnSilence) {
    EXPECT_EQ((Events{"wait 40", "tone 9", "wait 2000", "wait 2000",                  //
                      "wait 40", "tone 5", "wait 40", "tone 5", "wait 40", "tone 5",  //
                      "wait 125",                                                     //
                      "wait 40", "tone 0", "wait 40", "tone 1", "wait 40", "tone 9",  //
                      "wait 40", "tone 9"}),
              Played("9,,555/0199"));
    EXPECT_EQ((Events{"wait 125", "wait 125"}), Played("//"));
}

TEST(SpeakerDial, EveryDigitPlaysItsOwnTone) {
    Events expected;
    for (int d = 0; d <= 9; ++d) {
        expected.push_back("wait 40");
        expected.push_back("tone " + std::to_string(d));
    }
    EXPECT_EQ(expected, Played("0123456789"));
}

// Letters, spaces and hyphens can come in with the number prefix or the area
// code; they make no sound and no silence.
TEST(SpeakerDial, OtherCharactersAreSkipped) {
    EXPECT_EQ((Events{"wait 40", "tone 1", "tone 10"}), Played("A1 -b#x"));
    EXPECT_EQ(Events{}, Played("ATDT (pause) ;.+"));
    EXPECT_EQ(Events{}, Played(""));
    const char high[] = {'\x80', '\xff', '7', '\0'};  // bytes above 127 too
    EXPECT_EQ((Events{"wait 40", "tone 7"}), Played(high));
}

TEST(SpeakerDial, ToneIndexOfEachKey) {
    for (char d = '0'; d <= '9'; ++d) EXPECT_EQ(d - '0', ToneIndex(d)) << d;
    EXPECT_EQ(10, ToneIndex('#'));
    EXPECT_EQ(11, ToneIndex('*'));
    for (char c : {',', '/', ' ', '-', 'A', 'a', '\0', '\x80'}) EXPECT_EQ(-1, ToneIndex(c)) << int(c);
}

TEST(PortText, PortNames) {
    const char* names[] = {"Unknown", "COM1", "COM2", "COM3", "COM4", "Unknown"};
    for (int n = 0; n <= 5; ++n) EXPECT_STREQ(names[n], PortName(n)) << n;
    EXPECT_STREQ("Unknown", PortName(-1));
    EXPECT_STREQ("Unknown", PortName(7));
}

TEST(PortText, DialCommandIsPrefixKeysAndCarriageReturn) {
    char out[64];
    BuildDialCommand("ATDT", "5671234", out, sizeof out);
    EXPECT_STREQ("ATDT5671234\r", out);
    BuildDialCommand("ATDP", "*82,5671234", out, sizeof out);
    EXPECT_STREQ("ATDP*82,5671234\r", out);
    BuildDialCommand("", "911", out, sizeof out);
    EXPECT_STREQ("911\r", out);
    EXPECT_STREQ("ATH\r", kHangUpCommand);
    EXPECT_EQ(4u, std::strlen(kHangUpCommand));
}

TEST(PortText, DialCommandStaysInsideItsBuffer) {
    // The longest prefix (19) and dial string (37) fit the program's buffer.
    const std::string prefix(19, 'P'), keys(37, '5');
    char out[20 + 40 + 2];
    BuildDialCommand(prefix.c_str(), keys.c_str(), out, sizeof out);
    EXPECT_EQ(prefix + keys + "\r", out);

    char small[8 + 4];
    std::memset(small, '#', sizeof small);
    BuildDialCommand("ATDT", "5671234", small, 8);
    EXPECT_STREQ("ATDT567", small);
    for (std::size_t i = 8; i < sizeof small; ++i) EXPECT_EQ('#', small[i]) << i;
}

TEST(PortText, DialingText) {
    char out[96];
    BuildDialingText("5671234", out, sizeof out);
    EXPECT_STREQ("Dialing: 5671234\n\nWait for modem to dial -\nOK to hang up", out);
    // The longest dial string still gets the whole message.
    const std::string keys(37, '9');
    BuildDialingText(keys.c_str(), out, sizeof out);
    EXPECT_EQ("Dialing: " + keys + "\n\nWait for modem to dial -\nOK to hang up", out);
}

TEST(PortText, PortErrorCaption) {
    char out[28];
    BuildPortErrorCaption(1, 0, out, sizeof out);
    EXPECT_STREQ("Error Number 1, 0", out);
    BuildPortErrorCaption(3, 0, out, sizeof out);
    EXPECT_STREQ("Error Number 3, 0", out);

    char bounded[28 + 4];
    std::memset(bounded, '#', sizeof bounded);
    BuildPortErrorCaption(-2147483647 - 1, -2147483647 - 1, bounded, 28);
    EXPECT_EQ(27u, std::strlen(bounded));
    EXPECT_EQ(0, std::strncmp("Error Number -2147483648, ", bounded, 26));
    for (std::size_t i = 28; i < sizeof bounded; ++i) EXPECT_EQ('#', bounded[i]) << i;
}
