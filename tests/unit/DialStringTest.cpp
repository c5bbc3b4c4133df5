#include <gtest/gtest.h>

#include "RandomContacts.h"
#include "dialing/DialString.h"

#include <cstring>
#include <string>

namespace {

std::string Dial(const char* entry, const char* areaCode = "819", bool tenDigitLocal = false,
                 const char* numberPrefix = "") {
    DialSettings settings{numberPrefix, areaCode, tenDigitLocal};
    char out[kDialStringSize];
    std::memset(out, 'x', sizeof out);
    BuildDialString(entry, settings, out);
    return out;
}

struct Example {
    const char* entry;
    const char* tenDigitOff;
    const char* tenDigitOn;
};

// The worked examples, with AreaCode "819".
const Example kExamples[] = {
    {"819-567-1234", "5671234", "8195671234"},
    {"(819) 567-1234", "5671234", "8195671234"},
    {"819.567.1234 - work", "5671234", "8195671234"},
    {"cell 819-567-1234", "5671234", "8195671234"},
    {"1-819-567-1234", "5671234", "8195671234"},
    {"567-2342; ext 607", "5672342", "8195672342"},
    {"613-555-0199", "16135550199", "16135550199"},
    {"1-800-\"CALL-ATT\"", "18002255288", "18002255288"},
    {"*82,819-567-1234", "*82,5671234", "*82,8195671234"},
    {"*82//819-567-1234", "*82//5671234", "*82//8195671234"},
    {"9,555-0199", "9,5550199", "9,5550199"},
    {"*67 613 555 0199", "1*676135550199", "1*676135550199"},
};

}  // namespace

TEST(DialString, WorkedExamples) {
    for (const Example& e : kExamples) {
        SCOPED_TRACE(e.entry);
        EXPECT_EQ(Dial(e.entry, "819", false), e.tenDigitOff);
        EXPECT_EQ(Dial(e.entry, "819", true), e.tenDigitOn);
    }
}

TEST(DialString, NumberPrefixGoesAheadOfEveryWorkedExample) {
    for (const Example& e : kExamples) {
        SCOPED_TRACE(e.entry);
        EXPECT_EQ(Dial(e.entry, "819", false, "9,"), std::string("9,") + e.tenDigitOff);
        EXPECT_EQ(Dial(e.entry, "819", true, "9,"), std::string("9,") + e.tenDigitOn);
    }
}

TEST(DialString, NothingDialableGivesEmptyStringWithoutNumberPrefix) {
    for (const char* entry : {"", "ask at front desk", "; 555-0199", "\"\"", "\"-- --\"", "(--)"}) {
        SCOPED_TRACE(entry);
        EXPECT_EQ(Dial(entry, "819", false, "9,"), "");
        EXPECT_EQ(Dial(entry, "819", true, "9,"), "");
    }
}

TEST(DialString, SemicolonEndsTheScanInsideQuotesToo) {
    EXPECT_EQ(Dial("\"ab;cd\" 123"), "22");
    EXPECT_EQ(Dial("555-2342 ;\"CALL\""), "5552342");
}

TEST(DialString, KeypadLettersInsideQuotesInEitherCase) {
    EXPECT_EQ(Dial("\"ABCDEFGHIJKLM\""), "12223334445556");
    EXPECT_EQ(Dial("\"NOPQRSTUVWXYZ\""), "16677778889999");
    EXPECT_EQ(Dial("\"abc\" \"pqrs\" \"wxyz\""), "122277779999");
    EXPECT_EQ(Dial("\"call\""), "2255");
    // Digits and dial characters between quotes are dropped.
    EXPECT_EQ(Dial("\"A1*#,/B\""), "22");
    // Letters outside quotes are dropped.
    EXPECT_EQ(Dial("abc555\"d\"e"), "5553");
}

