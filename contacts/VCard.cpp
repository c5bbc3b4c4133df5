#include "contacts/VCard.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

namespace {

using std::string_view;

enum Field { kFirstName, kLastName, kNumber, kAddress, kCity, kState, kZip, kEmail, kMiscInfo };

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool Same(string_view a, string_view word) {
    if (a.size() != word.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(word[i])) return false;
    return true;
}

string_view Trim(string_view s) {
    while (!s.empty() && (IsBlank(s.front()) || s.front() == '\r')) s.remove_prefix(1);
    while (!s.empty() && (IsBlank(s.back()) || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// Quotes around a parameter value go; what they hold stays.
string_view Unquote(string_view s) {
    s = Trim(s);
    if (s.size() >= 2 && s.front() == '"' && s.back() == '"') return s.substr(1, s.size() - 2);
    return s;
}

bool IsCardLine(string_view line, string_view name) {
    line = Trim(line);
    std::size_t colon = line.find(':');
    return colon != string_view::npos && Same(Trim(line.substr(0, colon)), name) &&
           Same(Trim(line.substr(colon + 1)), "VCARD");
}

bool IsBase64Line(string_view line) {
    if (line.empty()) return false;
    for (char c : line)
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' || c == '/' ||
              c == '=' || IsBlank(c)))
            return false;
    return true;
}

bool IsValidUtf8(const std::string& s) {
    const auto* p = reinterpret_cast<const unsigned char*>(s.data());
    const std::size_t n = s.size();
    for (std::size_t i = 0; i < n;) {
        unsigned char b = p[i];
        std::size_t need = b < 0x80                 ? 0
                           : b >= 0xC2 && b <= 0xDF ? 1
                           : b >= 0xE0 && b <= 0xEF ? 2
                           : b >= 0xF0 && b <= 0xF4 ? 3
                                                    : 4;
        if (need == 4) return false;
        if (need > 0) {
            if (i + need >= n) return false;
            unsigned char second = p[i + 1];
            unsigned char low = b == 0xE0 ? 0xA0 : b == 0xF0 ? 0x90 : 0x80;
            unsigned char high = b == 0xED ? 0x9F : b == 0xF4 ? 0x8F : 0xBF;
            if (second < low || second > high) return false;
            for (std::size_t k = 2; k <= need; ++k)
                if ((p[i + k] & 0xC0) != 0x80) return false;
        }
        i += need + 1;
    }
    return true;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = Lower(c);
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

// "=XX" becomes its byte; an "=" that starts no such pair stays.
void AppendQuotedPrintable(string_view s, std::string& out) {
    for (std::size_t i = 0; i < s.size(); ++i) {
        int high = -1, low = -1;
        if (s[i] == '=' && i + 2 < s.size()) {
            high = HexValue(s[i + 1]);
            low = HexValue(s[i + 2]);
        }
        if (high >= 0 && low >= 0) {
            out += static_cast<char>(high * 16 + low);
            i += 2;
        } else if (!(s[i] == '=' && i + 1 == s.size())) {  // a soft break at the very end goes
            out += s[i];
        }
    }
}

// "\," "\;" "\\" and "\n" or "\N" (a line break) become what they stand for.
void Unescape(std::string& s) {
    std::size_t to = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        char c = s[i];
        if (c == '\\' && i + 1 < s.size()) {
            char next = s[i + 1];
            if (next == ',' || next == ';' || next == '\\') {
                c = next;
                ++i;
            } else if (next == 'n' || next == 'N') {
                c = '\n';
                ++i;
            }
        }
        s[to++] = c;
    }
    s.resize(to);
}

// Every field is one line: a line break (CR LF as one) or any other control
// character becomes one blank, and blanks at either end go.
void MakeOneLine(std::string& s, TextCharset charset) {
    std::size_t to = 0;
    const std::size_t n = s.size();
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        unsigned char next = i + 1 < n ? static_cast<unsigned char>(s[i + 1]) : 0;
        bool control = c < 0x20 || c == 0x7F || (charset == TextCharset::Latin1 && c >= 0x80 && c < 0xA0);
        if ((c == '\r' && next == '\n') || (charset == TextCharset::Utf8 && c == 0xC2 && next >= 0x80 && next < 0xA0)) {
            control = true;
            ++i;  // two bytes, one character
        }
        s[to++] = control ? ' ' : static_cast<char>(c);
    }
    s.resize(to);
    std::size_t begin = s.find_first_not_of(' ');
    if (begin == std::string::npos) {
        s.clear();
        return;
    }
    s.erase(s.find_last_not_of(' ') + 1);
    s.erase(0, begin);
}

// A decoded text and the character set its property named, if any.
// Cleared rather than made anew from card to card, so that their texts keep
// their room: a large file makes no more allocations than a small one.
struct Kept {
    std::string Bytes;
    bool Named = false;
    TextCharset Charset = TextCharset::Utf8;
    void Clear() {
        Bytes.clear();
        Named = false;
    }
};

struct Phone {
    Kept Number;
    std::string Word;  // its first type word other than pref and voice, in lower case
    void Clear() {
        Number.Clear();
        Word.clear();
    }
};

struct Address {
    Kept Street, Extended, City, Region, Zip;
    bool Present = false;
    void Clear() {
        for (Kept* k : {&Street, &Extended, &City, &Region, &Zip}) k->Clear();
        Present = false;
    }
};

struct Card {
    bool Version21 = true;  // a card without VERSION is read as 2.1
    bool HasN = false, HasFn = false, HasOrg = false, HasNote = false;
    Kept Family, Given, Fn, Org, Note;
    Phone Phones[2];  // the first two telephones
    int PhoneCount = 0;
    Phone Preferred;  // the first preferred telephone, the `PreferredAt`-th
    int PreferredAt = -1;
    Address FirstAddress, PreferredAddress;
    Kept FirstEmail, PreferredEmail;
    bool HasEmail = false, HasPreferredEmail = false;
    void Clear() {
        Version21 = true;
        HasN = HasFn = HasOrg = HasNote = HasEmail = HasPreferredEmail = false;
        for (Kept* k : {&Family, &Given, &Fn, &Org, &Note, &FirstEmail, &PreferredEmail}) k->Clear();
        for (Phone* p : {&Phones[0], &Phones[1], &Preferred}) p->Clear();
        PhoneCount = 0;
        PreferredAt = -1;
        FirstAddress.Clear();
        PreferredAddress.Clear();
    }
};

// The first line feed in [p, end), or null; eight bytes at a time, since the
// C runtime's memchr may go byte by byte, and a file with photos is hundreds
// of megabytes of short lines.
const char* FindLineFeed(const char* p, const char* end) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ull, kHighs = 0x8080808080808080ull;
    constexpr std::uint64_t kFeeds = kOnes * static_cast<unsigned char>('\n');
    while (end - p >= 8) {
        std::uint64_t word;
        std::memcpy(&word, p, sizeof word);
        const std::uint64_t x = word ^ kFeeds;  // a zero byte where a line feed is
        if ((x - kOnes) & ~x & kHighs) break;
        p += 8;
    }
    for (; p < end; ++p)
        if (*p == '\n') return p;
    return nullptr;
}

