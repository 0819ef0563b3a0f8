#include "settings/Ini.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/GbkText.h"

// The rules are those of the Win32 private-profile functions as the program relies on them, worked
// on bytes so that GBK names and values stay exact under any system code page. Where Wine's copy
// of those functions differs from Windows, Windows is followed; the comments below say where.
namespace sut {
namespace {

constexpr std::size_t kMaxValueBytes = 10239;
constexpr std::size_t kNone = static_cast<std::size_t>(-1);
// What a writer hands on to the file layer at a time.
constexpr std::size_t kOutputPiece = 64 * 1024;

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

// One line of the file as the system's parser reads it.
struct Line {
    enum Kind : std::uint8_t { Blank, Section, Key } kind = Blank;
    bool known = false;       // `name` is the whole name (else it is longer than any asked about,
                              // or the line was passed over)
    bool hasValue = false;    // a key line with '='
    std::string_view name;    // the section's or the key's name, without blanks around it
    std::string_view value;   // asked for: the value's first bytes from its first non-blank on
    std::size_t valueLength = 0;  // the value's length without its trailing blanks
    char last = 0;            // the line's last non-blank byte
    std::string_view raw;     // the line's first bytes, as they stand in the file
    std::size_t rawLength = 0;
};

// The one line scanner behind reading and writing. It splits a file handed over in pieces of any
// size into lines (CRLF, LF and a lone CR each end one) and judges each line by the rules of the
// system's parser as its bytes go by:
// - blank: nothing but blanks;
// - section header: starts with '[' and holds a ']' that starts a character; the name runs to
//   the last such ']', whatever follows it;
// - key line: anything else, comment lines included (the system's parser keeps them as keys, so
//   ";x=1" is found by the key ";x"); the name runs to the first '=' (never a trail byte: those
//   start at 0x40), the value after it; a line without '=' names a key that has no value.
// What it keeps of a line is bounded whatever the line's length: the first bytes of its names
// (as many as the longest name its user asks about), of its value and of the raw line (as many
// as its user wants). A key line that cannot matter to its user is passed over to its end.
class LineScanner {
public:
    LineScanner(std::size_t nameCap, std::size_t valueCap, std::size_t rawCap)
        : nameCap_(nameCap), valueCap_(valueCap), rawCap_(rawCap) {}
    virtual ~LineScanner() = default;
    LineScanner(const LineScanner&) = delete;
    LineScanner& operator=(const LineScanner&) = delete;

    // False once the user has stopped the scan.
    bool Feed(std::string_view piece) {
        bytes_ += piece.size();
        std::size_t i = 0;
        while (i < piece.size() && !stopped_) {
            if (afterCr_) {
                afterCr_ = false;
                if (piece[i] == '\n') {  // CRLF: one line end
                    ++i;
                    continue;
                }
                crlfOnly_ = false;
            }
            const std::size_t end = FindLineEnd(piece, i);
            if (end > i) Take(piece.substr(i, end - i));
            if (end == piece.size()) break;
            if (piece[end] == '\r') afterCr_ = true;
            else crlfOnly_ = false;
            i = end + 1;
            EndLine();
        }
        return !stopped_;
    }
    // The end of the file ends its last line.
    void Finish() {
        if (stopped_) return;
        if (afterCr_) crlfOnly_ = false;
        if (rawLength_ > 0) {
            crlfOnly_ = false;
            EndLine();
        }
        stopped_ = true;
    }
    // Every line ended with CRLF, the last one included.
    bool CrlfOnly() const { return crlfOnly_; }
    std::size_t Bytes() const { return bytes_; }

protected:
    // Whether key lines matter at this point of the file.
    virtual bool KeysMatter() = 0;
    // Whether the value of a key of this name matters.
    virtual bool ValueMatters(std::string_view name) = 0;
    // The bytes of the current line, as they come.
    virtual void Content(std::string_view bytes) { (void)bytes; }
    // A line has ended; false stops the scan.
    virtual bool OnLine(const Line& line) = 0;

private:
    // What is known of the current line. Positions count from its first non-blank byte.
    struct LineState {
        std::size_t size = 0;         // bytes from the first non-blank so far
        std::size_t filled = 0;       // the end of the last non-blank byte so far
        char last = 0;                // the last non-blank byte
        bool passed = false;          // the rest of the line cannot matter
        bool longName = false;        // a key name longer than any asked about
        bool leadPending = false;     // the previous byte is a lead byte starting a character
        bool bracket = false;         // the line starts with '['
        bool seekingClose = false;    // only whether a ']' comes still matters
        std::size_t nameStart = kNone;  // the header name's first non-blank byte
        bool closed = false;          // a ']' starting a character has gone by
        std::size_t closedLength = 0;  // the header name's length up to the last such ']'
        std::size_t equals = kNone;   // the first '='
        std::size_t keyLength = 0;    // the key name's length
        bool wantValue = false;
        std::size_t valueStart = kNone;  // the value's first non-blank byte
    };

