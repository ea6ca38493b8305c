#include "ui/art/canvas.h"
#include "ui/art/message_icons.h"
#include "ui/artwork.h"

#include <cmath>
#include <numbers>

namespace stowkeep::ui {

namespace {

using namespace art;

enum class TileState { Normal, Hover, Pressed, NoDevice };

struct TileLook {
    Colour top, bottom, border, glyph, glyphLight;
    std::uint32_t text;
    float shift; // the glyph sinks when pressed
};

TileLook lookOf(TileState state) {
    switch (state) {
    case TileState::Hover:
        return {rgb(0xF7FBFF),
                rgb(0xDCEBFA),
                rgb(0x3A8DDE),
                rgb(0x1F74C9),
                rgb(0x8CC0F0),
                0xFF163A5F,
                0};
    case TileState::Pressed:
        return {rgb(0xCFE2F6),
                rgb(0xE2EEFA),
                rgb(0x2C6FB5),
                rgb(0x1A64AF),
                rgb(0x7CB1E6),
                0xFF12324F,
                1};
    case TileState::NoDevice:
        return {rgb(0xF6F6F6),
                rgb(0xEBEBEB),
                rgb(0xD5D5D5),
                rgb(0xB9BEC4),
                rgb(0xDADDE0),
                0xFF9AA0A6,
                0};
    case TileState::Normal:
        break;
    }
    return {
        rgb(0xFFFFFF), rgb(0xEEF3F8), rgb(0xC6D3E1), rgb(0x2F7FD0), rgb(0x9CC8F2), 0xFF24405E, 0};
}

using Glyph = void (*)(Canvas&, const TileLook&, float cx, float cy);

void backupGlyph(Canvas& c, const TileLook& look, float cx, float cy) {
    // An arrow going down into a drive.
    c.fill(roundRect(cx - 19, cy + 6, 38, 14, 4), solid(look.glyph));
    c.fill(circle(cx + 12, cy + 13, 2.2f), solid(rgb(0xFFFFFF)));
    c.fill(roundRect(cx - 14, cy + 12, 16, 2.2f, 1), solid(look.glyphLight));
    c.fill(capsule({cx, cy - 19}, {cx, cy - 6}, 3.2f), solid(look.glyph));
    c.fill(polygon({{cx - 10, cy - 8}, {cx + 10, cy - 8}, {cx, cy + 3}}), solid(look.glyph));
}

void virtualHddGlyph(Canvas& c, const TileLook& look, float cx, float cy) {
    // A disc in front of a drive.
    c.fill(roundRect(cx - 20, cy + 4, 40, 14, 4), solid(look.glyphLight));
    c.fill(circle(cx, cy - 3, 16), solid(look.glyph));
    c.fill(outline(circle(cx, cy - 3, 10.5f), 0.8f), solid(look.glyphLight));
    c.fill(circle(cx, cy - 3, 5), solid(rgb(0xFFFFFF)));
    c.fill(circle(cx, cy - 3, 2.2f), solid(look.glyph));
    c.fill(circle(cx + 14, cy + 11, 2.2f), solid(look.glyph));
}

void settingGlyph(Canvas& c, const TileLook& look, float cx, float cy) {
    // A gear.
    Shape gear = circle(cx, cy, 13);
    for (int tooth = 0; tooth < 8; ++tooth) {
        float angle = static_cast<float>(tooth) * std::numbers::pi_v<float> / 4;
        gear = unite(gear, rotated(roundRect(cx - 3.6f, cy - 19, 7.2f, 10, 1.5f), {cx, cy}, angle));
    }
    c.fill(subtract(gear, circle(cx, cy, 6)), solid(look.glyph));
    c.fill(outline(circle(cx, cy, 9.5f), 0.7f), solid(look.glyphLight));
}

void safeRemovalGlyph(Canvas& c, const TileLook& look, float cx, float cy) {
    // The eject sign.
    c.fill(polygon({{cx - 17, cy + 2}, {cx + 17, cy + 2}, {cx, cy - 17}}), solid(look.glyph));
    c.fill(roundRect(cx - 17, cy + 8, 34, 7, 2), solid(look.glyph));
    c.fill(roundRect(cx - 13, cy + 19, 26, 2.2f, 1), solid(look.glyphLight));
}

PictureRef tile(const wchar_t* name, const wchar_t* caption, Glyph glyph, TileState state) {
    TileLook look = lookOf(state);
    auto painter = [glyph, look](int, double scale) {
        Canvas c(100, 79, scale);
        Shape body = roundRect(1.5f, 1.5f, 97, 76, 11);
        c.fill(roundRect(2, 4, 97, 76, 12), solid(rgb(0x1E3A5A, 0.08f))); // soft shadow
        c.fill(body, verticalGradient(1.5f, look.top, 77.5f, look.bottom));
        c.fill(outline(body, 0.5f), solid(look.border));
        glyph(c, look, 50, 30 + look.shift);
        return c.bitmap();
    };
    TextOverlay text{caption, 0, 56 + static_cast<int>(look.shift), 100, 18, 13, true, look.text};
    return std::make_shared<Artwork>(name, 100, 79, 1, painter, std::vector<TextOverlay>{text});
}

void driveMark(Canvas& c, float x, float y, float size) {
    // The product mark: a blue rounded square with a drive and an arrow into it.
    float k = size / 32;
    c.fill(roundRect(x, y, size, size, 7 * k),
           verticalGradient(y, rgb(0x4BA3F2), y + size, rgb(0x1C62B8)));
    c.fill(roundRect(x + 6 * k, y + 18 * k, 20 * k, 8 * k, 2 * k), solid(rgb(0xFFFFFF)));
    c.fill(circle(x + 22.5f * k, y + 22 * k, 1.4f * k), solid(rgb(0x2E9E5B)));
    c.fill(capsule({x + 16 * k, y + 5.5f * k}, {x + 16 * k, y + 11 * k}, 2 * k),
           solid(rgb(0xFFFFFF)));
    c.fill(
        polygon(
            {{x + 10.5f * k, y + 10 * k}, {x + 21.5f * k, y + 10 * k}, {x + 16 * k, y + 16 * k}}),
        solid(rgb(0xFFFFFF)));
}

PictureRef logo(const wchar_t* name, int width) {
    auto painter = [width](int, double scale) {
        Canvas c(width, 40, scale);
        driveMark(c, 2, 4, 32);
        return c.bitmap();
    };
    std::vector<TextOverlay> texts{{L"Stowkeep", 40, 5, width - 40, 20, 15, true, 0xFF1F3B5A},
                                   {L"KD-RX710", 41, 24, width - 41, 13, 11, false, 0xFF6B7B8C}};
    return std::make_shared<Artwork>(name, width, 40, 1, painter, texts);
}

PictureRef trayIcon() {
    auto painter = [](int, double scale) {
        Canvas c(32, 32, scale);
        driveMark(c, 0, 0, 32);
        return c.bitmap();
    };
    return std::make_shared<Artwork>(picture_names::TrayIcon, 32, 32, 1, painter);
}

PictureRef busy() {
    constexpr int frames = 12;
    auto painter = [](int frame, double scale) {
        Canvas c(50, 50, scale);
        for (int dot = 0; dot < frames; ++dot) {
            float angle = static_cast<float>(dot) * 2 * std::numbers::pi_v<float> / frames;
            float age = static_cast<float>((frame - dot + frames) % frames) / frames;
            float x = 25 + 18 * std::sin(angle), y = 25 - 18 * std::cos(angle);
            c.fill(circle(x, y, 4.2f - 1.8f * age), solid(rgb(0x2F7FD0, 1.0f - 0.8f * age)));
        }
        return c.bitmap();
    };
    return std::make_shared<Artwork>(picture_names::Busy, 50, 50, frames, painter);
}

} // namespace

PictureStore standardPictures() {
    namespace n = picture_names;
    PictureStore store;
    struct Button {
        const wchar_t* caption;
        Glyph glyph;
        const wchar_t* names[4]; // normal, hover, pressed, no device (or null)
    };
    const Button buttons[] = {
        {L"Backup",
         backupGlyph,
         {n::BackupNormal, n::BackupHover, n::BackupPressed, n::BackupNoDevice}},
        {L"Virtual HDD",
         virtualHddGlyph,
         {n::VirtualHddNormal, n::VirtualHddHover, n::VirtualHddPressed, n::VirtualHddNoDevice}},
        {L"Setting", settingGlyph, {n::SettingNormal, n::SettingHover, n::SettingPressed, nullptr}},
        {L"Safe Removal",
         safeRemovalGlyph,
         {n::SafeRemovalNormal, n::SafeRemovalHover, n::SafeRemovalPressed,
          n::SafeRemovalNoDevice}},
    };
    const TileState states[] = {TileState::Normal, TileState::Hover, TileState::Pressed,
                                TileState::NoDevice};
    for (const auto& button : buttons)
        for (int i = 0; i < 4; ++i)
            if (button.names[i])
                store.add(tile(button.names[i], button.caption, button.glyph, states[i]));
    store.add(logo(n::Logo, 128));
    store.add(logo(n::LogoWide, 200));
    store.add(trayIcon());
    store.add(busy());
    addMessageIcons(store);
    return store;
}

} // namespace stowkeep::ui
