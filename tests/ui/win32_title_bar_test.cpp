#include "ui/ui.h"
#include "ui/win32/dpi.h"
#include "ui/win32/win32_toolkit.h"
#include "ui/win32/windows_api.h"

#include <gtest/gtest.h>

namespace stowkeep::ui {
namespace {

using win32::scaled;

bool IsCaptionInk(COLORREF pixel) {
    return GetRValue(pixel) > 0xE0 && GetGValue(pixel) > 0xE0 && GetBValue(pixel) > 0xE0;
}

// A dialog's title bar has no buttons, so its caption may run to the bar's end:
// a message box only as wide as its short text still shows the program's title.
TEST(Win32TitleBarTest, ADialogCaptionUsesTheRoomOfTheButtonsItLacks) {
    static Win32Toolkit toolkit;
    const std::wstring caption = L"Stowkeep(KD-RX710) Stowkeep(KD-RX710) Stowkeep(KD-RX710)";
    auto dialog = toolkit.createWindow("Form3", {caption, 260, 80, Frame::Dialog});
    dialog->show();
    HWND hwnd = FindWindowW(L"StowkeepWindow", caption.c_str());
    ASSERT_NE(hwnd, nullptr);
    RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);

    RECT frame;
    GetWindowRect(hwnd, &frame);
    const int width = frame.right - frame.left;
    const UINT dpi = win32::dpiOfWindow(hwnd);
    HDC dc = GetWindowDC(hwnd);
    int ink = 0;
    // Where a close and a minimise button would sit, short of the bar's end.
    for (int x = width - scaled(80, dpi); x < width - scaled(12, dpi); ++x)
        for (int y = scaled(8, dpi); y < scaled(22, dpi); ++y)
            ink += IsCaptionInk(GetPixel(dc, x, y)) ? 1 : 0;
    ReleaseDC(hwnd, dc);
    EXPECT_GT(ink, 0) << "the caption stops where title-bar buttons would begin";
}

} // namespace
} // namespace stowkeep::ui