    void Take(std::string_view bytes) {
        Content(bytes);
        rawLength_ += bytes.size();
        if (raw_.size() < rawCap_) raw_.append(bytes.substr(0, rawCap_ - raw_.size()));
        LineState& l = line_;
        if (l.seekingClose) return SeekClose(bytes);
        for (std::size_t i = 0; i < bytes.size() && !l.passed; ++i) {
            const char c = bytes[i];
            const bool blank = IsBlank(c);
            if (l.size == 0) {
                if (blank) continue;  // leading blanks are not part of the line's text
                l.bracket = c == '[';
                if (!l.bracket && !KeysMatter()) {
                    l.size = 1;
                    l.passed = true;
                    break;
                }
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

            if (l.bracket && at >= 1) {
                if (starts && c == ']') {
                    l.closed = true;
                    l.closedLength = l.nameStart == kNone ? 0 : l.filled - l.nameStart;
                    // A header whose name is already too long: any later ']' makes it longer.
                    if (l.closedLength > nameCap_) l.passed = true;
                }
                if (l.nameStart == kNone && !blank) l.nameStart = at;
                if (l.nameStart != kNone && header_.size() < nameCap_) header_.push_back(c);
            }
            if (l.equals == kNone) {
                if (c == '=') {
                    l.equals = at;
                    l.keyLength = l.filled;
                    l.wantValue = l.keyLength <= nameCap_ &&
                                  ValueMatters(std::string_view(key_).substr(0, l.keyLength));
                    if (!l.bracket && !l.wantValue) l.passed = true;
                } else if (at < nameCap_) {
                    key_.push_back(c);
                } else if (!blank && !l.bracket) {
                    l.longName = l.passed = true;
                }
            } else if (l.wantValue) {
                if (!l.bracket && value_.size() == valueCap_) {
                    // A key line's value already kept in full: only where it ends still counts.
                    const std::string_view rest = bytes.substr(i);
                    l.size = at + rest.size();
                    for (std::size_t j = rest.size(); j-- > 0;) {
                        if (IsBlank(rest[j])) continue;
                        l.filled = at + j + 1;
                        l.last = rest[j];
                        break;
                    }
                    return;
                }
                if (l.valueStart == kNone && !blank) l.valueStart = at;
                if (l.valueStart != kNone && value_.size() < valueCap_) value_.push_back(c);
            }
            if (!blank) {
                l.filled = at + 1;
                l.last = c;
            }
            // A '[' line whose header name is already too long, and which is a header or cannot
            // be a key that matters: a later ']' can only make it a header of a long name.
            if (l.bracket && !l.passed && l.nameStart != kNone &&
                l.filled - l.nameStart > nameCap_ && (l.closed || !l.wantValue)) {
                l.seekingClose = true;
                return SeekClose(bytes.substr(i + 1));
            }
        }
    }

    void SeekClose(std::string_view bytes) {
        LineState& l = line_;
        for (const char c : bytes) {
            const auto u = static_cast<unsigned char>(c);
            if (l.leadPending) {
                l.leadPending = false;
                if (u >= 0x40 && u <= 0xFE && u != 0x7F) continue;  // a trail byte
            }
            if (c == ']') {
                l.closed = true;
                l.closedLength = nameCap_ + 1;
                l.passed = true;
                return;
            }
            if (u >= 0x81 && u <= 0xFE) l.leadPending = true;
        }
    }

    void EndLine() {
        const LineState& l = line_;
        Line line;
        line.raw = raw_;
        line.rawLength = rawLength_;
        line.last = l.last;
        if (l.size == 0) {
            line.kind = Line::Blank;
        } else if (l.bracket && l.closed) {
            line.kind = Line::Section;
            line.known = l.closedLength <= nameCap_;
            if (line.known) line.name = std::string_view(header_).substr(0, l.closedLength);
        } else {
            line.kind = Line::Key;
            line.hasValue = l.equals != kNone;
            const std::size_t length = line.hasValue ? l.keyLength : l.filled;
            line.known = !l.longName && length <= nameCap_ && (line.hasValue || !l.passed);
            if (line.known) line.name = std::string_view(key_).substr(0, length);
            if (line.hasValue && l.wantValue) {
                line.value = value_;
                line.valueLength = l.valueStart == kNone ? 0 : l.filled - l.valueStart;
            }
        }
        if (!OnLine(line)) stopped_ = true;
        line_ = LineState();
        key_.clear();
        header_.clear();
        value_.clear();
        raw_.clear();
        rawLength_ = 0;
    }

    const std::size_t nameCap_, valueCap_, rawCap_;
    LineState line_;
    std::string key_;     // the text's first bytes: the key name
    std::string header_;  // the header name's first bytes
    std::string value_;   // the value's first bytes
    std::string raw_;     // the raw line's first bytes
    std::size_t rawLength_ = 0;
    std::size_t bytes_ = 0;
    bool afterCr_ = false;
    bool crlfOnly_ = true;
    bool stopped_ = false;
};

// The reader: only the first section of the name is searched, and in it the first key of the
// name counts. The scan stops as soon as the answer is known.
class ValueFinder final : public LineScanner {
public:
    ValueFinder(std::string_view section, std::string_view key)
        : LineScanner(std::max(section.size(), key.size()), kMaxValueBytes + 2, 0),
          section_(section), key_(key) {}
    bool Found() const { return found_; }
    // The value found, without its quotes, cut.
    const std::string& Value() const { return value_; }

private:
    bool KeysMatter() override { return inSection_; }
    bool ValueMatters(std::string_view name) override { return inSection_ && SameName(name, key_); }
    bool OnLine(const Line& line) override {
        if (line.kind == Line::Section) {
            if (inSection_) return false;  // the next section: the key is not in this one
            inSection_ = line.known && SameName(line.name, section_);
        } else if (line.kind == Line::Key && inSection_ && line.known &&
                   SameName(line.name, key_)) {
            found_ = line.hasValue;
            if (found_) TakeValue(line);
            return false;
        }
        return true;
    }
    void TakeValue(const Line& line) {
        std::string_view v = line.value.substr(0, line.valueLength);
        if (line.valueLength >= 2 && (v[0] == '"' || v[0] == '\'') && line.last == v[0])
            v = line.value.substr(1, line.valueLength - 2);
        value_ = std::string(CutGbk(v, kMaxValueBytes));
    }

