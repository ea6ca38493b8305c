#include "settings/settings_file.h"

#include <charconv>
#include <string>
#include <utility>

namespace stowkeep::settings {

namespace {

// Values are read through a buffer of this many characters, the last one kept
// for the terminator.
constexpr std::size_t kReadBufferChars = 2048;

std::string AsciiOrEmpty(std::wstring_view text) {
    std::string narrow;
    for (wchar_t c : text) {
        if (c > 0x7F) {
            return {};
        }
        narrow.push_back(static_cast<char>(c));
    }
    return narrow;
}

} // namespace

SettingsFile::SettingsFile(platform::ProfileFiles& profile, std::wstring path)
    : profile_(profile), path_(std::move(path)) {}

std::wstring SettingsFile::ReadText(std::wstring_view section, std::wstring_view key,
                                    std::wstring_view def) const {
    return profile_.ReadString(path_, section, key, def, kReadBufferChars);
}

int SettingsFile::ReadInteger(std::wstring_view section, std::wstring_view key, int def) const {
    const std::string text = AsciiOrEmpty(ReadText(section, key, L""));
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (first != last && *first == '+') {
        ++first;
    }
    int value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (first == last || error != std::errc{} || end != last) {
        return def;
    }
    return value;
}

bool SettingsFile::WriteText(std::wstring_view section, std::wstring_view key,
                             std::wstring_view value) const {
    if (value.find_first_of(L"\r\n") != std::wstring_view::npos) {
        return false;
    }
    // Paths may hold any character, more than the ANSI code page of a file
    // that the system makes by itself.
    const std::wstring text = std::wstring(section) + std::wstring(key) + std::wstring(value);
    return profile_.PrepareToKeep(path_, text) && profile_.WriteString(path_, section, key, value);
}

std::wstring SettingsFile::WriteErrorText() const {
    return L"Unable to write to " + path_;
}

const std::wstring& SettingsFile::Path() const {
    return path_;
}

} // namespace stowkeep::settings
