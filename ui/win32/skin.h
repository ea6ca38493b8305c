#pragma once

#include "ui/artwork.h"
#include "ui/caption_fit.h"
#include "ui/win32/gdi.h"
#include "ui/win32/windows_api.h"

#include <map>
#include <string>
#include <tuple>

namespace stowkeep::ui::win32 {

// The colours of our skin.
namespace colours {
inline constexpr COLORREF Background = RGB(0xF3, 0xF6, 0xFA);
inline constexpr COLORREF Surface = RGB(0xFF, 0xFF, 0xFF);
inline constexpr COLORREF Border = RGB(0xC6, 0xD1, 0xDD);
inline constexpr COLORREF BorderSoft = RGB(0xDC, 0xE3, 0xEB);
inline constexpr COLORREF Text = RGB(0x1F, 0x2D, 0x3D);
inline constexpr COLORREF TextSoft = RGB(0x5C, 0x6B, 0x7A);
inline constexpr COLORREF TextDisabled = RGB(0xA3, 0xAC, 0xB6);
inline constexpr COLORREF Accent = RGB(0x2F, 0x7F, 0xD0);
inline constexpr COLORREF AccentHot = RGB(0x3A, 0x8D, 0xDE);
inline constexpr COLORREF AccentPressed = RGB(0x24, 0x68, 0xAD);
inline constexpr COLORREF AccentLight = RGB(0xE4, 0xF0, 0xFC);
inline constexpr COLORREF AccentLighter = RGB(0xF0, 0xF6, 0xFD);
inline constexpr COLORREF Selection = RGB(0xD4, 0xE7, 0xFA);
inline constexpr COLORREF RowAlternate = RGB(0xF7, 0xF9, 0xFC);
inline constexpr COLORREF Header = RGB(0xEC, 0xF1, 0xF6);
inline constexpr COLORREF Track = RGB(0xE2, 0xE9, 0xF1);
inline constexpr COLORREF PopupKey = RGB(0, 0, 0);              // transparent in the wait window
inline constexpr COLORREF PopupOutline = RGB(0x87, 0xCE, 0xEB); // sky blue
} // namespace colours

inline constexpr int NormalTextPx = 12;

// Room kept free on each side of a centred caption, in logical pixels, so that it clears
// a control's rounded edge.
inline constexpr int CaptionInsetPx = 4;

struct CaptionLook {
    int sizePx = NormalTextPx;
    bool bold = false;
    COLORREF ink = colours::Text;
    UINT align = DT_CENTER;
};

struct ButtonLook {
    bool hot = false;
    bool pressed = false;
    bool focused = false;
    bool enabled = true;
    bool primary = false; // the window's default button
};

// Fonts, brushes and drawing routines shared by every control; sizes in device pixels
// unless a dpi is given.
class Skin {
  public:
    Skin();

    HFONT font(UINT dpi, int sizePx = 0, bool bold = false, bool underline = false);
    HBRUSH brush(COLORREF colour);

    void fill(HDC dc, RECT area, COLORREF colour);
    void roundRect(HDC dc, RECT area, int radius, COLORREF fill, COLORREF border);
    void text(HDC dc, RECT area, const std::wstring& text, HFONT font, COLORREF colour,
              UINT format);
    SIZE measure(const std::wstring& text, HFONT font, int wrapWidth);
    // A caption vertically centred in the box, shrunk (or as a last resort wrapped) to fit
    // the box, less CaptionInsetPx on each side when centred; its control keeps the whole
    // text.
    void drawCaption(HDC dc, RECT box, const std::wstring& text, CaptionLook look, UINT dpi);

    void drawButton(HDC dc, RECT area, const std::wstring& caption, ButtonLook look, UINT dpi);
    void drawRadio(HDC dc, RECT area, const std::wstring& caption, bool checked, ButtonLook look,
                   UINT dpi, COLORREF background);
    void drawGroupBox(HDC dc, RECT area, const std::wstring& caption, UINT dpi,
                      COLORREF background);
    void drawProgress(HDC dc, RECT area, int position, UINT dpi, COLORREF background);
    void drawFocus(HDC dc, RECT area, int radius);
    // Draws the picture over a plain background colour (composed by us, so no system
    // alpha blending is needed), then its texts.
    void drawArtwork(HDC dc, const PictureRef& picture, int frame, int x, int y, UINT dpi,
                     COLORREF background);

  private:
    CaptionFit fitted(const std::wstring& text, int width, CaptionLook look, UINT dpi);
    HBITMAP artworkBitmap(const PictureRef& picture, int frame, UINT dpi, COLORREF background);

    std::wstring face_;
    std::map<std::tuple<UINT, int, bool, bool>, FontHandle> fonts_;
    std::map<COLORREF, BrushHandle> brushes_;
    std::map<std::tuple<PictureRef, int, UINT, COLORREF>, BitmapHandle> bitmaps_;
};

// A 32-bit DIB of the bitmap's pixels as they are.
BitmapHandle toDib(const Bitmap& bitmap);
// The bitmap laid over an opaque colour.
Bitmap over(const Bitmap& bitmap, COLORREF background);
IconHandle toIcon(const Bitmap& bitmap);

} // namespace stowkeep::ui::win32
