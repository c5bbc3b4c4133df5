#include "dialing/DialString.h"

#include "contacts/Contact.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr std::size_t kMaxDialable = 23;

char KeypadDigit(char letter) {
    static const char kKeys[] = "22233344455566677778889999";  // A..Z
    if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
    if (letter >= 'A' && letter <= 'Z') return kKeys[letter - 'A'];
    return 0;
}

bool IsDialChar(char c) { return c != '\0' && std::strchr("0123456789*#,/", c) != nullptr; }

// Appends text to a bounded output.
struct Output {
    char* out;
    std::size_t size;
    std::size_t length;
    void Add(const char* text, std::size_t n) {
        for (std::size_t i = 0; i < n && length + 1 < size; ++i) out[length++] = text[i];
        out[length] = '\0';
    }
    void Add(const char* text) { Add(text, std::strlen(text)); }
};

}  // namespace

int CountDigits(const char* text) {
    int n = 0;
    for (; *text; ++text)
        if (*text >= '0' && *text <= '9') ++n;
    return n;
}

void BuildDialString(const char* entry, const DialSettings& settings, char* out, std::size_t outSize) {
    if (outSize == 0) return;
    out[0] = '\0';

    // The dialable characters of the entry.
    char dialable[kMaxDialable + 1];
    std::size_t n = 0;
    bool inQuotes = false;
    for (const char* p = entry; *p && *p != ';' && n < kMaxDialable; ++p) {
        if (*p == '"') {
            inQuotes = !inQuotes;
        } else if (inQuotes) {
            if (char digit = KeypadDigit(*p)) dialable[n++] = digit;
        } else if (IsDialChar(*p)) {
            dialable[n++] = *p;
        }
    }
    dialable[n] = '\0';
    if (n == 0) return;

    // Lead-in: up to the first comma, or up to the end of the first run of
    // slashes.
    std::size_t leadLength = 0;
    if (const char* comma = std::strchr(dialable, ',')) {
        leadLength = static_cast<std::size_t>(comma - dialable) + 1;
    } else if (const char* slash = std::strchr(dialable, '/')) {
        while (*slash == '/') ++slash;
        leadLength = static_cast<std::size_t>(slash - dialable);
    }
    const char* number = dialable + leadLength;
    if (*number == '1') ++number;

    const char* areaCode = settings.AreaCode ? settings.AreaCode : "";
    bool local = false;
    if (CountDigits(number) >= 8 && std::strlen(areaCode) >= 3 && std::strncmp(number, areaCode, 3) == 0) {
        local = true;
        if (!settings.TenDigitLocal) number += 3;
    }

    Output o{out, outSize, 0};
    o.Add(settings.NumberPrefix ? settings.NumberPrefix : "");
    o.Add(dialable, leadLength);
    if (settings.TenDigitLocal && CountDigits(dialable) <= 7) o.Add(areaCode);
    int threshold = (*number == '*') ? 10 : 8;
    if (!local && CountDigits(number) > threshold) o.Add("1");
    o.Add(number);
}

void BuildStatusText(const Contact& c, const DialSettings& settings, char* out, std::size_t outSize) {
    if (outSize == 0) return;
    char number[kDialStringSize], misc[kDialStringSize];
    BuildDialString(c.Number, settings, number);
    BuildDialString(c.MiscInfo, settings, misc);
    Output o{out, outSize, 0};
    out[0] = '\0';
    o.Add(" ");
    o.Add(c.FirstName);
    o.Add(" ");
    o.Add(c.LastName);
    if (number[0]) {
        o.Add("    Number = ");
        o.Add(number);
    }
    if (misc[0]) {
        o.Add("    Misc = ");
        o.Add(misc);
    }
}
