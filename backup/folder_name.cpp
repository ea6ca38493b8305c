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

// Index of the separator that ends the item starting at `pos` (text size at the end).
std::size_t ItemEnd(const std::wstring& text, std::size_t pos) {
    while (pos < text.size() && !IsSeparator(text[pos])) {
        if (IsQuote(text[pos])) {
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

} // namespace

std::wstring FolderNameOf(const std::wstring& source) {
    std::wstring last;
    std::size_t pos = 0;
    while (pos < source.size()) {
        while (pos < source.size() && IsLeadingSkip(source[pos])) {
            ++pos;
        }
        const std::size_t end = ItemEnd(source, pos);
        if (end > pos) {
            last = source.substr(pos, end - pos);
        }
        pos = end + 1;
    }
    return last;
}

} // namespace stowkeep::backup