    std::string_view section_, key_;
    bool inSection_ = false;
    bool found_ = false;
    std::string value_;
};

// ---- writing ----

// The edits of one write, merged: one slot per section name and per key name (names that match
// are one), with the last value written to each key. An edit's names are taken as it spells them
// the first time; an existing key keeps the file's spelling.
struct Targets {
    struct Section {
        std::string_view name;
    };
    struct Key {
        std::size_t section;
        std::string_view name, value;
    };
    std::vector<Section> sections;
    std::vector<Key> keys;
    std::size_t nameCap = 0;  // the longest name
    std::size_t rawCap = 0;   // the longest "key=value" line

    void Add(std::string_view section, std::string_view key, std::string_view value) {
        std::size_t s = 0;
        while (s < sections.size() && !SameName(sections[s].name, section)) ++s;
        if (s == sections.size()) sections.push_back({section});
        std::size_t k = 0;
        while (k < keys.size() && !(keys[k].section == s && SameName(keys[k].name, key))) ++k;
        if (k == keys.size()) keys.push_back({s, key, value});
        keys[k].value = value;
        nameCap = std::max({nameCap, section.size(), key.size()});
        rawCap = std::max(rawCap, keys[k].name.size() + 1 + value.size());
    }
};

// Whether "[section]" and "key=..." read back as a header and a key of exactly these names, so
// that a line written for one edit is found by the next as the file's own would be.
bool ReadsBackAsWritten(std::string_view section, std::string_view key) {
    auto breaks = [](std::string_view s) {
        return s.find_first_of("\r\n") != std::string_view::npos;
    };
    if (breaks(section) || breaks(key) || key.front() == '[' ||
        key.find('=') != std::string_view::npos)
        return false;
    const std::string header = "[" + std::string(section) + "]";
    std::size_t i = 1;
    while (i + 1 < header.size()) i += GbkCharLength(header, i);
    return i + 1 == header.size();  // the closing ']' starts a character of its own
}

// Where the edits land in the file as it is: for each section the first header of its name and
// that section's last key line; for each key its first line in that section. Line numbers count
// from 0; the system's parser searches only the first section of a name.
class Locator : public LineScanner {
public:
    explicit Locator(const Targets& targets)
        : LineScanner(targets.nameCap, 0, targets.rawCap), targets_(targets),
          sections_(targets.sections.size()), keys_(targets.keys.size()) {}

