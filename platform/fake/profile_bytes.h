#pragma once

#include <string>
#include <string_view>

namespace stowkeep::platform::fake {

// How the system's private-profile functions keep an initialization file's text
// as bytes: after a UTF-16LE byte-order mark as UTF-16LE, otherwise in the ANSI
// code page. The in-memory machine's ANSI code page is Windows-1252.
enum class ProfileEncoding { Ansi, Utf16 };

ProfileEncoding EncodingOf(std::string_view bytes);

std::wstring DecodeProfileBytes(std::string_view bytes);

// The bytes of text in encoding, the UTF-16LE mark included. In the ANSI code
// page a character that it lacks becomes '?', as the system writes it.
std::string EncodeProfileText(std::wstring_view text, ProfileEncoding encoding);

// Whether the ANSI code page holds every character of text.
bool AnsiHolds(std::wstring_view text);

} // namespace stowkeep::platform::fake
