#pragma once
// The palette of the colour chooser: 138 colours (0x00BBGGRR, red in the low
// byte) in strictly ascending order, black first and white last.  A slider
// position is an index into it.  Also the rule by which a slider follows its
// colour: it starts at the colour's place in the table, and a colour that is
// not in the table stays what it was until its slider really moves.

#include <cstdint>

constexpr int kColourCount = 138;
constexpr int kHighestColourIndex = kColourCount - 1;
extern const std::uint32_t kColourTable[kColourCount];

// The lowest index whose value equals `colour`; 0 when none does.
int ColourSliderStart(std::uint32_t colour);

// One slider and the colour it chooses.
class ColourSlider {
public:
    explicit ColourSlider(std::uint32_t colour) : colour_(colour), position_(ColourSliderStart(colour)) {}

    std::uint32_t Colour() const { return colour_; }
    int Position() const { return position_; }

    // The slider reports `position` (any scroll message, also one that moved
    // nothing, such as the end of a click on the thumb).  The colour becomes
    // that table entry only when the position changed; returns whether it did.
    bool MovedTo(int position);

private:
    std::uint32_t colour_;
    int position_;
};
