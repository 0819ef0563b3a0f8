#include "settings/Ini.h"

#include <vector>

namespace sut {
namespace {

constexpr std::size_t kMaxValueBytes = 10239;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

std::string_view SkipLeadingControl(std::string_view s) {
    while (!s.empty() && static_cast<unsigned char>(s.front()) >= 0x01 &&
           static_cast<unsigned char>(s.front()) <= 0x20)
        s.remove_prefix(1);
    return s;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

std::string_view StripQuotes(std::string_view v) {
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines.push_back(text.substr(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            start = i + 1;
        }
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

// "[name]" gives name; anything else gives false.
bool SectionName(std::string_view line, std::string_view& name) {
    line = Trim(line);
    if (line.empty() || line.front() != '[') return false;
    const std::size_t close = line.find(']');
    if (close == std::string_view::npos) return false;
    name = Trim(line.substr(1, close - 1));
    return true;
}

bool KeyValue(std::string_view line, std::string_view& key, std::string_view& value) {
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) return false;
    key = Trim(line.substr(0, eq));
    value = Trim(line.substr(eq + 1));
    return true;
}

}  // namespace

std::string ReadIniValue(Files& files, const std::string& path, std::string_view section,
                         std::string_view key, std::string_view defaultValue) {
    section = SkipLeadingControl(section);
    key = SkipLeadingControl(key);
    if (SkipLeadingControl(path).empty() || section.empty() || key.empty()) return {};
    std::string text;
    std::string_view found = StripQuotes(Trim(defaultValue));
    if (files.Read(path, text)) {
        bool inSection = false;
        for (std::string_view line : SplitLines(text)) {
            std::string_view name, k, v;
            if (SectionName(line, name)) {
                if (inSection) break;  // only the first section of a name is searched
                inSection = SameName(name, Trim(section));
            } else if (inSection && KeyValue(line, k, v) && SameName(k, Trim(key))) {
                found = StripQuotes(v);
                break;
            }
        }
        return std::string(found.substr(0, kMaxValueBytes));
    }
    return std::string(found.substr(0, kMaxValueBytes));
}

bool WriteIniValue(Files& files, const std::string& path, std::string_view section,
                   std::string_view key, std::string_view value) {
    std::string text;
    files.Read(path, text);
    const std::vector<std::string_view> lines = SplitLines(text);
    std::string out;
    bool inSection = false, sectionSeen = false, written = false;
    auto emit = [&out](std::string_view line) {
        out.append(line);
        out.append("\r\n");
    };
    auto emitPair = [&] {
        std::string line(key);
        line += '=';
        line.append(value);
        emit(line);
        written = true;
    };
    for (std::string_view line : lines) {
        std::string_view name, k, v;
        if (SectionName(line, name)) {
            if (inSection && !written) emitPair();
            inSection = !sectionSeen && SameName(name, section);
            sectionSeen = sectionSeen || inSection;
        } else if (inSection && !written && KeyValue(line, k, v) && SameName(k, key)) {
            std::string kept(k);  // an existing key keeps its spelling
            kept += '=';
            kept.append(value);
            emit(kept);
            written = true;
            continue;
        }
        if (!Trim(line).empty()) emit(line);
    }
    if (!written) {
        if (!sectionSeen) {
            std::string header("[");
            header.append(section);
            header += ']';
            emit(header);
        }
        emitPair();
    }
    return files.Replace(path, out);
}

}  // namespace sut
