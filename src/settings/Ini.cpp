#include "settings/Ini.h"

#include <vector>

#include "settings/Gbk.h"

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

}  // namespace

std::string ReadIniValue(Files& files, const std::string& path, std::string_view section,
                         std::string_view key, std::string_view defaultValue) {
    section = Trim(SkipLeadingControl(section));
    key = Trim(SkipLeadingControl(key));
    if (SkipLeadingControl(path).empty() || section.empty() || key.empty()) return {};
    std::string_view found = PrepareDefault(defaultValue);
    std::string text;
    // A UTF-8 byte-order mark is not skipped: Windows reads it as part of the first line (Wine
    // skips it). A UTF-16 file, which Windows would read as Unicode, finds nothing here.
    if (files.Read(path, text)) {
        const std::vector<std::string_view> lines = SplitLines(text);
        const Place place = Locate(lines, section, key);
        if (place.key != Place::kNone) {
            const Line line = ParseLine(lines[place.key]);
            if (line.hasValue) found = StripQuotes(line.value);
        }
    }
    return std::string(CutToCharacters(found, kMaxValueBytes));
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
