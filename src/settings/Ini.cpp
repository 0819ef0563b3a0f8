#include "settings/Ini.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/GbkText.h"

// The rules are those of the Win32 private-profile functions as the program relies on them, worked
// on bytes so that GBK names and values stay exact under any system code page. Where Wine's copy
// of those functions differs from Windows, Windows is followed; the comments below say where.
namespace sut {
namespace {

constexpr std::size_t kMaxValueBytes = 10239;

// 0x1A (the old DOS end-of-file mark) counts as a blank, as in the system's parser.
bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r') || c == 0x1A; }

std::string_view TrimLeft(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    return s;
}

std::string_view TrimRight(std::string_view s) {
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

std::string_view Trim(std::string_view s) { return TrimRight(TrimLeft(s)); }

std::string_view SkipLeadingControl(std::string_view s) {
    while (!s.empty() && static_cast<unsigned char>(s.front()) >= 0x01 &&
           static_cast<unsigned char>(s.front()) <= 0x20)
        s.remove_prefix(1);
    return s;
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// ASCII letters match either case; a double-byte character matches only itself (its trail byte
// may look like a letter).
bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size();) {
        const std::size_t n = GbkCharLength(a, i);
        if (n == 2) {
            if (a.substr(i, 2) != b.substr(i, 2)) return false;
        } else if (LowerAscii(a[i]) != LowerAscii(b[i])) {
            return false;
        }
        i += n;
    }
    return true;
}

// One pair of the same quote, double or single, around the text is dropped.
std::string_view StripQuotes(std::string_view v) {
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
}

// The first `limit` bytes at most, never ending inside a double-byte character.
std::string_view CutToCharacters(std::string_view s, std::size_t limit) {
    std::size_t end = 0;
    while (end < s.size()) {
        const std::size_t n = GbkCharLength(s, end);
        if (end + n > limit) break;
        end += n;
    }
    return s.substr(0, end);
}

// CRLF, LF and a lone CR all end a line.
std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

struct Line {
    enum Kind { Blank, Section, Key } kind = Blank;
    std::string_view name;   // section or key name, trimmed
    std::string_view value;  // trimmed
    bool hasValue = false;   // a key line without '=' names a key that has no value
};

// A line starting with '[' is a section header up to its last ']', whatever follows; without a
// ']' it is an ordinary line. Comment lines (';', '#') are ordinary lines too: the system's
// parser keeps them as keys, so ";x=1" is found by the key ";x".
Line ParseLine(std::string_view raw) {
    Line line;
    const std::string_view text = Trim(raw);
    if (text.empty()) return line;
    if (text.front() == '[') {
        std::size_t close = std::string_view::npos;
        for (std::size_t i = 1; i < text.size(); i += GbkCharLength(text, i))
            if (text[i] == ']') close = i;
        if (close != std::string_view::npos) {
            line.kind = Line::Section;
            line.name = Trim(text.substr(1, close - 1));
            return line;
        }
    }
    line.kind = Line::Key;
    const std::size_t eq = text.find('=');  // never a trail byte: those start at 0x40
    line.hasValue = eq != std::string_view::npos;
    line.name = line.hasValue ? TrimRight(text.substr(0, eq)) : text;
    if (line.hasValue) line.value = TrimLeft(text.substr(eq + 1));
    return line;
}

// Where a key sits. Only the first section of a name is searched, and in it the first key of the
// name counts.
struct Place {
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    std::size_t header = kNone;  // the section's header line
    std::size_t key = kNone;     // the key's line
    std::size_t lastFilled = kNone;  // the section's last non-blank line
};

Place Locate(const std::vector<std::string_view>& lines, std::string_view section,
             std::string_view key) {
    Place place;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Line line = ParseLine(lines[i]);
        if (line.kind == Line::Section) {
            if (place.header != Place::kNone) break;
            if (SameName(line.name, section)) place.header = place.lastFilled = i;
        } else if (place.header != Place::kNone && line.kind == Line::Key) {
            place.lastFilled = i;
            if (SameName(line.name, key)) {
                place.key = i;
                break;
            }
        }
    }
    return place;
}

// The default loses its trailing spaces (a default of only spaces keeps one, as the system's
// function does), then one pair of quotes.
std::string_view PrepareDefault(std::string_view value) {
    while (value.size() > 1 && value.back() == ' ') value.remove_suffix(1);
    return StripQuotes(value);
}

// The value as the file will hold it: it ends at a line break or NUL, so that no value can add
// lines of its own to the file, and loses its leading blanks like the system's function.
std::string_view PrepareValue(std::string_view value) {
    value = value.substr(0, value.find_first_of(std::string_view("\r\n\0", 3)));
    return TrimLeft(value);
}

bool StartsWithUtf16Mark(std::string_view text) {
    return text.size() >= 2 && ((text[0] == '\xFF' && text[1] == '\xFE') ||
                                (text[0] == '\xFE' && text[1] == '\xFF'));
}

// The position of the first CR or LF in s from i on, or s.size(). Eight bytes at a time: a word
// holds one of them exactly when XOR-ing it with that byte gives a zero byte.
std::size_t FindLineEnd(std::string_view s, std::size_t i) {
    constexpr std::uint64_t kOnes = 0x0101010101010101u, kHighs = 0x8080808080808080u;
    for (; i + 8 <= s.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, s.data() + i, 8);
        const std::uint64_t cr = word ^ (kOnes * '\r'), lf = word ^ (kOnes * '\n');
        if ((((cr - kOnes) & ~cr) | ((lf - kOnes) & ~lf)) & kHighs) break;
    }
    while (i < s.size() && s[i] != '\r' && s[i] != '\n') ++i;
    return i;
}

