#pragma once
// Dialing by touch tones through the speakers: which tone each key plays and
// the silences between them.

// Where the tones and silences go: the speakers, or a test's record.
class ToneSink {
public:
    virtual ~ToneSink() = default;
    virtual void Wait(int milliseconds) = 0;
    virtual void Play(int toneIndex) = 0;  // 0-9 the digits, 10 "#", 11 "*"
};

constexpr int kToneCount = 12;
constexpr int kDigitGapMs = 40;     // silence before each digit
constexpr int kShortPauseMs = 125;  // "/"
constexpr int kLongPauseMs = 2000;  // ","

// The tone of a key, or -1 for a character that plays none.
int ToneIndex(char key);

// Plays a dial string: digits after a short gap, "#" and "*" at once, the
// pauses as silences; anything else is passed over.
void PlayDialString(const char* dialString, ToneSink& sink);
