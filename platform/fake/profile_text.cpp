#include "platform/fake/profile_text.h"

#include "platform/fake/ascii_fold.h"

#include <vector>

namespace stowkeep::platform::fake {

namespace {

constexpr std::wstring_view kBlanks = L" \t\r\n\v\f\x1a";

std::wstring_view Trim(std::wstring_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::wstring_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

std::vector<std::wstring_view> SplitLines(std::wstring_view text) {
    std::vector<std::wstring_view> lines;
    while (!text.empty()) {
        const auto end = text.find(L'\n');
        lines.push_back(text.substr(0, end));
        if (end == std::wstring_view::npos) {
            break;
        }
        text.remove_prefix(end + 1);
    }
    return lines;
}

struct Line {
    enum class Kind { Blank, Section, Key } kind = Kind::Blank;
    std::wstring_view name;
    std::optional<std::wstring_view> value;
};

Line Classify(std::wstring_view raw) {
    const std::wstring_view line = Trim(raw);
    if (line.empty()) {
        return {};
    }
    if (line.front() == L'[') {
        const auto close = line.rfind(L']');
        if (close != std::wstring_view::npos) {
            return {Line::Kind::Section, line.substr(1, close - 1), std::nullopt};
        }
    }
    const auto equals = line.find(L'=');
    if (equals == std::wstring_view::npos) {
        return {Line::Kind::Key, line, std::nullopt};
    }
    return {Line::Kind::Key, Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))};
}

// Lines [begin, end) of the first section called name; begin is its header.
struct SectionRange {
    std::size_t begin = 0;
    std::size_t end = 0;
};

std::optional<SectionRange> FindSection(const std::vector<std::wstring_view>& lines,
                                        std::wstring_view name) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Line header = Classify(lines[i]);
        if (header.kind != Line::Kind::Section || !EqualIgnoringAsciiCase(header.name, name)) {
            continue;
        }
        std::size_t end = i + 1;
        while (end < lines.size() && Classify(lines[end]).kind != Line::Kind::Section) {
            ++end;
        }
        return SectionRange{i, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> FindKey(const std::vector<std::wstring_view>& lines, SectionRange range,
                                   std::wstring_view key) {
    for (std::size_t i = range.begin + 1; i < range.end; ++i) {
        const Line line = Classify(lines[i]);
        if (line.kind == Line::Kind::Key && EqualIgnoringAsciiCase(line.name, key)) {
            return i;
        }
    }
    return std::nullopt;
}

std::size_t AfterLastKey(const std::vector<std::wstring_view>& lines, SectionRange range) {
    std::size_t after = range.begin + 1;
    for (std::size_t i = range.begin + 1; i < range.end; ++i) {
        if (Classify(lines[i]).kind == Line::Kind::Key) {
            after = i + 1;
        }
    }
    return after;
}

std::wstring KeyLine(std::wstring_view name, std::wstring_view value) {
    const auto first = value.find_first_not_of(kBlanks);
    value = first == std::wstring_view::npos ? std::wstring_view{} : value.substr(first);
    return std::wstring(name) + L'=' + std::wstring(value);
}

std::wstring Join(const std::vector<std::wstring>& lines) {
    std::wstring text;
    for (const std::wstring& line : lines) {
        text += line;
        text += L"\r\n";
    }
    return text;
}

} // namespace

std::optional<std::wstring> FindProfileValue(std::wstring_view text, std::wstring_view section,
                                             std::wstring_view key) {
    const auto lines = SplitLines(text);
    const auto range = FindSection(lines, Trim(section));
    if (!range) {
        return std::nullopt;
    }
    const auto index = FindKey(lines, *range, Trim(key));
    if (!index) {
        return std::nullopt;
    }
    const auto value = Classify(lines[*index]).value;
    if (!value) {
        return std::nullopt;
    }
    return std::wstring(*value);
}

std::wstring SetProfileValue(std::wstring_view text, std::wstring_view section,
                             std::wstring_view key, std::wstring_view value) {
    const auto views = SplitLines(text);
    std::vector<std::wstring> lines;
    for (std::wstring_view line : views) {
        if (!line.empty() && line.back() == L'\r') {
            line.remove_suffix(1);
        }
        lines.emplace_back(line);
    }
    section = Trim(section);
    key = Trim(key);
    const auto range = FindSection(views, section);
    if (!range) {
        lines.push_back(L"[" + std::wstring(section) + L"]");
        lines.push_back(KeyLine(key, value));
        return Join(lines);
    }
    if (const auto index = FindKey(views, *range, key)) {
        lines[*index] = KeyLine(Classify(views[*index]).name, value);
    } else {
        const auto at = static_cast<std::ptrdiff_t>(AfterLastKey(views, *range));
        lines.insert(lines.begin() + at, KeyLine(key, value));
    }
    return Join(lines);
}

} // namespace stowkeep::platform::fake
