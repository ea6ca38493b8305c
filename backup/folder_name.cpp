#include "backup/folder_name.h"

namespace stowkeep::backup {
namespace {

bool IsLeadingSkip(wchar_t c) {
    return c == L' ' || c == L'\r' || c == L'\n';
}
bool IsSeparator(wchar_t c) {
    return c == L'\\' || c == L'\r' || c == L'\n';
}
bool IsQuote(wchar_t c) {
    return c == L'\'' || c == L'"';
}

// Index of the separator that ends the item starting at `pos` (text size at
// the end). With quotes, a quote character opens a stretch that runs to the
// same character or to the end of the text.
std::size_t ItemEnd(const std::wstring& text, std::size_t pos, bool quotes) {
    while (pos < text.size() && !IsSeparator(text[pos])) {
        if (quotes && IsQuote(text[pos])) {
            const std::size_t close = text.find(text[pos], pos + 1);
            if (close == std::wstring::npos) {
                return text.size();
            }
            pos = close;
        }
        ++pos;
    }
    return pos;
}

std::wstring LastItem(const std::wstring& text, bool quotes) {
    std::wstring last;
    std::size_t pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && IsLeadingSkip(text[pos])) {
            ++pos;
        }
        const std::size_t end = ItemEnd(text, pos, quotes);
        if (end > pos) {
            last = text.substr(pos, end - pos);
        }
        pos = end + 1;
    }
    return last;
}

bool IsDriveDesignator(const std::wstring& item) {
    return item.size() == 2 && item[1] == L':' &&
           ((item[0] >= L'A' && item[0] <= L'Z') || (item[0] >= L'a' && item[0] <= L'z'));
}

} // namespace

std::wstring FolderNameOf(const std::wstring& source) {
    std::wstring name = LastItem(source, true);
    // A quote opened above the last folder runs over its backslashes; the
    // folder is made in one level, so only the last of them names it.
    if (name.find(L'\\') != std::wstring::npos) {
        name = LastItem(name, false);
    }
    // A colon cannot stand in a folder name.
    if (IsDriveDesignator(name)) {
        name.pop_back();
    }
    return name;
}

std::wstring JobFolderOf(const std::wstring& source, const std::wstring& destination) {
    std::wstring folder = destination;
    if (folder.empty() || folder.back() != L'\\') {
        folder += L'\\';
    }
    return folder + FolderNameOf(source);
}

} // namespace stowkeep::backup