    struct SectionPlace {
        std::size_t header = kNone, lastFilled = kNone;
        bool operator==(const SectionPlace&) const = default;
    };
    struct KeyPlace {
        std::size_t line = kNone;
        std::string spelling;  // the key's name as the file spells it
        bool same = false;     // the line already reads spelling=value, byte for byte
        bool operator==(const KeyPlace&) const = default;
    };
    const std::vector<SectionPlace>& Sections() const { return sections_; }
    const std::vector<KeyPlace>& Keys() const { return keys_; }

    // Writing would give the file back as it is.
    bool Unchanged() const {
        if (!CrlfOnly()) return false;
        for (const KeyPlace& k : keys_)
            if (k.line == kNone || !k.same) return false;
        return true;
    }
    // Another scan of the same file found the same.
    bool SameAs(const Locator& other) const {
        return line_ == other.line_ && Bytes() == other.Bytes() && sections_ == other.sections_ &&
               keys_ == other.keys_;
    }

protected:
    bool KeysMatter() override { return current_ != kNone; }
    bool ValueMatters(std::string_view) override { return false; }
    bool OnLine(const Line& line) override {
        if (line.kind == Line::Section) {
            current_ = kNone;
            for (std::size_t s = 0; line.known && s < sections_.size(); ++s) {
                if (!SameName(line.name, targets_.sections[s].name)) continue;
                if (sections_[s].header == kNone) {
                    sections_[s].header = sections_[s].lastFilled = line_;
                    current_ = s;
                }
                break;
            }
        } else if (line.kind == Line::Key && current_ != kNone) {
            sections_[current_].lastFilled = line_;
            for (std::size_t k = 0; line.known && k < keys_.size(); ++k) {
                const Targets::Key& key = targets_.keys[k];
                if (key.section != current_ || keys_[k].line != kNone ||
                    !SameName(line.name, key.name))
                    continue;
                keys_[k].line = line_;
                keys_[k].spelling = line.name;
                keys_[k].same = line.rawLength == line.name.size() + 1 + key.value.size() &&
                                line.raw.substr(0, line.name.size()) == line.name &&
                                line.raw[line.name.size()] == '=' &&
                                line.raw.substr(line.name.size() + 1) == key.value;
            }
        }
        ++line_;
        return true;
    }

    const Targets& targets_;
    std::vector<SectionPlace> sections_;
    std::vector<KeyPlace> keys_;
    std::size_t line_ = 0;        // lines so far
    std::size_t current_ = kNone;  // the section whose first occurrence the scan is in
};

// The second pass: the file copied line by line with CRLF line ends, each key's line replaced,
// new keys after their section's last key line, new sections at the end, the output handed on in
// pieces. It finds the places again and holds them to the first pass's, so that a file changed
// in between is not written from the wrong places.
class Copier final : public Locator {
public:
    Copier(const Targets& targets, const Locator& plan, const Files::PieceSink& put)
        : Locator(targets), plan_(plan), put_(put) {
        auto text = [&](std::string_view name, std::string_view value) {
            return std::string(name) + "=" + std::string(value);
        };
        for (std::size_t k = 0; k < targets.keys.size(); ++k) {
            const Targets::Key& key = targets.keys[k];
            const KeyPlace& place = plan.Keys()[k];
            const std::size_t header = plan.Sections()[key.section].header;
            if (place.line != kNone) {
                events_.push_back({place.line, true, text(place.spelling, key.value)});
            } else if (header != kNone) {
                events_.push_back({plan.Sections()[key.section].lastFilled, false,
                                   text(key.name, key.value)});
            }
        }
        FindNext(0);
    }

    // The new sections, in the order of the edits, and the last piece handed on; false when
    // writing failed.
    bool End() {
        Finish();
        for (std::size_t s = 0; s < targets_.sections.size(); ++s) {
            if (plan_.Sections()[s].header != kNone) continue;
            Append("[");
            Append(targets_.sections[s].name);
            Append("]\r\n");
            for (const Targets::Key& key : targets_.keys) {
                if (key.section != s) continue;
                Append(key.name);
                Append("=");
                Append(key.value);
                Append("\r\n");
            }
        }
        if (!out_.empty() && ok_) ok_ = put_(out_);
        return ok_;
    }

private:
    // The line's replacement, or a new key line after it; the new ones after a line in the order
    // of the edits.
    struct Event {
        std::size_t line;
        bool replaces;
        std::string text;
    };

