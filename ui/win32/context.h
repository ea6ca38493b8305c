#pragma once

#include "ui/win32/skin.h"
#include "ui/win32/win32_foreground.h"
#include "ui/win32/windows_api.h"

#include <vector>

namespace stowkeep::ui {
class Toolkit;
}

namespace stowkeep::ui::win32 {

// What every real window of the toolkit shares.
struct Context {
    HINSTANCE instance = nullptr;
    Toolkit* toolkit = nullptr;
    Skin skin;
    Win32Foreground foreground;
    std::vector<HWND> topLevels; // keyboard navigation runs through IsDialogMessage on these
};

// Window classes of our own controls; registered once by the toolkit.
namespace classes {
inline constexpr const wchar_t* TopLevel = L"StowkeepWindow";
inline constexpr const wchar_t* Container = L"StowkeepContainer";
inline constexpr const wchar_t* Label = L"StowkeepLabel";
inline constexpr const wchar_t* Picture = L"StowkeepPicture";
inline constexpr const wchar_t* Progress = L"StowkeepProgress";
inline constexpr const wchar_t* Message = L"StowkeepMessageWindow";
} // namespace classes

void registerClasses(HINSTANCE instance);

} // namespace stowkeep::ui::win32