TEST(DialString, UnterminatedQuoteTurnsEveryFollowingLetterIntoADigit) {
    EXPECT_EQ(Dial("555 \"ab 123 cd; ef"), "5552223");
}

TEST(DialString, OnlyTheFirst23DialableCharactersAreUsed) {
    // 30 digits: the first 23 are dialled, with the long-distance 1.
    EXPECT_EQ(Dial("234567890123456789012345678901"), "123456789012345678901234");
    // Dropped characters do not count towards the 23.
    EXPECT_EQ(Dial("2-3-4-5-6-7-8-9-0-1-2-3-4-5-6-7-8-9-0-1-2-3-4-5-6"), "123456789012345678901234");
    // Letters in quotes count like digits.
    EXPECT_EQ(Dial("\"AAAAAAAAAAAAAAAAAAAAAAAAAAAAAA\""), std::string("1") + std::string(23, '2'));
}

TEST(DialString, LeadInSplit) {
    // Only the first comma ends the lead-in.
    EXPECT_EQ(Dial("9,,555-0199"), "9,,5550199");
    EXPECT_EQ(Dial("9,,555-0199", "819", true), "9,,5550199");
    // The whole first run of slashes belongs to the lead-in.
    EXPECT_EQ(Dial("9///1-613-555-0199"), "9///16135550199");
    // A comma wins over an earlier slash.
    EXPECT_EQ(Dial("9/8,1-613-555-0199"), "9/8,16135550199");
    // The number part after the lead-in loses its leading 1 and may be local.
    EXPECT_EQ(Dial("9,1-819-567-1234"), "9,5671234");
    EXPECT_EQ(Dial("*70/1-819-567-1234"), "*70/5671234");
}

TEST(DialString, OnlyOneLeading1IsDropped) {
    EXPECT_EQ(Dial("11-555-0199"), "15550199");
    EXPECT_EQ(Dial("1 555-0199"), "5550199");
}

TEST(DialString, LongDistanceThreshold) {
    // Exactly 8 digits starting with the area code: local, three digits dropped.
    EXPECT_EQ(Dial("819-56712"), "56712");
    EXPECT_EQ(Dial("819-56712", "819", true), "81956712");
    // Exactly 8 digits elsewhere: no long-distance 1.
    EXPECT_EQ(Dial("613-55501"), "61355501");
    // Exactly 9 digits elsewhere: the long-distance 1.
    EXPECT_EQ(Dial("613-555-019"), "1613555019");
    // A number part starting with "*" needs more than 10 digits for the 1.
    EXPECT_EQ(Dial("*67 555 0199"), "*675550199");
    EXPECT_EQ(Dial("*67 613 555 01"), "*6761355501");
    EXPECT_EQ(Dial("*67 613 555 019"), "1*67613555019");
    // Only digits count towards the threshold, not "#".
    EXPECT_EQ(Dial("613#5550#1"), "613#5550#1");
}

TEST(DialString, LocalTestNeedsEightDigits) {
    // 7 digits starting with the area code are not local: nothing is dropped.
    EXPECT_EQ(Dial("819-5671"), "8195671");
}

TEST(DialString, AreaCodeShorterThanThreeNeverMatches) {
    EXPECT_EQ(Dial("819-567-1234", ""), "18195671234");
    EXPECT_EQ(Dial("81-567-12345", "81"),
              "1815671234"
              "5");
    // With 10DigitLocal on an empty area code adds nothing to a short number.
    EXPECT_EQ(Dial("567-1234", "", true), "5671234");
}

TEST(DialString, TenDigitLocalCountsTheDigitsOfTheWholeEntry) {
    // 8 digits including the lead-in: no area code.
    EXPECT_EQ(Dial("9,555-0199", "819", true), "9,5550199");
    // 7 digits including the lead-in: area code after the lead-in.
    EXPECT_EQ(Dial("9,55-0199", "819", true), "9,819550199");
    // A leading 1 counts before it is dropped.
    EXPECT_EQ(Dial("1-567-1234", "819", true), "5671234");
    EXPECT_EQ(Dial("1-567-123", "819", true), "819567123");
}