    // The first line from `from` on that has events.
    void FindNext(std::size_t from) {
        next_ = kNone;
        for (const Event& e : events_)
            if (e.line >= from && e.line < next_) next_ = e.line;
        nextReplaced_ = false;
        for (const Event& e : events_)
            nextReplaced_ = nextReplaced_ || (e.line == next_ && e.replaces);
    }
    void Append(std::string_view bytes) {
        out_.append(bytes);
        if (out_.size() >= kOutputPiece && ok_) {
            ok_ = put_(out_);
            out_.clear();
        }
    }
    void Content(std::string_view bytes) override {
        if (line_ != next_ || !nextReplaced_) Append(bytes);
    }
    bool OnLine(const Line& line) override {
        const std::size_t at = line_;
        Locator::OnLine(line);
        if (at != next_) {
            Append("\r\n");
            return ok_;
        }
        for (const Event& e : events_)
            if (e.line == at && e.replaces) Append(e.text);
        Append("\r\n");
        for (const Event& e : events_) {
            if (e.line != at || e.replaces) continue;
            Append(e.text);
            Append("\r\n");
        }
        FindNext(at + 1);
        return ok_;
    }

    const Locator& plan_;
    const Files::PieceSink& put_;
    std::vector<Event> events_;
    std::size_t next_ = kNone;  // the next line with events
    bool nextReplaced_ = false;  // that line is replaced
    std::string out_;
    bool ok_ = true;
};

}  // namespace

std::string ReadIniValue(Files& files, const std::string& path, std::string_view section,
                         std::string_view key, std::string_view defaultValue) {
    section = Trim(SkipLeadingControl(section));
    key = Trim(SkipLeadingControl(key));
    if (SkipLeadingControl(path).empty() || section.empty() || key.empty()) return {};
    // A UTF-8 byte-order mark is not skipped: Windows reads it as part of the first line (Wine
    // skips it). A UTF-16 file, which Windows would read as Unicode, finds nothing here.
    ValueFinder finder(section, key);
    if (files.ReadPieces(path, [&finder](std::string_view piece) { return finder.Feed(piece); }))
        finder.Finish();
    if (finder.Found()) return finder.Value();
    return std::string(CutGbk(PrepareDefault(defaultValue), kMaxValueBytes));
}

bool WriteIniValue(Files& files, const std::string& path, std::string_view section,
                   std::string_view key, std::string_view value) {
    const IniEdit edit{section, key, value};
    return WriteIniValues(files, path, {&edit, 1});
}

// Two passes over the file, neither holding it: the first finds where the edits land, the second
// copies it into the new file with the edits made.
bool WriteIniValues(Files& files, const std::string& path, std::span<const IniEdit> edits,
                    std::uint32_t attributes) {
    if (SkipLeadingControl(path).empty()) return false;
    Targets targets;
    bool allNamed = true, readBack = true;
    for (const IniEdit& e : edits) {
        const std::string_view section = Trim(e.section), key = Trim(e.key);
        if (section.empty() || key.empty()) {
            allNamed = false;
            continue;
        }
        readBack = readBack && ReadsBackAsWritten(section, key);
        targets.Add(section, key, PrepareValue(e.value));
    }
    if (targets.keys.empty()) return allNamed;
    // A line that would not read back as written changes how the next edit finds its place: such
    // edits are made one replace each (the program's own names never come here).
    if (edits.size() > 1 && !readBack) {
        bool ok = true;
        for (const IniEdit& e : edits) ok = WriteIniValues(files, path, {&e, 1}, attributes) && ok;
        return ok;
    }

    Locator plan(targets);
    std::string start;  // the file's first two bytes
    files.ReadPieces(path, [&](std::string_view piece) {
        start.append(piece.substr(0, 2 - std::min<std::size_t>(start.size(), 2)));
        return plan.Feed(piece);
    });
    plan.Finish();
    // Rewriting a Unicode file byte by byte would mangle it; leave it as it is.
    if (StartsWithUtf16Mark(start)) return false;
    if (plan.Unchanged()) return allNamed;
    const bool written = files.ReplaceInPieces(path, attributes, [&](const Files::PieceSink& put) {
        Copier copier(targets, plan, put);
        files.ReadPieces(path, [&copier](std::string_view piece) { return copier.Feed(piece); });
        return copier.End() && copier.SameAs(plan);
    });
    return written && allNamed;
}

}  // namespace sut
