// The dial string builder: BuildDialString over any entry and settings.
//
// The input is split: a flags byte (bit 0: TenDigitLocal; bits 1 and 2: no
// NumberPrefix, no AreaCode at all), the lengths of the NumberPrefix (up to 11
// characters) and of the AreaCode (up to 4), their texts, a byte for a small
// output size, then the entry.  Beyond not crashing:
// - the output ends within its buffer and nothing past the buffer is written;
// - it is empty, or the NumberPrefix followed by dial characters (0-9 * # ,
//   /), with the AreaCode once among them when TenDigitLocal is set;
// - it is no longer than the NumberPrefix, the 23 dialable characters and the
//   longer of the AreaCode and a "1": at most 38 characters;
// - a smaller buffer gets the same text, cut;
// - the status line of a contact holding the entry ends within its buffer.

#include "FuzzSupport.h"

#include "dialing/DialString.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

namespace {

constexpr std::size_t kMaxDialable = 23;
constexpr unsigned char kUnwritten = 0xA5;

bool IsDialChar(char c) { return c != '\0' && std::strchr("0123456789*#,/", c) != nullptr; }

bool AllDialChars(const std::string& text) { return std::all_of(text.begin(), text.end(), IsDialChar); }

// Takes up to `length` bytes as a text (a zero byte ends it sooner).
std::string TakeText(const std::uint8_t*& data, std::size_t& size, std::size_t length) {
    length = std::min(length, size);
    std::string text(reinterpret_cast<const char*>(data), length);
    data += length;
    size -= length;
    return std::string(text.c_str());
}

std::uint8_t TakeByte(const std::uint8_t*& data, std::size_t& size) {
    if (size == 0) return 0;
    --size;
    return *data++;
}

// Builds into a buffer of `outSize` bytes with unwritten bytes after it.
std::string Build(const std::string& entry, const DialSettings& settings, std::size_t outSize) {
    unsigned char buffer[kDialStringSize + 32];
    std::memset(buffer, kUnwritten, sizeof buffer);
    char* out = reinterpret_cast<char*>(buffer);
    BuildDialString(entry.c_str(), settings, out, outSize);
    FUZZ_CHECK(std::memchr(out, '\0', outSize) != nullptr);
    for (std::size_t i = outSize; i < sizeof buffer; ++i) FUZZ_CHECK(buffer[i] == kUnwritten);
    return std::string(out);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::uint8_t flags = TakeByte(data, size);
    std::size_t prefixLength = TakeByte(data, size) % 12;
    std::size_t areaLength = TakeByte(data, size) % 5;
    std::string prefix = TakeText(data, size, prefixLength);
    std::string area = TakeText(data, size, areaLength);
    std::size_t smallSize = 1 + TakeByte(data, size) % kDialStringSize;
    std::string entry = TakeText(data, size, size);

    bool tenDigitLocal = (flags & 1) != 0;
    DialSettings settings{(flags & 2) ? nullptr : prefix.c_str(), (flags & 4) ? nullptr : area.c_str(), tenDigitLocal};
    if (flags & 2) prefix.clear();
    if (flags & 4) area.clear();

    std::string out = Build(entry, settings, kDialStringSize);
    std::size_t longest = prefix.size() + kMaxDialable + std::max<std::size_t>(area.size(), 1);
    FUZZ_CHECK(out.size() <= longest);
    FUZZ_CHECK(out.size() <= kDialStringSize - 2);
    if (!out.empty()) {
        FUZZ_CHECK(out.compare(0, prefix.size(), prefix) == 0);
        std::string keys = out.substr(prefix.size());
        bool ok = AllDialChars(keys);
        if (!ok && tenDigitLocal && !area.empty()) {
            // The area code, once, somewhere among the keys.
            for (std::size_t at = keys.find(area); !ok && at != std::string::npos; at = keys.find(area, at + 1))
                ok = AllDialChars(keys.substr(0, at) + keys.substr(at + area.size()));
        }
        FUZZ_CHECK(ok);
    }

    // A smaller buffer: the same text, cut to fit.
    std::string cut = Build(entry, settings, smallSize);
    FUZZ_CHECK(cut == out.substr(0, std::min(out.size(), smallSize - 1)));

    // The status line of a contact whose number and note hold the entry.
    Contact c;
    ClearContact(c);
    SetField(c.FirstName, sizeof c.FirstName, entry.c_str());
    SetField(c.LastName, sizeof c.LastName, prefix.c_str());
    SetField(c.Number, sizeof c.Number, entry.c_str());
    SetField(c.MiscInfo, sizeof c.MiscInfo, entry.c_str());
    unsigned char status[kStatusLineSize + 32];
    std::memset(status, kUnwritten, sizeof status);
    BuildStatusText(c, settings, reinterpret_cast<char*>(status));
    FUZZ_CHECK(std::memchr(status, '\0', kStatusLineSize) != nullptr);
    for (std::size_t i = kStatusLineSize; i < sizeof status; ++i) FUZZ_CHECK(status[i] == kUnwritten);
    return 0;
}
