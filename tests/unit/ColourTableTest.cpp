// The colour chooser's palette and how its sliders follow their colours; the
// Setup dialog's state code and the state list both dialogs offer.

#include "contacts/StateTable.h"
#include "dialing/SetupValues.h"
#include "ui/ColourTable.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

namespace {

TEST(ColourTable, HoldsTheFixedPaletteStrictlyAscendingFromBlackToWhite) {
    ASSERT_EQ(138, kColourCount);
    EXPECT_EQ(0x000000u, kColourTable[0]);
    EXPECT_EQ(0xFFFFFFu, kColourTable[kHighestColourIndex]);
    for (int i = 1; i < kColourCount; ++i) EXPECT_LT(kColourTable[i - 1], kColourTable[i]) << "at index " << i;
    // Spot checks against the palette: red, green, blue, light grey, and a
    // few entries around the rows most easily mistyped.
    EXPECT_EQ(0x0000FFu, kColourTable[3]);
    EXPECT_EQ(0x00FF00u, kColourTable[12]);
    EXPECT_EQ(0xFF0000u, kColourTable[128]);
    EXPECT_EQ(0xC0C0C0u, kColourTable[78]);
    EXPECT_EQ(0x0B86B8u, kColourTable[15]);
    EXPECT_EQ(0x8B3D48u, kColourTable[54]);
    EXPECT_EQ(0xFFFFF0u, kColourTable[136]);
}

TEST(ColourSlider, StartsAtTheColoursPlaceAndKeepsAForeignColourUntilMoved) {
    EXPECT_EQ(0, ColourSliderStart(0x000000));
    EXPECT_EQ(137, ColourSliderStart(0xFFFFFF));
    EXPECT_EQ(3, ColourSliderStart(0x0000FF));
    for (int i = 0; i < kColourCount; ++i) EXPECT_EQ(i, ColourSliderStart(kColourTable[i]));
    EXPECT_EQ(0, ColourSliderStart(0x123456));    // not in the table
    EXPECT_EQ(0, ColourSliderStart(0xFF000000));  // the list's "default colour" marker

    // The list's default text colour: the slider shows black, the colour stays.
    ColourSlider foreign(0xFF000000);
    EXPECT_EQ(0, foreign.Position());
    EXPECT_FALSE(foreign.MovedTo(0));  // the end of a click on the thumb, or Home at 0
    EXPECT_EQ(0xFF000000u, foreign.Colour());
    EXPECT_TRUE(foreign.MovedTo(3));
    EXPECT_EQ(0x0000FFu, foreign.Colour());
    EXPECT_TRUE(foreign.MovedTo(0));  // moved back: now it is black
    EXPECT_EQ(0x000000u, foreign.Colour());

    ColourSlider white(0xFFFFFF);
    EXPECT_EQ(137, white.Position());
    EXPECT_FALSE(white.MovedTo(500));  // held to the end of the table
    EXPECT_EQ(0xFFFFFFu, white.Colour());
    EXPECT_TRUE(white.MovedTo(-4));
    EXPECT_EQ(0x000000u, white.Colour());
}

TEST(SetupState, CodeIsTheEntrysFirstTwoCharactersAndEveryEntryHasOne) {
    char state[3] = "XX";
    StateOfEntry("TX Texas", state, sizeof state);
    EXPECT_STREQ("TX", state);
    StateOfEntry(nullptr, state, sizeof state);
    EXPECT_STREQ("", state);
    StateOfEntry("", state, sizeof state);
    EXPECT_STREQ("", state);
    StateOfEntry("N", state, sizeof state);  // an extra entry holds just the stored code
    EXPECT_STREQ("N", state);

    // A code finds its entry ignoring case; any other text finds none.
    EXPECT_EQ(44, FindStateEntry("tx"));  // "TX Texas"
    EXPECT_EQ(33, FindStateEntry("Nc"));  // "NC North Carolina", not "NE Nebraska"
    for (const char* other : {"QC", "N", "", "TXX", " T", "T ", static_cast<const char*>(nullptr)})
        EXPECT_EQ(-1, FindStateEntry(other)) << (other ? other : "null");

    ASSERT_EQ(53, kStateCount);
    EXPECT_STREQ("AL Alabama", StateTable[0]);
    EXPECT_STREQ("WY Wyoming", StateTable[kStateCount - 1]);
    std::set<std::string> codes;
    for (int s = 0; s < kStateCount; ++s) {
        const char* e = StateTable[s];
        ASSERT_GT(std::strlen(e), 3u) << s;
        EXPECT_TRUE(e[0] >= 'A' && e[0] <= 'Z' && e[1] >= 'A' && e[1] <= 'Z' && e[2] == ' ') << e;
        codes.insert(std::string(e, 2));
    }
    EXPECT_EQ(53u, codes.size()) << "two entries share a code";
}

}  // namespace