// UTF-16 text, little or big endian, as UTF-8, a piece at a time: a code
// unit or a surrogate pair that the end of one piece cuts is finished by the
// next.  A unit that is no character becomes U+FFFD.
class Utf16ToUtf8 {
public:
    explicit Utf16ToUtf8(bool bigEndian) : big_(bigEndian) {}

    void Add(const char* p, std::size_t n, std::string& out) {
        for (std::size_t i = 0; i < n; ++i) {
            const auto b = static_cast<unsigned char>(p[i]);
            if (!haveByte_) {
                byte_ = b;
                haveByte_ = true;
                continue;
            }
            haveByte_ = false;
            Unit(big_ ? (char32_t{byte_} << 8 | b) : (char32_t{b} << 8 | byte_), out);
        }
    }
    void End(std::string& out) {
        if (high_ || haveByte_) Put(0xFFFD, out);
        high_ = 0;
        haveByte_ = false;
    }

private:
    void Unit(char32_t unit, std::string& out) {
        if (high_ && unit >= 0xDC00 && unit <= 0xDFFF) {
            Put(0x10000 + ((high_ - 0xD800) << 10) + (unit - 0xDC00), out);
            high_ = 0;
            return;
        }
        if (high_) Put(0xFFFD, out);
        high_ = 0;
        if (unit >= 0xD800 && unit <= 0xDBFF)
            high_ = unit;
        else
            Put(unit >= 0xDC00 && unit <= 0xDFFF ? 0xFFFD : unit, out);
    }
    static void Put(char32_t code, std::string& out) {
        if (code < 0x80) {
            out += static_cast<char>(code);
            return;
        }
        const int extra = code < 0x800 ? 1 : code < 0x10000 ? 2 : 3;
        static const unsigned char kLead[4] = {0, 0xC0, 0xE0, 0xF0};
        out += static_cast<char>(kLead[extra] | (code >> (6 * extra)));
        for (int k = extra - 1; k >= 0; --k) out += static_cast<char>(0x80 | ((code >> (6 * k)) & 0x3F));
    }

