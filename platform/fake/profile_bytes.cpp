#include "platform/fake/profile_bytes.h"

#include <algorithm>
#include <array>
#include <optional>

namespace stowkeep::platform::fake {

namespace {

constexpr std::string_view kUtf16Mark = "\xFF\xFE";

// Windows-1252 bytes 0x80..0x9F. The five bytes the code page leaves undefined
// stand for the control characters of the same number, as the system maps them.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t AnsiToCodePoint(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0) {
        return kHighControls[byte - 0x80];
    }
    return byte;
}

std::optional<unsigned char> CodePointToAnsi(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        return static_cast<unsigned char>(c);
    }
    const auto found = std::find(kHighControls.begin(), kHighControls.end(), c);
    if (found == kHighControls.end()) {
        return std::nullopt;
    }
    return static_cast<unsigned char>(0x80 + (found - kHighControls.begin()));
}

// Code points of text: wchar_t holds UTF-16 units on Windows and whole code
// points elsewhere.
template <typename Visit> void ForEachCodePoint(std::wstring_view text, Visit visit) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto c = static_cast<char32_t>(text[i]);
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) {
            const auto low = static_cast<char32_t>(text[i + 1]);
            if (low >= 0xDC00 && low < 0xE000) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        visit(c);
    }
}

void AppendCodePoint(std::wstring& text, char32_t c) {
    if (c > 0xFFFF && sizeof(wchar_t) == 2) {
        c -= 0x10000;
        text.push_back(static_cast<wchar_t>(0xD800 + (c >> 10)));
        text.push_back(static_cast<wchar_t>(0xDC00 + (c & 0x3FF)));
    } else {
        text.push_back(static_cast<wchar_t>(c));
    }
}

void AppendUnit(std::string& bytes, char32_t unit) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
}

std::wstring DecodeUtf16(std::string_view bytes) {
    std::wstring text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        char32_t c = static_cast<unsigned char>(bytes[i]) |
                     (static_cast<char32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8);
        if (c >= 0xD800 && c < 0xDC00 && i + 3 < bytes.size()) {
            const char32_t low =
                static_cast<unsigned char>(bytes[i + 2]) |
                (static_cast<char32_t>(static_cast<unsigned char>(bytes[i + 3])) << 8);
            if (low >= 0xDC00 && low < 0xE000) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        AppendCodePoint(text, c);
    }
    return text;
}

std::string EncodeUtf16(std::wstring_view text) {
    std::string bytes(kUtf16Mark);
    ForEachCodePoint(text, [&bytes](char32_t c) {
        if (c > 0xFFFF) {
            c -= 0x10000;
            AppendUnit(bytes, 0xD800 + (c >> 10));
            AppendUnit(bytes, 0xDC00 + (c & 0x3FF));
        } else {
            AppendUnit(bytes, c);
        }
    });
    return bytes;
}

} // namespace

ProfileEncoding EncodingOf(std::string_view bytes) {
    return bytes.substr(0, kUtf16Mark.size()) == kUtf16Mark ? ProfileEncoding::Utf16
                                                            : ProfileEncoding::Ansi;
}

std::wstring DecodeProfileBytes(std::string_view bytes) {
    if (EncodingOf(bytes) == ProfileEncoding::Utf16) {
        return DecodeUtf16(bytes.substr(kUtf16Mark.size()));
    }
    std::wstring text;
    for (const char byte : bytes) {
        AppendCodePoint(text, AnsiToCodePoint(static_cast<unsigned char>(byte)));
    }
    return text;
}

std::string EncodeProfileText(std::wstring_view text, ProfileEncoding encoding) {
    if (encoding == ProfileEncoding::Utf16) {
        return EncodeUtf16(text);
    }
    std::string bytes;
    ForEachCodePoint(text, [&bytes](char32_t c) {
        bytes.push_back(static_cast<char>(CodePointToAnsi(c).value_or('?')));
    });
    return bytes;
}

bool AnsiHolds(std::wstring_view text) {
    bool holds = true;
    ForEachCodePoint(text,
                     [&holds](char32_t c) { holds = holds && CodePointToAnsi(c).has_value(); });
    return holds;
}

} // namespace stowkeep::platform::fake