// The reader's pass over a file: its bytes arrive once, in pieces of any size, and each line is
// judged by ParseLine's and Locate's rules as its bytes go by. What is kept is bounded whatever
// the size of the file or of its lines: the first bytes of a line's section and key names (as
// many as the names searched for) and of its value (as many as a value may hold, plus quotes).
// The scan stops as soon as the answer is known. The writer works on whole texts with ParseLine
// and Locate; the unit tests hold both to the same answers, with pieces of every size.
class ValueScan {
public:
    ValueScan(std::string_view section, std::string_view key) : section_(section), key_(key) {}

    // False once the answer is known: nothing further in the file can change it.
    bool Feed(std::string_view piece) {
        std::size_t i = 0;
        while (i < piece.size() && !done_) {
            const char c = piece[i++];
            if (c == '\n' && afterCr_) {  // CRLF: one line end
                afterCr_ = false;
                continue;
            }
            afterCr_ = c == '\r';
            if (c == '\r' || c == '\n') {
                EndLine();
            } else if (line_.skipping) {  // the rest of a line that cannot matter
                i = FindLineEnd(piece, i);
            } else {
                Take(c);
            }
        }
        return !done_;
    }
    // The end of the file ends its last line.
    void Finish() {
        if (!done_) EndLine();
        done_ = true;
    }
    // The key was found with a value; Value() is that value without its quotes, cut.
    bool Found() const { return found_; }
    const std::string& Value() const { return value_; }

private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    // What is known of the current line. Positions count from its first non-blank byte, as in
    // ParseLine's `text`.
    struct LineState {
        std::size_t size = 0;         // bytes of the text so far
        std::size_t filled = 0;       // the text's end without trailing blanks, so far
        char lastFilled = 0;          // the last non-blank byte
        bool skipping = false;        // the rest of the line cannot change the answer
        bool leadPending = false;     // the previous byte is a lead byte starting a character
        bool header = false;          // the text starts with '['
        std::size_t nameStart = kNone;  // the header name's first non-blank byte
        bool closed = false;          // a ']' starting a character has gone by
        std::size_t closedLength = 0;  // the header name's trimmed length up to the last ']'
        bool closedMatches = false;   // that name is the section's
        bool equals = false;          // a '=' has gone by
        std::size_t keyLength = 0;    // the key name's trimmed length when '=' came
        std::size_t valueStart = kNone;  // the value's first non-blank byte
    };

    // One byte of the current line, neither CR nor LF.
    void Take(char c) {
        LineState& l = line_;
        const bool blank = IsBlank(c);
        if (l.size == 0) {
            if (blank) return;  // leading blanks are not part of the text
            l.header = c == '[';
            // A key line outside the section searched for counts for nothing.
            if (!l.header && !inSection_) return Skip();
        }
        const std::size_t at = l.size++;
        // Does this byte start a character? Not when it is the trail byte of a lead before it.
        const auto u = static_cast<unsigned char>(c);
        bool starts = true;
        if (l.leadPending) {
            l.leadPending = false;
            starts = !(u >= 0x40 && u <= 0xFE && u != 0x7F);
        }
        if (starts && u >= 0x81 && u <= 0xFE) l.leadPending = true;

        // As a section header: the name runs from the first non-blank after '[' to the last ']'.
        if (l.header && at >= 1) {
            if (starts && c == ']') {
                // The line is a header now, whatever follows: past the section, it ends the search.
                if (inSection_) {
                    done_ = true;
                    return;
                }
                l.closed = true;
                l.closedLength = l.nameStart == kNone ? 0 : l.filled - l.nameStart;
                l.closedMatches =
                    l.closedLength == section_.size() &&
                    SameName(std::string_view(name_).substr(0, l.closedLength), section_);
            }
            if (l.nameStart == kNone && !blank) l.nameStart = at;
            if (l.nameStart != kNone && name_.size() < section_.size()) {
                // A byte that differs from the section name's: whichever ']' ends the name, it is
                // another name (of another length, or differing here). As a key line ("[..."
                // names) outside the section, the line counts for nothing either.
                if (!inSection_ && LowerAscii(c) != LowerAscii(section_[name_.size()]))
                    return Skip();
                name_.push_back(c);
            }
            // A non-blank byte beyond the name's length: any later ']' ends a name too long. Unless
            // the ']' so far gave the name, the line cannot be the header searched for.
            if (!inSection_ && !blank && at - l.nameStart >= section_.size() && !l.closedMatches)
                return Skip();
        }
        // As a key line: the name runs up to the first '=', the value from the first non-blank
        // after it. On a line that cannot be a header, a key name that differs in one byte or
        // grows too long is known not to match at once.
        if (l.header && key_.front() != '[') {
            // A key name starting with '[' is the only one such a line could match.
        } else if (!l.equals) {
            if (c == '=') {
                l.equals = true;
                l.keyLength = l.filled;
                if (!l.header && !KeyMatches()) return Skip();
            } else if (at < key_.size()) {
                keyName_.push_back(c);
                if (!l.header && LowerAscii(c) != LowerAscii(key_[at])) return Skip();
            } else if (!blank && !l.header) {
                return Skip();
            }
        } else {
            if (l.valueStart == kNone && !blank) l.valueStart = at;
            if (l.valueStart != kNone && value_.size() < kMaxValueBytes + 2) value_.push_back(c);
        }
        if (!blank) {
            l.filled = at + 1;
            l.lastFilled = c;
        }
    }

