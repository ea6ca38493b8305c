#pragma once

#include <string_view>

namespace stowkeep::app {

// The program's own names and texts, shown or looked for letter for letter.
inline constexpr std::wstring_view kApplicationTitle = L"Stowkeep(KD-RX710)";
inline constexpr std::wstring_view kExecutableName = L"Stowkeep(KD-RX710).exe";
inline constexpr std::wstring_view kMutexName = L"Mutex_Velko";
inline constexpr std::wstring_view kMainCaption = L"Stowkeep (KD-RX710)";
inline constexpr std::wstring_view kAboutCaption = L"About...";
inline constexpr std::wstring_view kVersionText = L"Ver 1.00.6536";
inline constexpr std::wstring_view kMakerAddress = L"www.stowkeep.example";
inline constexpr std::wstring_view kMakerPage = L"https://www.stowkeep.example/";
inline constexpr std::wstring_view kCopyrightText = L"Copyright \u00A9 2026 Stowkeep";

inline constexpr std::wstring_view kAlreadyRunning = L"The Stowkeep is running!";
inline constexpr std::wstring_view kSafeRemovalQuestion = L"Are you sure to do Safe Removal?";
inline constexpr std::wstring_view kSafeRemovalDone = L"Safe Removal is completed.";
inline constexpr std::wstring_view kSafeRemovalRedo = L"Please redo Safe Removal.";
inline constexpr std::wstring_view kSafeRemovalUnavailable =
    L"Safe Removal is not available: Hatchlink.dll is missing or damaged.";
inline constexpr std::wstring_view kPleaseWait = L"Please wait...";

} // namespace stowkeep::app
