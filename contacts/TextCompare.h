#pragma once
// Case-insensitive text comparison as the list sorts: the user's locale on
// Windows, a plain case fold of the 8-bit text elsewhere.

// Negative, zero or positive as a sorts before, with or after b.
int CompareNoCase(const char* a, const char* b);

// As CompareNoCase(a1 + a2, b1 + b2), without building the joined texts where
// the platform allows.
int CompareNoCaseJoined(const char* a1, const char* a2, const char* b1, const char* b2);

// True where the comparison is the plain case fold (A-Z as a-z, every other
// byte as it is): then comparing the folded bytes gives the same order.
bool CompareNoCaseIsPlainFold();

// True where, on texts of the letters A to Z (either case) and blanks alone,
// the comparison is the plain case fold: the blank first, then the letters in
// alphabet order, case ignored, no run of them sorted as one (as some
// languages sort "ch" or "aa").  On Windows the user's locale is asked once,
// on the first call.
bool CompareNoCaseIsPlainOnPlainText();

// True where the comparison's first level (letters without case and accents)
// sees the byte `c` as the letter `base`, or passes over it for a base of 0
// (as the locale's word order passes over hyphens and apostrophes), and
// decides there before any accent or mark counts.
bool CompareNoCaseSeesAs(unsigned char c, unsigned char base);