    void Skip() { line_.skipping = true; }

    bool KeyMatches() const {
        const std::size_t length = line_.equals ? line_.keyLength : line_.filled;
        return length == key_.size() &&
               SameName(std::string_view(keyName_).substr(0, length), key_);
    }

    void EndLine() {
        const LineState& l = line_;
        if (l.size > 0 && !l.skipping) {
            if (l.header && l.closed) {
                if (inSection_) {
                    done_ = true;  // the next section: the key is not in this one
                } else if (l.closedLength == section_.size() &&
                           SameName(std::string_view(name_).substr(0, l.closedLength), section_)) {
                    inSection_ = true;
                }
            } else if (inSection_ && KeyMatches()) {
                done_ = true;
                found_ = l.equals;
                if (found_) TakeValue();
                return;
            }
        }
        line_ = LineState();
        name_.clear();
        keyName_.clear();
        value_.clear();
    }

    // The value as ParseLine, StripQuotes and the cut leave it.
    void TakeValue() {
        const LineState& l = line_;
        const std::size_t length = l.valueStart == kNone ? 0 : l.filled - l.valueStart;
        std::size_t from = 0, count = length;
        if (length >= 2 && (value_[0] == '"' || value_[0] == '\'') && l.lastFilled == value_[0]) {
            from = 1;
            count = length - 2;
        }
        value_ = std::string(CutToCharacters(std::string_view(value_).substr(from, count),
                                             kMaxValueBytes));
    }

    std::string_view section_, key_;
    bool inSection_ = false;  // the section's header has gone by
    bool done_ = false;
    bool found_ = false;
    bool afterCr_ = false;
    LineState line_;
    std::string name_;     // the current header name's first bytes
    std::string keyName_;  // the current key name's first bytes
    std::string value_;    // the current value's first bytes, then the value found
};

}  // namespace

std::string ReadIniValue(Files& files, const std::string& path, std::string_view section,
                         std::string_view key, std::string_view defaultValue) {
    section = Trim(SkipLeadingControl(section));
    key = Trim(SkipLeadingControl(key));
    if (SkipLeadingControl(path).empty() || section.empty() || key.empty()) return {};
    // A UTF-8 byte-order mark is not skipped: Windows reads it as part of the first line (Wine
    // skips it). A UTF-16 file, which Windows would read as Unicode, finds nothing here.
    ValueScan scan(section, key);
    if (files.ReadPieces(path, [&scan](std::string_view piece) { return scan.Feed(piece); }))
        scan.Finish();
    if (scan.Found()) return scan.Value();
    return std::string(CutToCharacters(PrepareDefault(defaultValue), kMaxValueBytes));
}

bool WriteIniValue(Files& files, const std::string& path, std::string_view section,
                   std::string_view key, std::string_view value) {
    section = Trim(section);
    key = Trim(key);
    if (SkipLeadingControl(path).empty() || section.empty() || key.empty()) return false;
    std::string text;
    files.Read(path, text);
    // Rewriting a Unicode file byte by byte would mangle it; leave it as it is.
    if (StartsWithUtf16Mark(text)) return false;

    std::vector<std::string_view> lines = SplitLines(text);
    const Place place = Locate(lines, section, key);
    value = PrepareValue(value);
    std::string header;
    if (place.header == Place::kNone) header = "[" + std::string(section) + "]";
    // An existing key keeps its spelling.
    const std::string_view keyName =
        place.key != Place::kNone ? ParseLine(lines[place.key]).name : key;
    const std::string pair = std::string(keyName) + "=" + std::string(value);

    if (place.key != Place::kNone) {
        lines[place.key] = pair;
    } else if (place.header != Place::kNone) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(place.lastFilled) + 1, pair);
    } else {
        lines.push_back(header);
        lines.push_back(pair);
    }
    std::string out;
    out.reserve(text.size() + pair.size() + header.size() + 8);
    for (std::string_view line : lines) {
        out.append(line);
        out.append("\r\n");
    }
    if (out == text) return true;
    return files.Replace(path, out);
}

}  // namespace sut
