#include "platform/fake/files_fake_state.h"
#include "platform/long_path.h"

#include <algorithm>
#include <cwctype>
#include <string_view>

namespace stowkeep::platform {
namespace {

constexpr int kMaxJunctionDepth = 32;

struct ParsedPath {
    wchar_t letter = 0;
    std::vector<std::wstring> items;
};

bool IsDriveLetter(std::wstring_view text) {
    return text.size() >= 2 && text[1] == L':' && std::iswalpha(text[0]);
}

// "E:\a\\b\" -> E, {a, b}. Doubled and trailing backslashes are ignored, as
// the Win32 file system does.
std::optional<ParsedPath> ParsePlain(std::wstring_view path) {
    if (!IsDriveLetter(path)) {
        return std::nullopt;
    }
    ParsedPath parsed;
    parsed.letter = static_cast<wchar_t>(std::towupper(path[0]));
    std::wstring item;
    for (std::size_t i = 2; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == L'\\' || path[i] == L'/') {
            if (!item.empty()) {
                parsed.items.push_back(item);
            }
            item.clear();
        } else {
            item += path[i];
        }
    }
    return parsed;
}

// "E:\a\b" after the \\?\ prefix. The system hands it on untouched: a '/' is
// part of a name (which no name may hold), and an empty, "." or ".." item
// names nothing. Only a closing backslash is allowed.
std::optional<ParsedPath> ParseLong(std::wstring_view path) {
    if (!IsDriveLetter(path) || (path.size() > 2 && path[2] != L'\\')) {
        return std::nullopt;
    }
    ParsedPath parsed;
    parsed.letter = static_cast<wchar_t>(std::towupper(path[0]));
    for (std::size_t start = 3; start < path.size();) {
        const std::size_t end = std::min(path.find(L'\\', start), path.size());
        const std::wstring item(path.substr(start, end - start));
        if (item.empty() || item == L"." || item == L".." || item.find(L'/') != item.npos) {
            return std::nullopt;
        }
        parsed.items.push_back(item);
        start = end + 1;
    }
    return parsed;
}

std::optional<ParsedPath> Parse(const std::wstring& path) {
    const std::wstring_view prefix = kLongPathPrefix;
    if (path.starts_with(prefix)) {
        return ParseLong(std::wstring_view(path).substr(prefix.size()));
    }
    return ParsePlain(path);
}

} // namespace

std::wstring FakeUpper(std::wstring_view text) {
    std::wstring upper(text);
    for (wchar_t& c : upper) {
        c = static_cast<wchar_t>(std::towupper(c));
    }
    return upper;
}

std::wstring FakePathKey(const std::wstring& path) {
    const auto parsed = Parse(path);
    if (!parsed) {
        return FakeUpper(path);
    }
    std::wstring key(1, parsed->letter);
    key += L':';
    for (const std::wstring& item : parsed->items) {
        key += L'\\';
        key += FakeUpper(item);
    }
    return key;
}

std::optional<FakeLocation> FakeFileSystem::State::Locate(const std::wstring& path, bool followLast,
                                                          int depth) {
    const auto parsed = Parse(path);
    if (!parsed || depth > kMaxJunctionDepth) {
        return std::nullopt;
    }
    const auto volume = volumes.find(parsed->letter);
    if (volume == volumes.end()) {
        return std::nullopt;
    }
    FakeLocation location;
    location.key = FakePathKey(path);
    location.node = volume->second.root;
    for (std::size_t i = 0; i < parsed->items.size(); ++i) {
        if (!location.node || !location.node->IsFolder()) {
            return std::nullopt;
        }
        location.parent = location.node;
        location.name = parsed->items[i];
        const auto child = location.parent->children.find(FakeUpper(location.name));
        location.node = child == location.parent->children.end() ? nullptr : child->second;
        const bool last = i + 1 == parsed->items.size();
        if (location.node && !location.node->junctionTarget.empty() && (!last || followLast)) {
            const auto target = Locate(location.node->junctionTarget, true, depth + 1);
            if (!target) {
                return std::nullopt;
            }
            location.node = target->node;
        }
    }
    return location;
}

bool FakeWithinLimit(const std::wstring& path, std::size_t plainLimit) {
    const bool longForm = path.starts_with(kLongPathPrefix);
    return path.size() <= (longForm ? kMaxLongPath : plainLimit);
}

std::optional<FakeLocation> FakeFileSystem::State::Reach(const std::wstring& path, bool followLast,
                                                         std::size_t plainLimit) {
    if (!FakeWithinLimit(path, plainLimit)) {
        return std::nullopt;
    }
    return Locate(path, followLast);
}

namespace {

// key is path, or with under set, anything beneath it.
bool FaultHits(const FakeFileSystem::Fault& fault, const std::wstring& key) {
    if (fault.path.empty()) {
        return true;
    }
    const std::wstring faultKey = FakePathKey(fault.path);
    return key == faultKey ||
           (fault.under && key.size() > faultKey.size() &&
            key.compare(0, faultKey.size(), faultKey) == 0 && key[faultKey.size()] == L'\\');
}

} // namespace

bool FakeFileSystem::State::TakeFault(Op op, const std::wstring& key, FileError& error) {
    ++calls;
    for (auto fault = faults.begin(); fault != faults.end(); ++fault) {
        if ((fault->op != op && fault->op != Op::any) || !FaultHits(*fault, key)) {
            continue;
        }
        if (fault->countdown > 1) {
            --fault->countdown;
            continue;
        }
        error = fault->error;
        const bool unplug = fault->unplug;
        if (!fault->persist) {
            faults.erase(fault);
        }
        if (unplug && !key.empty()) {
            Unplug(key[0]);
        }
        return true;
    }
    return false;
}

} // namespace stowkeep::platform
