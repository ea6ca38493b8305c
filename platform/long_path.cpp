#include "platform/long_path.h"

#include <algorithm>
#include <array>
#include <cwctype>
#include <optional>
#include <string_view>
#include <vector>

namespace stowkeep::platform {
namespace {

bool IsSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

// The long form of the root of path (without a closing backslash), and where
// the items after the root begin; nothing for a path that is not absolute or
// is a device path.
struct Root {
    std::wstring text;
    std::size_t itemsFrom = 0;
};

std::optional<Root> DriveRoot(const std::wstring& path) {
    if (path.size() < 3 || path[1] != L':' || !IsSeparator(path[2])) {
        return std::nullopt;
    }
    const auto letter = static_cast<wchar_t>(std::towupper(path[0]));
    if (letter < L'A' || letter > L'Z') {
        return std::nullopt;
    }
    return Root{std::wstring(kLongPathPrefix) + path.substr(0, 2), 3};
}

// \\server\share\ -> \\?\UNC\server\share\; \\?\ and \\.\ paths are left
// alone, as they are already in the system's own form.
std::optional<Root> ShareRoot(const std::wstring& path) {
    if (path.size() < 3 || !IsSeparator(path[0]) || !IsSeparator(path[1]) || IsSeparator(path[2])) {
        return std::nullopt;
    }
    const std::size_t serverEnd =
        std::find_if(path.begin() + 2, path.end(), IsSeparator) - path.begin();
    const std::wstring server = path.substr(2, serverEnd - 2);
    if (server == L"?" || server == L"." || serverEnd == path.size()) {
        return std::nullopt;
    }
    const std::size_t shareEnd =
        std::find_if(path.begin() + serverEnd + 1, path.end(), IsSeparator) - path.begin();
    const std::wstring share = path.substr(serverEnd + 1, shareEnd - serverEnd - 1);
    if (share.empty()) {
        return std::nullopt;
    }
    return Root{std::wstring(kLongPathPrefix) + L"UNC\\" + server + L'\\' + share,
                std::min(shareEnd + 1, path.size())};
}

std::vector<std::wstring> Items(std::wstring_view rest) {
    std::vector<std::wstring> items;
    std::wstring item;
    for (const wchar_t c : rest) {
        if (!IsSeparator(c)) {
            item += c;
        } else if (!item.empty()) {
            items.push_back(item);
            item.clear();
        }
    }
    if (!item.empty()) {
        items.push_back(item);
    }
    return items;
}

bool IsDeviceName(const std::wstring& item) {
    std::wstring base = item.substr(0, item.find_first_of(L".:"));
    base.erase(base.find_last_not_of(L' ') + 1);
    for (wchar_t& c : base) {
        c = static_cast<wchar_t>(std::towupper(c));
    }
    static const std::array<std::wstring_view, 4> kPlain = {L"CON", L"PRN", L"AUX", L"NUL"};
    if (std::find(kPlain.begin(), kPlain.end(), base) != kPlain.end()) {
        return true;
    }
    return base.size() == 4 && (base.starts_with(L"COM") || base.starts_with(L"LPT")) &&
           base[3] >= L'1' && base[3] <= L'9';
}

// Items whose name the system would change, or read as a device, when it
// tidies a plain path.
bool SystemRenames(const std::vector<std::wstring>& items) {
    const bool changedItem = std::any_of(items.begin(), items.end(), [](const std::wstring& item) {
        return item == L"." || item == L".." || item.back() == L'.' || item.back() == L' ';
    });
    return changedItem || (!items.empty() && IsDeviceName(items.back()));
}

} // namespace

std::wstring LongPathForm(const std::wstring& path) {
    if (path.size() <= kMaxPlainFolderPath) {
        return path;
    }
    auto found = DriveRoot(path);
    if (!found) {
        found = ShareRoot(path);
    }
    if (!found) {
        return path;
    }
    const Root& root = *found;
    const std::vector<std::wstring> items = Items(std::wstring_view(path).substr(root.itemsFrom));
    if (SystemRenames(items)) {
        return path;
    }
    std::wstring form = root.text;
    for (const std::wstring& item : items) {
        form += L'\\';
        form += item;
    }
    if (IsSeparator(path.back())) {
        form += L'\\';
    }
    return form;
}

} // namespace stowkeep::platform
