#include "dialing/ToneTable.h"

#include "framework/Instance.h"

#include <mmsystem.h>

#include <cstdio>

ToneTable g_tones;

void ToneTable::Fill() {
    if (Found) return;
    for (int i = 0; i < kToneCount; ++i) {
        char name[8];
        std::snprintf(name, sizeof name, "#%d", kFirstToneResource + i);
        Handles[i] = FindResourceA(ProgramInstance(), name, "WAVE");
    }
    Found = true;
}

int PlayTone(int index) {
    if (index < 0 || index >= kToneCount) return 0;
    HRSRC found = g_tones.Handles[index];
    HGLOBAL loaded = found ? LoadResource(ProgramInstance(), found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return 0;
    sndPlaySoundA(static_cast<const char*>(data), SND_MEMORY | SND_NODEFAULT);
    FreeResource(loaded);
    return 1;
}

namespace {

class SpeakerSink : public ToneSink {
public:
    void Wait(int milliseconds) override { Sleep(static_cast<DWORD>(milliseconds)); }
    void Play(int toneIndex) override { PlayTone(toneIndex); }
};

}  // namespace

void DialBySpeaker(const char* dialString) {
    g_tones.Fill();
    SpeakerSink speakers;
    PlayDialString(dialString, speakers);
}