    bool big_;
    bool haveByte_ = false;
    unsigned char byte_ = 0;
    char32_t high_ = 0;
};

// The lines of bytes in memory, or of bytes a source hands out piece by
// piece.  A line's view stays valid until the next call.
class PhysicalLines {
public:
    PhysicalLines(const char* data, std::size_t size) : p_(data), end_(data + size) {}
    explicit PhysicalLines(const VCardSource& source) : source_(&source) {}

    // A UTF-8 byte order mark at the start goes; after a UTF-16 one (some
    // Windows tools write vCards so) the text is read as UTF-8.
    void SkipByteOrderMark() {
        while (end_ - p_ < 3 && More()) {
        }
        if (end_ - p_ >= 3 && std::memcmp(p_, "\xEF\xBB\xBF", 3) == 0) p_ += 3;
        if (end_ - p_ < 2 || !((p_[0] == '\xFF' && p_[1] == '\xFE') || (p_[0] == '\xFE' && p_[1] == '\xFF'))) return;
        utf16_.reset(new Utf16ToUtf8(p_[0] == '\xFE'));
        utf16_->Add(p_ + 2, static_cast<std::size_t>(end_ - p_ - 2), pending_);
        rawEnded_ = !source_ || ended_;
        if (rawEnded_) utf16_->End(pending_);
        if (source_) {
            p_ = end_;  // all of it is pending
            ended_ = false;
        } else {
            p_ = pending_.data();
            end_ = p_ + pending_.size();
        }
    }
    bool AtEnd() { return p_ >= end_ && !More(); }
    // The next line without its line end, left to be taken.
    string_view Peek() {
        if (!peeked_) {
            const char* lf = nullptr;
            // Each byte is looked at once, however long the line.
            for (;;) {
                const std::size_t have = static_cast<std::size_t>(end_ - p_);
                if (scanned_ < have && (lf = FindLineFeed(p_ + scanned_, end_))) break;
                scanned_ = have;
                if (!More()) break;
            }
            const char* stop = lf ? lf : end_;
            after_ = lf ? stop + 1 : end_;
            next_ = string_view(p_, static_cast<std::size_t>(stop - p_));
            if (!next_.empty() && next_.back() == '\r') next_.remove_suffix(1);
            peeked_ = true;
        }
        return next_;
    }
    string_view Take() {
        string_view line = Peek();
        peeked_ = false;
        scanned_ = 0;
        p_ = after_;
        return line;
    }

private:
    static constexpr std::size_t kPiece = 1 << 20;

