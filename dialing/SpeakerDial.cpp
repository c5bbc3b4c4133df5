#include "dialing/SpeakerDial.h"

int ToneIndex(char key) {
    if (key >= '0' && key <= '9') return key - '0';
    if (key == '#') return 10;
    if (key == '*') return 11;
    return -1;
}

void PlayDialString(const char* dialString, ToneSink& sink) {
    for (const char* p = dialString; *p; ++p) {
        char c = *p;
        if (c >= '0' && c <= '9') {
            sink.Wait(kDigitGapMs);
            sink.Play(ToneIndex(c));
        } else if (c == '#' || c == '*') {
            sink.Play(ToneIndex(c));
        } else if (c == '/') {
            sink.Wait(kShortPauseMs);
        } else if (c == ',') {
            sink.Wait(kLongPauseMs);
        }
    }
}