TEST(DialString, LongestDialStringFitsItsBuffer) {
    // NumberPrefix of 11, a 4-character area code and 23 dialable characters.
    std::string entry = std::string(16, ',') + "5671234";
    std::string expected = "12345678901" + std::string(1, ',') + "8190" + std::string(15, ',') + "5671234";
    EXPECT_EQ(Dial(entry.c_str(), "8190", true, "12345678901"), expected);
    EXPECT_LT(expected.size(), kDialStringSize);
    // 11 + "1" + 23 digits.
    EXPECT_EQ(Dial("23456789012345678901234", "819", false, "12345678901"),
              "12345678901"
              "1"
              "23456789012345678901234");
}

TEST(DialString, SmallOutputIsCutAndTerminated) {
    DialSettings settings{"9,", "819", false};
    char out[6];
    BuildDialString("613-555-0199", settings, out, sizeof out);
    EXPECT_STREQ(out, "9,161");
    char one[1] = {'x'};
    BuildDialString("613-555-0199", settings, one, sizeof one);
    EXPECT_EQ(one[0], '\0');
}

TEST(DialString, MissingSettingTextsReadAsEmpty) {
    DialSettings settings{nullptr, nullptr, false};
    char out[kDialStringSize];
    BuildDialString("819-567-1234", settings, out);
    EXPECT_STREQ(out, "18195671234");
}

TEST(CountDigits, CountsOnlyDigits) {
    EXPECT_EQ(CountDigits(""), 0);
    EXPECT_EQ(CountDigits("*#,/abc"), 0);
    EXPECT_EQ(CountDigits("0123456789"), 10);
    EXPECT_EQ(CountDigits("*82,819-567"), 8);
}

TEST(StatusLine, NameAndEachDialableSegment) {
    DialSettings settings{"", "819", false};
    char out[kStatusLineSize];

    Contact c = MakeContact("Ann", "Lee", "819-567-1234");
    SetField(c.MiscInfo, sizeof c.MiscInfo, "cell 1-800-\"CALL-ATT\"; after 6");
    BuildStatusText(c, settings, out);
    EXPECT_STREQ(out, " Ann Lee    Number = 5671234    Misc = 18002255288");

    SetField(c.MiscInfo, sizeof c.MiscInfo, "no phone here");
    BuildStatusText(c, settings, out);
    EXPECT_STREQ(out, " Ann Lee    Number = 5671234");

    c = MakeContact("Ann", "", "front desk");
    SetField(c.MiscInfo, sizeof c.MiscInfo, "613-555-0199");
    BuildStatusText(c, settings, out);
    EXPECT_STREQ(out, " Ann     Misc = 16135550199");

    c = MakeContact("", "", "");
    BuildStatusText(c, settings, out);
    EXPECT_STREQ(out, "  ");
}

TEST(StatusLine, LongestStatusTextIsNotCut) {
    // Full-width names and two dial strings of 37 characters: 142 characters.
    DialSettings settings{"12345678901", "819", true};
    Contact c = MakeContact(std::string(23, 'F').c_str(), std::string(19, 'L').c_str(), "*#*#*#*#*#*#*#*#1234567");
    SetField(c.MiscInfo, sizeof c.MiscInfo, (std::string("*#*#*#*#*#*#*#*#1234567") + std::string(56, '9')).c_str());
    char out[kStatusLineSize];
    BuildStatusText(c, settings, out);
    std::string keys =
        "12345678901"
        "819"
        "*#*#*#*#*#*#*#*#1234567";
    EXPECT_EQ(std::string(out),
              " " + std::string(23, 'F') + " " + std::string(19, 'L') + "    Number = " + keys + "    Misc = " + keys);
    EXPECT_EQ(std::strlen(out), 142u);
}