    // Reads on after the bytes not yet taken; false at the end.
    bool More() {
        if (!source_ || ended_) return false;
        const std::size_t kept = static_cast<std::size_t>(end_ - p_);
        // Only a line longer than half the buffer makes it grow, by doubling.
        // The room is not cleared: only what the source fills is read.
        if (size_ < kPiece || kept > size_ / 2) {
            std::size_t size = size_ < kPiece ? kPiece : size_ * 2;
            std::unique_ptr<char[]> grown(new char[size]);
            if (kept) std::memcpy(grown.get(), p_, kept);
            buffer_ = std::move(grown);
            size_ = size;
        } else if (kept && p_ != buffer_.get()) {
            std::memmove(buffer_.get(), p_, kept);
        }
        std::size_t got = Fill(buffer_.get() + kept, size_ - kept);
        p_ = buffer_.get();
        end_ = p_ + kept + got;
        ended_ = got == 0;
        return got > 0;
    }

    // What the source hands out, as UTF-8.
    std::size_t Fill(char* to, std::size_t room) {
        if (!utf16_) return (*source_)(to, room);
        while (pendingAt_ == pending_.size() && !rawEnded_) {
            pending_.clear();
            pendingAt_ = 0;
            raw_.resize(kPiece);
            std::size_t got = (*source_)(&raw_[0], raw_.size());
            rawEnded_ = got == 0;
            if (rawEnded_)
                utf16_->End(pending_);
            else
                utf16_->Add(raw_.data(), got, pending_);
        }
        const std::size_t n = std::min(room, pending_.size() - pendingAt_);
        std::memcpy(to, pending_.data() + pendingAt_, n);
        pendingAt_ += n;
        return n;
    }

    const char* p_ = nullptr;
    const char* end_ = nullptr;
    const char* after_ = nullptr;
    std::size_t scanned_ = 0;  // of the line not yet found whole
    string_view next_;
    bool peeked_ = false;
    const VCardSource* source_ = nullptr;
    std::unique_ptr<char[]> buffer_;
    std::size_t size_ = 0;
    bool ended_ = false;
    std::unique_ptr<Utf16ToUtf8> utf16_;
    std::string raw_, pending_;  // a UTF-16 piece and the UTF-8 not yet handed out
    std::size_t pendingAt_ = 0;
    bool rawEnded_ = false;
};

bool IsFold(string_view line) { return !line.empty() && IsBlank(line.front()); }

class Reader {
public:
    Reader(PhysicalLines& lines, const std::function<void(const VCardEntry&)>& take) : lines_(lines), take_(take) {}

    void Run() {
        while (NextLogicalLine()) OnLine();
        // A file cut short: the cards still open are taken as they stand.
        for (; depth_ > 0; --depth_) Finish(cards_[depth_ - 1]);
    }

private:
    struct Span {
        std::size_t At, Length;
    };

    string_view Part(Span s) const { return string_view(line_).substr(s.At, s.Length); }

    // Gathers one property: its folded lines, and the lines quoted-printable
    // soft breaks join to it.  The lines of a base64 value are passed over
    // without being copied, however many there are.
    bool NextLogicalLine() {
        if (lines_.AtEnd()) return false;
        line_.assign(lines_.Take());
        headed_ = inQuote_ = false;
        scanned_ = 0;
        FindColon();
        while (!lines_.AtEnd()) {
            // A soft break never takes in the line that begins or ends a
            // card: a broken value costs its own card, not the ones after.
            // One that is indented as well loses its indent, as a fold does.
            if (headed_ && quotedPrintable_ && !line_.empty() && line_.back() == '=' &&
                !IsCardLine(lines_.Peek(), "BEGIN") && !IsCardLine(lines_.Peek(), "END")) {
                line_.pop_back();
                string_view next = lines_.Take();
                if (IsFold(next)) next.remove_prefix(1);
                line_.append(next);
                continue;
            }
            if (!IsFold(lines_.Peek())) break;
            string_view next = lines_.Take();
            if (headed_ && base64_) continue;
            line_.append(next.data() + 1, next.size() - 1);
            if (!headed_) FindColon();
        }
        if (headed_ && base64_) {
            // Phones of the 2.1 age write base64 lines without indent and end
            // the value with a blank line.
            while (!lines_.AtEnd() && IsBase64Line(lines_.Peek())) lines_.Take();
            if (!lines_.AtEnd() && Trim(lines_.Peek()).empty()) lines_.Take();
        }
        return true;
    }

