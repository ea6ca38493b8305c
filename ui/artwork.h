#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace stowkeep::ui {

// Premultiplied 0xAARRGGBB pixels, rows top to bottom.
struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

// Text that the backend draws over a picture with its own fonts, so it stays sharp at any scale.
struct TextOverlay {
    std::wstring text;
    int left = 0, top = 0, width = 0, height = 0; // logical pixels inside the picture
    int sizePx = 12;
    bool bold = false;
    std::uint32_t colour = 0xFF000000; // 0xAARRGGBB
};

// A picture drawn by our own code at any scale; animated pictures have several frames.
class Artwork {
  public:
    using Painter = std::function<Bitmap(int frame, double scale)>;
    Artwork(std::wstring name, int width, int height, int frames, Painter painter,
            std::vector<TextOverlay> texts = {});

    const std::wstring& name() const { return name_; }
    int width() const { return width_; } // logical pixels
    int height() const { return height_; }
    int frameCount() const { return frames_; }
    Bitmap render(int frame, double scale) const { return painter_(frame, scale); }
    const std::vector<TextOverlay>& texts() const { return texts_; }

  private:
    std::wstring name_;
    int width_, height_, frames_;
    Painter painter_;
    std::vector<TextOverlay> texts_;
};

using PictureRef = std::shared_ptr<const Artwork>;

// Pictures by name.
class PictureStore {
  public:
    void add(PictureRef picture);
    bool contains(const std::wstring& name) const;
    PictureRef get(const std::wstring& name) const; // throws std::out_of_range when absent
    std::vector<std::wstring> names() const;

  private:
    std::map<std::wstring, PictureRef> pictures_;
};

// Names of the pictures of standardPictures().
namespace picture_names {
inline constexpr const wchar_t* BackupNormal = L"BackupNormal";
inline constexpr const wchar_t* BackupHover = L"BackupHover";
inline constexpr const wchar_t* BackupPressed = L"BackupPressed";
inline constexpr const wchar_t* BackupNoDevice = L"BackupNoDevice";
inline constexpr const wchar_t* VirtualHddNormal = L"VirtualHddNormal";
inline constexpr const wchar_t* VirtualHddHover = L"VirtualHddHover";
inline constexpr const wchar_t* VirtualHddPressed = L"VirtualHddPressed";
inline constexpr const wchar_t* VirtualHddNoDevice = L"VirtualHddNoDevice";
inline constexpr const wchar_t* SettingNormal = L"SettingNormal";
inline constexpr const wchar_t* SettingHover = L"SettingHover";
inline constexpr const wchar_t* SettingPressed = L"SettingPressed";
inline constexpr const wchar_t* SafeRemovalNormal = L"SafeRemovalNormal";
inline constexpr const wchar_t* SafeRemovalHover = L"SafeRemovalHover";
inline constexpr const wchar_t* SafeRemovalPressed = L"SafeRemovalPressed";
inline constexpr const wchar_t* SafeRemovalNoDevice = L"SafeRemovalNoDevice";
inline constexpr const wchar_t* Logo = L"Logo";                 // 128 x 40, shown on the forms
inline constexpr const wchar_t* LogoWide = L"LogoWide";         // 200 x 40, a second logo
inline constexpr const wchar_t* TrayIcon = L"TrayIcon";         // 32 x 32
inline constexpr const wchar_t* Busy = L"Busy";                 // 50 x 50, animated
inline constexpr const wchar_t* IconQuestion = L"IconQuestion"; // 32 x 32, message boxes
inline constexpr const wchar_t* IconWarning = L"IconWarning";
inline constexpr const wchar_t* IconError = L"IconError";
} // namespace picture_names

// Every picture of the program, drawn by ui/art.
PictureStore standardPictures();

} // namespace stowkeep::ui
