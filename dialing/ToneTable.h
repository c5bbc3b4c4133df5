#pragma once
// The twelve touch-tone clips among the program's resources, and playing
// them through the speakers.

#include "dialing/SpeakerDial.h"

#include <windows.h>

constexpr int kFirstToneResource = 120;

struct ToneTable {
    HRSRC Handles[kToneCount] = {};
    bool Found = false;
    void Fill();  // looks the clips up once
};

extern ToneTable g_tones;

// Plays one clip to its end; 1 when it was played.
int PlayTone(int index);
// Plays a whole dial string with its pauses.
void DialBySpeaker(const char* dialString);
