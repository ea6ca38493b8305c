#include "tests/wine/driver/journey_commands.h"
#include "tests/wine/driver/output.h"
#include "tests/wine/driver/windows.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

namespace stowkeep::driver {

namespace {

// A control's pixels as the screen shows them: width, height, then one 32-bit
// value per pixel, row by row from the top.
using Look = std::vector<std::uint32_t>;

struct ScreenDc {
    HDC dc = GetDC(nullptr);
    ~ScreenDc() { ReleaseDC(nullptr, dc); }
};
struct DcDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
struct ObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};

HWND FindControl(const std::wstring& caption, const std::wstring& text) {
    for (HWND window : TopLevelWindows(caption, true))
        if (HWND control = DescendantWithText(window, text))
            return control;
    return nullptr;
}

Look LookOf(HWND control) {
    // The pointer away in a corner: a button under it would show its hover picture.
    SetCursorPos(0, 0);
    RECT place{};
    GetWindowRect(control, &place);
    const int width = place.right - place.left, height = place.bottom - place.top;
    ScreenDc screen;
    std::unique_ptr<HDC__, DcDeleter> memory(CreateCompatibleDC(screen.dc));
    std::unique_ptr<void, ObjectDeleter> bitmap(CreateCompatibleBitmap(screen.dc, width, height));
    HGDIOBJ before = SelectObject(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, width, height, screen.dc, place.left, place.top, SRCCOPY);
    SelectObject(memory.get(), before);
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    Look look{static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height)};
    look.resize(2 + static_cast<size_t>(width) * static_cast<size_t>(height));
    GetDIBits(memory.get(), static_cast<HBITMAP>(bitmap.get()), 0, static_cast<UINT>(height),
              look.data() + 2, &format, DIB_RGB_COLORS);
    return look;
}

Look ReadLook(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(in), {}};
    Look look(bytes.size() / sizeof(std::uint32_t));
    std::copy(bytes.begin(), bytes.begin() + look.size() * sizeof(std::uint32_t),
              reinterpret_cast<char*>(look.data()));
    return look;
}

int WaitForLook(const Args& a, bool same) {
    const Look kept = ReadLook(a[2]);
    if (kept.size() < 2)
        return Fail(L"no look kept in " + a[2]);
    const bool ok = WaitUntil(
        [&] {
            HWND control = FindControl(a[0], a[1]);
            return control && (LookOf(control) == kept) == same;
        },
        static_cast<DWORD>(std::wcstoul(a[3].c_str(), nullptr, 10)));
    return ok ? 0
              : Fail(L"\"" + a[1] + L"\" never looked " + (same ? L"like " : L"unlike ") + a[2]);
}

} // namespace

int Snap(const Args& a) {
    HWND control = FindControl(a[0], a[1]);
    if (!control)
        return Fail(L"no visible control \"" + a[1] + L"\" in \"" + a[0] + L"\"");
    const Look look = LookOf(control);
    std::ofstream out(std::filesystem::path(a[2]), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(look.data()),
              static_cast<std::streamsize>(look.size() * sizeof(std::uint32_t)));
    return out ? 0 : Fail(L"cannot write " + a[2]);
}

int WaitLook(const Args& a) {
    return WaitForLook(a, true);
}
int WaitNewLook(const Args& a) {
    return WaitForLook(a, false);
}

} // namespace stowkeep::driver