    // The name ends at the first ":" outside quotes; looks on from where the
    // last look stopped, so a long header costs one pass.
    void FindColon() {
        for (; !headed_ && scanned_ < line_.size(); ++scanned_) {
            char c = line_[scanned_];
            if (c == '"')
                inQuote_ = !inQuote_;
            else if (c == ':' && !inQuote_)
                ParseHeader(scanned_);
        }
    }

    void ParseHeader(std::size_t colon) {
        headed_ = true;
        colon_ = colon;
        quotedPrintable_ = base64_ = preferred_ = named_ = foreign_ = false;
        charset_ = TextCharset::Utf8;
        types_.clear();
        std::size_t start = 0;
        bool first = true, quoted = false;
        for (std::size_t i = 0; i <= colon; ++i) {
            if (i < colon && line_[i] == '"') quoted = !quoted;
            if (i < colon && (line_[i] != ';' || quoted)) continue;
            Span segment{start, i - start};
            if (first) {
                // "item1.TEL": the group goes.
                string_view name = Part(segment);
                std::size_t dot = name.rfind('.');
                if (dot != string_view::npos) segment = Span{start + dot + 1, i - start - dot - 1};
                name_ = segment;
                first = false;
            } else {
                Parameter(segment);
            }
            start = i + 1;
        }
    }

    void Parameter(Span segment) {
        string_view text = Part(segment);
        std::size_t equals = text.find('=');
        if (equals == string_view::npos) {
            // 2.1's bare parameters: an encoding or a type word.
            string_view word = Trim(text);
            if (Same(word, "QUOTED-PRINTABLE"))
                quotedPrintable_ = true;
            else if (Same(word, "BASE64") || Same(word, "B"))
                base64_ = true;
            else if (Same(word, "PREF"))
                preferred_ = true;
            else if (!word.empty() && !Same(word, "7BIT") && !Same(word, "8BIT"))
                types_.push_back(Span{static_cast<std::size_t>(word.data() - line_.data()), word.size()});
            return;
        }
        string_view key = Trim(text.substr(0, equals));
        string_view value = Unquote(text.substr(equals + 1));
        if (Same(key, "ENCODING")) {
            if (Same(value, "QUOTED-PRINTABLE"))
                quotedPrintable_ = true;
            else if (Same(value, "BASE64") || Same(value, "B"))
                base64_ = true;
        } else if (Same(key, "CHARSET")) {
            named_ = !value.empty();
            foreign_ = false;
            charset_ = TextCharset::Utf8;
            if (Same(value, "WINDOWS-1252")) {
                charset_ = TextCharset::Windows1252;
            } else if (Same(value, "ISO-8859-1")) {
                charset_ = TextCharset::Latin1;
            } else if (Same(value, "US-ASCII")) {
                charset_ = TextCharset::Ascii;
            } else if (named_ && !Same(value, "UTF-8")) {
                // Any other set is the system's to convert, to UTF-8 (Decode).
                foreign_ = true;
                charsetName_ = Span{static_cast<std::size_t>(value.data() - line_.data()), value.size()};
            }
        } else if (Same(key, "PREF")) {
            if (Trim(value) == "1") preferred_ = true;
        } else if (Same(key, "TYPE")) {
            // "TYPE=WORK,PREF", "TYPE=\"voice,cell\"".
            while (!value.empty()) {
                std::size_t comma = value.find(',');
                string_view word = Unquote(value.substr(0, comma));
                value = comma == string_view::npos ? string_view() : value.substr(comma + 1);
                if (Same(word, "PREF"))
                    preferred_ = true;
                else if (!word.empty())
                    types_.push_back(Span{static_cast<std::size_t>(word.data() - line_.data()), word.size()});
            }
        }
    }

