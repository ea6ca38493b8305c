#include "ui/win32/skin.h"

#include "ui/win32/dpi.h"
#include "ui/win32/windows_api.h"

#include <algorithm>
#include <cstring>

namespace stowkeep::ui::win32 {

namespace {

int CALLBACK noteFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool fontInstalled(const wchar_t* face) {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(wanted.lfFaceName, face, LF_FACESIZE - 1);
    bool found = false;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &wanted, noteFace, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

} // namespace

Skin::Skin() {
    for (const wchar_t* face : {L"Segoe UI", L"Tahoma", L"MS Shell Dlg 2"}) {
        if (fontInstalled(face)) {
            face_ = face;
            break;
        }
    }
    if (face_.empty())
        face_ = L"MS Shell Dlg 2";
}

HFONT Skin::font(UINT dpi, int sizePx, bool bold, bool underline) {
    int size = sizePx > 0 ? sizePx : NormalTextPx;
    auto key = std::make_tuple(dpi, size, bold, underline);
    auto& slot = fonts_[key];
    if (!slot) {
        LOGFONTW font{};
        font.lfHeight = -scaled(size, dpi);
        font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
        font.lfUnderline = underline;
        font.lfCharSet = DEFAULT_CHARSET;
        font.lfQuality = CLEARTYPE_QUALITY;
        wcsncpy(font.lfFaceName, face_.c_str(), LF_FACESIZE - 1);
        slot.reset(CreateFontIndirectW(&font));
    }
    return slot.get();
}

HBRUSH Skin::brush(COLORREF colour) {
    auto& slot = brushes_[colour];
    if (!slot)
        slot.reset(CreateSolidBrush(colour));
    return slot.get();
}

void Skin::fill(HDC dc, RECT area, COLORREF colour) {
    FillRect(dc, &area, brush(colour));
}

void Skin::roundRect(HDC dc, RECT area, int radius, COLORREF fillColour, COLORREF border) {
    PenHandle pen(CreatePen(PS_SOLID, 1, border));
    Selected usePen(dc, pen.get());
    Selected useBrush(dc, brush(fillColour));
    RoundRect(dc, area.left, area.top, area.right, area.bottom, radius * 2, radius * 2);
}

void Skin::text(HDC dc, RECT area, const std::wstring& value, HFONT useFont, COLORREF colour,
                UINT format) {
    Selected selected(dc, useFont);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    DrawTextW(dc, value.c_str(), static_cast<int>(value.size()), &area, format | DT_NOPREFIX);
}

SIZE Skin::measure(const std::wstring& value, HFONT useFont, int wrapWidth) {
    HDC screen = GetDC(nullptr);
    RECT area{0, 0, wrapWidth > 0 ? wrapWidth : 10000, 0};
    {
        Selected selected(screen, useFont);
        UINT format = DT_CALCRECT | DT_NOPREFIX | (wrapWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE);
        DrawTextW(screen, value.c_str(), static_cast<int>(value.size()), &area, format);
    }
    ReleaseDC(nullptr, screen);
    return {area.right - area.left, area.bottom - area.top};
}

CaptionFit Skin::fitted(const std::wstring& value, int width, CaptionLook look, UINT dpi) {
    return fitCaption(value, width, look.sizePx,
                      [this, &look, dpi](std::wstring_view part, int size) {
                          return measure(std::wstring(part), font(dpi, size, look.bold), 0).cx;
                      });
}

void Skin::drawCaption(HDC dc, RECT box, const std::wstring& value, CaptionLook look, UINT dpi) {
    // Left-aligned captions are placed by the picture's own layout; centred ones sit
    // between a control's rounded edges.
    const int inset = look.align == DT_CENTER ? scaled(CaptionInsetPx, dpi) : 0;
    RECT inner{box.left + inset, box.top, box.right - inset, box.bottom};
    CaptionFit fit = fitted(value, inner.right - inner.left, look, dpi);
    HFONT useFont = font(dpi, fit.sizePx, look.bold);
    if (fit.text.find(L'\n') == std::wstring::npos) {
        text(dc, inner, fit.text, useFont, look.ink, look.align | DT_VCENTER | DT_SINGLELINE);
        return;
    }
    // DT_VCENTER centres single lines only; the two lines share the box's middle.
    const int height = measure(fit.text, useFont, inner.right - inner.left).cy;
    inner.top = (box.top + box.bottom - height) / 2;
    inner.bottom = inner.top + height;
    text(dc, inner, fit.text, useFont, look.ink, look.align | DT_WORDBREAK | DT_NOCLIP);
}

void Skin::drawFocus(HDC dc, RECT area, int radius) {
    PenHandle pen(CreatePen(PS_SOLID, 1, colours::AccentHot));
    Selected usePen(dc, pen.get());
    Selected useBrush(dc, GetStockObject(NULL_BRUSH));
    RoundRect(dc, area.left, area.top, area.right, area.bottom, radius * 2, radius * 2);
}

void Skin::drawButton(HDC dc, RECT area, const std::wstring& caption, ButtonLook look, UINT dpi) {
    COLORREF fillColour = colours::Surface, border = colours::Border, ink = colours::Text;
    if (look.primary) {
        fillColour = look.pressed ? colours::AccentPressed
                                  : (look.hot ? colours::AccentHot : colours::Accent);
        border = look.pressed ? colours::AccentPressed : colours::Accent;
        ink = RGB(0xFF, 0xFF, 0xFF);
    } else if (look.pressed) {
        fillColour = colours::Selection;
        border = colours::Accent;
    } else if (look.hot) {
        fillColour = colours::AccentLight;
        border = colours::AccentHot;
    }
    if (!look.enabled) {
        fillColour = colours::Background;
        border = colours::BorderSoft;
        ink = colours::TextDisabled;
    }
    int radius = scaled(4, dpi);
    roundRect(dc, area, radius, fillColour, border);
    if (look.focused && look.enabled) {
        RECT inner = area;
        InflateRect(&inner, -scaled(2, dpi), -scaled(2, dpi));
        drawFocus(dc, inner, radius - 1);
    }
    RECT label = area;
    if (look.pressed)
        OffsetRect(&label, 0, 1);
    CaptionLook captionLook;
    captionLook.ink = ink;
    drawCaption(dc, label, caption, captionLook, dpi);
}

void Skin::drawRadio(HDC dc, RECT area, const std::wstring& caption, bool checked, ButtonLook look,
                     UINT dpi, COLORREF background) {
    fill(dc, area, background);
    int size = scaled(14, dpi);
    int top = area.top + (area.bottom - area.top - size) / 2;
    RECT dot{area.left + 1, top, area.left + 1 + size, top + size};
    COLORREF ring = !look.enabled           ? colours::BorderSoft
                    : (checked || look.hot) ? colours::Accent
                                            : RGB(0x9A, 0xAA, 0xBB);
    PenHandle pen(CreatePen(PS_SOLID, scaled(1, dpi), ring));
    {
        Selected usePen(dc, pen.get());
        Selected useBrush(
            dc, brush(look.hot && look.enabled ? colours::AccentLighter : colours::Surface));
        Ellipse(dc, dot.left, dot.top, dot.right, dot.bottom);
    }
    if (checked) {
        int inset = scaled(4, dpi);
        COLORREF centre = look.enabled ? colours::Accent : colours::TextDisabled;
        PenHandle none(CreatePen(PS_SOLID, 1, centre));
        Selected usePen(dc, none.get());
        Selected useBrush(dc, brush(centre));
        Ellipse(dc, dot.left + inset, dot.top + inset, dot.right - inset, dot.bottom - inset);
    }
    RECT label{dot.right + scaled(6, dpi), area.top, area.right, area.bottom};
    text(dc, label, caption, font(dpi), look.enabled ? colours::Text : colours::TextDisabled,
         DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    if (look.focused) {
        SIZE extent = measure(caption, font(dpi), 0);
        RECT around{label.left - scaled(2, dpi), area.top + 1,
                    std::min(area.right, label.left + extent.cx + scaled(3, dpi)), area.bottom - 1};
        drawFocus(dc, around, scaled(2, dpi));
    }
}

void Skin::drawGroupBox(HDC dc, RECT area, const std::wstring& caption, UINT dpi,
                        COLORREF background) {
    fill(dc, area, background);
    HFONT heading = font(dpi, 0, true);
    SIZE extent = measure(caption, heading, 0);
    RECT frame = area;
    frame.top += extent.cy / 2;
    roundRect(dc, frame, scaled(6, dpi), background, colours::Border);
    RECT label{area.left + scaled(10, dpi), area.top, area.left + scaled(18, dpi) + extent.cx,
               area.top + extent.cy};
    fill(dc, label, background);
    label.left += scaled(4, dpi);
    text(dc, label, caption, heading, colours::Accent, DT_LEFT | DT_TOP | DT_SINGLELINE);
}

void Skin::drawProgress(HDC dc, RECT area, int position, UINT dpi, COLORREF background) {
    fill(dc, area, background);
    int radius = std::min(scaled(4, dpi), static_cast<int>(area.bottom - area.top) / 2);
    roundRect(dc, area, radius, colours::Track, colours::BorderSoft);
    int width = static_cast<int>(area.right - area.left) * std::clamp(position, 0, 100) / 100;
    if (width < radius * 2 && position > 0)
        width = radius * 2;
    if (position <= 0)
        return;
    RECT bar{area.left, area.top, area.left + width, area.bottom};
    TRIVERTEX vertices[2] = {
        {bar.left, bar.top, 0x4B00, 0xA300, 0xF200, 0xFF00},
        {bar.right, bar.bottom, 0x2400, 0x6800, 0xAD00, 0xFF00},
    };
    RegionHandle clip(CreateRoundRectRgn(bar.left, bar.top, bar.right + 1, bar.bottom + 1,
                                         radius * 2, radius * 2));
    SelectClipRgn(dc, clip.get());
    verticalGradientFill(dc, vertices);
    SelectClipRgn(dc, nullptr);
}

BitmapHandle toDib(const Bitmap& bitmap) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = bitmap.width;
    info.bmiHeader.biHeight = -bitmap.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    BitmapHandle dib(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (dib && bits)
        std::memcpy(bits, bitmap.pixels.data(), bitmap.pixels.size() * sizeof(std::uint32_t));
    return dib;
}

IconHandle toIcon(const Bitmap& bitmap) {
    BitmapHandle colour = toDib(bitmap);
    BitmapHandle mask(CreateBitmap(bitmap.width, bitmap.height, 1, 1, nullptr));
    ICONINFO info{TRUE, 0, 0, mask.get(), colour.get()};
    return IconHandle(CreateIconIndirect(&info));
}

Bitmap over(const Bitmap& bitmap, COLORREF background) {
    Bitmap result = bitmap;
    const std::uint32_t r = GetRValue(background), g = GetGValue(background),
                        b = GetBValue(background);
    for (std::uint32_t& pixel : result.pixels) {
        std::uint32_t keep = 255 - (pixel >> 24);
        auto channel = [&](int shift, std::uint32_t under) {
            return (((pixel >> shift) & 0xFF) + (under * keep + 127) / 255) << shift;
        };
        pixel = 0xFF000000 | channel(16, r) | channel(8, g) | channel(0, b);
    }
    return result;
}

HBITMAP Skin::artworkBitmap(const PictureRef& picture, int frame, UINT dpi, COLORREF background) {
    auto& slot = bitmaps_[std::make_tuple(picture, frame, dpi, background)];
    if (!slot)
        slot = toDib(over(picture->render(frame, dpi / 96.0), background));
    return slot.get();
}

void Skin::drawArtwork(HDC dc, const PictureRef& picture, int frame, int x, int y, UINT dpi,
                       COLORREF background) {
    if (!picture)
        return;
    HBITMAP bitmap = artworkBitmap(picture, frame, dpi, background);
    BITMAP size{};
    GetObjectW(bitmap, sizeof(size), &size);
    HDC source = CreateCompatibleDC(dc);
    {
        Selected selected(source, bitmap);
        BitBlt(dc, x, y, size.bmWidth, size.bmHeight, source, 0, 0, SRCCOPY);
    }
    DeleteDC(source);
    for (const auto& overlay : picture->texts()) {
        RECT box{x + scaled(overlay.left, dpi), y + scaled(overlay.top, dpi),
                 x + scaled(overlay.left + overlay.width, dpi),
                 y + scaled(overlay.top + overlay.height, dpi)};
        CaptionLook look;
        look.sizePx = overlay.sizePx;
        look.bold = overlay.bold;
        look.ink =
            RGB((overlay.colour >> 16) & 0xFF, (overlay.colour >> 8) & 0xFF, overlay.colour & 0xFF);
        look.align = overlay.left == 0 && overlay.width == picture->width() ? DT_CENTER : DT_LEFT;
        drawCaption(dc, box, overlay.text, look, dpi);
    }
}

} // namespace stowkeep::ui::win32
