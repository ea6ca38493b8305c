#pragma once

#include <string_view>

// Shared by the launcher test and its stand-in program.
namespace stowkeep::test {

inline constexpr std::wstring_view kStandinMarkerName = L"standin-ran.txt";
inline constexpr std::wstring_view kStandinDoneEvent = L"StowkeepStartshimTestStandinDone";

} // namespace stowkeep::test