    bool HasType(const char* word) const {
        for (Span t : types_)
            if (Same(Part(t), word)) return true;
        return false;
    }

    string_view Value() const { return string_view(line_).substr(colon_ + 1); }

    // The value's first `count` components (all of it as one when `count` is
    // 1), each decoded: quoted-printable first, then the escapes.  A value in
    // a set the system converts is converted whole before it is split: the
    // second byte of a double-byte character may be a "\\" or a ";".
    void Decode(std::size_t count) {
        string_view value = Value();
        bool quotedPrintable = quotedPrintable_;
        if (foreign_) {
            raw_.clear();
            if (quotedPrintable) AppendQuotedPrintable(value, raw_);
            const string_view raw = quotedPrintable ? string_view(raw_) : value;
            converted_.clear();
            CharsetToUtf8(Part(charsetName_), raw.data(), raw.size(), converted_);
            value = converted_;
            quotedPrintable = false;
        }
        parts_.resize(count);
        for (auto& p : parts_) p.clear();
        std::size_t start = 0, k = 0;
        for (std::size_t i = 0; i <= value.size() && k < count; ++i) {
            if (i + 1 < value.size() && value[i] == '\\') {
                ++i;  // an escaped ";" separates nothing
                continue;
            }
            if (i < value.size() && (value[i] != ';' || count == 1)) continue;
            string_view raw = value.substr(start, std::min(i, value.size()) - start);
            if (quotedPrintable)
                AppendQuotedPrintable(raw, parts_[k]);
            else
                parts_[k].assign(raw);
            Unescape(parts_[k]);
            ++k;
            start = i + 1;
        }
    }

    void Keep(Kept& kept, const std::string& bytes) const {
        kept.Bytes.assign(bytes);
        kept.Named = named_;
        kept.Charset = charset_;
    }

    static bool HasText(const std::string& s) {
        for (char c : s)
            if (static_cast<unsigned char>(c) > ' ' && c != 0x7F) return true;
        return false;
    }

    // Cards nest (a 2.1 AGENT's card, or one an exporter wrote inside
    // another): each is a contact of its own, and the outer one keeps what
    // stands before and after the inner ones.
    void OnLine() {
        if (!headed_) return;
        string_view name = Part(name_);
        if (Same(name, "BEGIN") && Same(Trim(Value()), "VCARD")) {
            if (depth_ < kMostOpen) cards_[depth_++].Clear();
        } else if (Same(name, "END") && Same(Trim(Value()), "VCARD")) {
            if (depth_ > 0) Finish(cards_[--depth_]);
        } else if (depth_ > 0) {
            Property(cards_[depth_ - 1], name);
        }
    }

    void Property(Card& card, string_view name) {
        if (Same(name, "VERSION")) {
            card.Version21 = Trim(Value()) == "2.1";
        } else if (Same(name, "N") && !card.HasN) {
            Decode(2);
            card.HasN = true;
            Keep(card.Family, parts_[0]);
            Keep(card.Given, parts_[1]);
        } else if (Same(name, "FN") && !card.HasFn) {
            Decode(1);
            card.HasFn = true;
            Keep(card.Fn, parts_[0]);
        } else if (Same(name, "ORG") && !card.HasOrg) {
            Decode(2);
            card.HasOrg = true;
            Keep(card.Org, parts_[0]);
        } else if (Same(name, "NOTE") && !card.HasNote) {
            Decode(1);
            if (!HasText(parts_[0])) return;
            card.HasNote = true;
            Keep(card.Note, parts_[0]);
        } else if (Same(name, "TEL")) {
            Telephone(card);
        } else if (Same(name, "EMAIL")) {
            Decode(1);
            if (!HasText(parts_[0])) return;
            if (preferred_ && !card.HasPreferredEmail) {
                card.HasPreferredEmail = true;
                Keep(card.PreferredEmail, parts_[0]);
            } else if (!card.HasEmail) {
                card.HasEmail = true;
                Keep(card.FirstEmail, parts_[0]);
            }
        } else if (Same(name, "ADR")) {
            PostalAddress(card);
        }
    }

    void Telephone(Card& card) {
        if (HasType("FAX") || HasType("PAGER")) return;
        Decode(1);
        std::string& number = parts_[0];
        std::size_t at = number.find_first_not_of(" \t");
        // A 4.0 "tel:" URI: the number is what follows the scheme.
        if (at != std::string::npos && number.size() - at >= 4 && Same(string_view(number).substr(at, 4), "tel:"))
            number.erase(0, at + 4);
        if (!HasText(number)) return;
        Phone& phone = phone_;
        phone.Clear();
        for (Span t : types_) {
            string_view word = Part(t);
            if (Same(word, "VOICE")) continue;
            for (char c : word) phone.Word += Lower(c);
            break;
        }
        Keep(phone.Number, number);
        int index = card.PhoneCount < 2 ? card.PhoneCount : 2;
        if (preferred_ && card.PreferredAt < 0) {
            card.PreferredAt = index;
            card.Preferred = phone;
        }
        if (card.PhoneCount < 2) card.Phones[card.PhoneCount++] = phone;
    }

    void PostalAddress(Card& card) {
        Decode(6);  // post office box, extended, street, locality, region, postal code
        bool any = false;
        for (const auto& p : parts_) any = any || HasText(p);
        if (!any) return;
        Address& a = preferred_ && !card.PreferredAddress.Present ? card.PreferredAddress : card.FirstAddress;
        if (a.Present) return;
        a.Present = true;
        Keep(a.Extended, parts_[1]);
        Keep(a.Street, parts_[2]);
        Keep(a.City, parts_[3]);
        Keep(a.Region, parts_[4]);
        Keep(a.Zip, parts_[5]);
    }

    // The character set a text is taken in; `out` the text made one line.
    static TextCharset Resolve(const Card& card, const Kept& kept, std::string& out) {
        TextCharset charset = TextCharset::Utf8;
        if (kept.Named) charset = kept.Charset;
        // Phones of the 2.1 age wrote their ANSI bytes without naming them.
        else if (card.Version21 && !IsValidUtf8(kept.Bytes))
            charset = TextCharset::Windows1252;
        out.assign(kept.Bytes);
        MakeOneLine(out, charset);
        return charset;
    }

    void Finish(const Card& card) {
        TextCharset charsets[kContactFieldCount] = {};
        charsets[kLastName] = Resolve(card, card.Family, texts_[kLastName]);
        charsets[kFirstName] = Resolve(card, card.Given, texts_[kFirstName]);
        if (texts_[kFirstName].empty() && texts_[kLastName].empty()) {
            charsets[kFirstName] = Resolve(card, card.Fn, texts_[kFirstName]);
            if (texts_[kFirstName].empty()) charsets[kFirstName] = Resolve(card, card.Org, texts_[kFirstName]);
        }
        // The preferred telephone, else the first; the first other one goes
        // to Misc. Info., so that Dial Misc. dials it.
        const Phone* number = card.PreferredAt >= 0 ? &card.Preferred : card.PhoneCount ? &card.Phones[0] : nullptr;
        const Phone* other = card.PreferredAt > 0 ? &card.Phones[0] : card.PhoneCount > 1 ? &card.Phones[1] : nullptr;
        charsets[kNumber] = Resolve(card, number ? number->Number : Kept(), texts_[kNumber]);
        std::string& misc = texts_[kMiscInfo];
        if (other) {
            charsets[kMiscInfo] = Resolve(card, other->Number, misc);
            if (!other->Word.empty()) {
                misc.insert(0, 1, ' ');
                misc.insert(0, other->Word);
                MakeOneLine(misc, charsets[kMiscInfo]);  // the type word may hold anything
            }
        } else {
            charsets[kMiscInfo] = Resolve(card, card.Note, misc);
        }
        const Address& a = card.PreferredAddress.Present ? card.PreferredAddress : card.FirstAddress;
        charsets[kAddress] = Resolve(card, a.Street, texts_[kAddress]);
        const TextCharset extended = Resolve(card, a.Extended, scratch_);
        charsets[kCity] = Resolve(card, a.City, texts_[kCity]);
        charsets[kZip] = Resolve(card, a.Zip, texts_[kZip]);
        std::string& region = texts_[kState];
        charsets[kState] = Resolve(card, a.Region, region);
        auto letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
        if (region.size() == 2 && letter(region[0]) && letter(region[1])) {
            for (char& c : region) c = static_cast<char>(c >= 'a' ? c - 'a' + 'A' : c);
        } else {
            region.clear();
        }
        charsets[kEmail] =
            Resolve(card, card.HasPreferredEmail ? card.PreferredEmail : card.FirstEmail, texts_[kEmail]);
        VCardEntry entry;
        for (int f = 0; f < kContactFieldCount; ++f) entry.Fields[f] = CharsetText{texts_[f], charsets[f]};
        entry.ExtendedAddress = CharsetText{scratch_, extended};
        take_(entry);
    }

    PhysicalLines& lines_;
    const std::function<void(const VCardEntry&)>& take_;
    std::string line_;
    // The present line's header.
    bool headed_ = false, inQuote_ = false;
    std::size_t scanned_ = 0, colon_ = 0;
    Span name_{0, 0};
    bool quotedPrintable_ = false, base64_ = false, preferred_ = false, named_ = false, foreign_ = false;
    TextCharset charset_ = TextCharset::Utf8;
    Span charsetName_{0, 0};  // when foreign_
    std::string raw_, converted_;
    std::vector<Span> types_;
    std::vector<std::string> parts_;
    // The open cards, outermost first; a BEGIN beyond the last opens none.
    static constexpr std::size_t kMostOpen = 8;
    Card cards_[kMostOpen];
    std::size_t depth_ = 0;
    Phone phone_;
    std::string texts_[kContactFieldCount], scratch_;
};

}  // namespace

namespace {

// Passes over blank lines and tells whether the first other one begins a card.
bool BeginsWithCard(PhysicalLines& lines) {
    lines.SkipByteOrderMark();
    while (!lines.AtEnd()) {
        if (Trim(lines.Peek()).empty()) {
            lines.Take();
            continue;
        }
        // Blanks may follow, not come before.
        string_view line = lines.Peek();
        return !IsBlank(line.front()) && Same(Trim(line), "BEGIN:VCARD");
    }
    return false;
}

}  // namespace

bool IsVCardText(const char* data, std::size_t size) {
    PhysicalLines lines(data, size);
    return BeginsWithCard(lines);
}

void ReadVCards(const char* data, std::size_t size, const std::function<void(const VCardEntry&)>& take) {
    PhysicalLines lines(data, size);
    lines.SkipByteOrderMark();
    Reader(lines, take).Run();
}

bool ReadVCardSource(const VCardSource& source, const std::function<void(const VCardEntry&)>& take) {
    PhysicalLines lines(source);
    if (!BeginsWithCard(lines)) return false;
    Reader(lines, take).Run();
    return true;
}
