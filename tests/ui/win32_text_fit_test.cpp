// Texts that would not fit their place at some scale: labels that compact a long path, list
// columns that widen to their header and cells, and picture-button captions that shrink.
#include "tests/ui/win32_probe.h"
#include "ui/ui.h"
#include "ui/win32/dpi.h"
#include "ui/win32/gdi.h"
#include "ui/win32/win32_toolkit.h"
#include "ui/win32/windows_api.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace stowkeep::ui {
namespace {

using namespace probe;
using win32::scaled;

// The pixels of a window's client area as painted now.
std::vector<std::uint32_t> pixelsOf(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT client;
    GetClientRect(window, &client);
    BITMAPINFO info{};
    info.bmiHeader = {
        sizeof(info.bmiHeader), client.right, -client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    win32::BitmapHandle copy(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    {
        win32::Selected selected(memory, copy.get());
        BitBlt(memory, 0, 0, client.right, client.bottom, screen, 0, 0, SRCCOPY);
    }
    DeleteDC(memory);
    ReleaseDC(window, screen);
    const auto* first = static_cast<const std::uint32_t*>(bits);
    return {first, first + static_cast<std::size_t>(client.right) * client.bottom};
}

// The columns of a window's rows [top, bottom) that hold dark ink, as [first, last];
// first is -1 without any.
struct InkColumns {
    int first = -1;
    int last = -1;
    int width() const { return first < 0 ? 0 : last - first + 1; }
};

InkColumns inkColumns(HWND window, int top, int bottom) {
    RECT client;
    GetClientRect(window, &client);
    const auto pixels = pixelsOf(window);
    InkColumns ink;
    for (int y = std::max(top, 0); y < std::min<int>(bottom, client.bottom); ++y)
        for (int x = 0; x < client.right; ++x) {
            const std::uint32_t pixel = pixels[static_cast<std::size_t>(y) * client.right + x];
            const int luminance =
                (((pixel >> 16) & 0xFF) * 30 + ((pixel >> 8) & 0xFF) * 59 + (pixel & 0xFF) * 11) /
                100;
            if (luminance >= 150)
                continue;
            ink.first = ink.first < 0 ? x : std::min(ink.first, x);
            ink.last = std::max(ink.last, x);
        }
    return ink;
}

int boldWidth(HWND list, const std::wstring& text) {
    LOGFONTW look{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)), sizeof(look), &look);
    look.lfWeight = FW_BOLD;
    win32::FontHandle bold(CreateFontIndirectW(&look));
    HDC screen = GetDC(nullptr);
    SIZE extent{};
    {
        win32::Selected selected(screen, bold.get());
        GetTextExtentPoint32W(screen, text.c_str(), static_cast<int>(text.size()), &extent);
    }
    ReleaseDC(nullptr, screen);
    return extent.cx;
}

class Win32TextFitTest : public ::testing::Test {
  protected:
    static Win32Toolkit& toolkit() {
        static Win32Toolkit instance;
        return instance;
    }
    void SetUp() override {
        form = toolkit().createWindow("Form1", {L"Text fit", 531, 363, Frame::Standard, true});
        form->show();
        hwnd = FindWindowW(L"StowkeepWindow", L"Text fit");
        ASSERT_NE(hwnd, nullptr);
    }
    HWND item(const Control& control) const {
        for (HWND child : descendants(hwnd))
            if (GetDlgCtrlID(child) == control.controlId())
                return child;
        return nullptr;
    }
    void changeDpi(UINT dpi) {
        RECT place;
        GetWindowRect(hwnd, &place);
        SendMessageW(hwnd, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&place));
    }

    std::unique_ptr<Window> form;
    HWND hwnd = nullptr;
};

// A job line whose source differs only in its middle character, and whose destination ends
// in `last`.
std::wstring jobLine(wchar_t middle, const std::wstring& last, TextSpan& source) {
    std::wstring from = L"C:\\" + std::wstring(110, L'a') + L"\\Photos";
    from[from.size() / 2] = middle;
    source = {7, 7 + from.size()};
    return L"From : " + from + L"  ----->  To: E:\\backup\\" + last;
}

TEST_F(Win32TextFitTest, ALongPathLosesItsMiddleOnScreenButNotInItsWindowText) {
    TextSpan span;
    auto& shown = form->addLabel("Label1", {10, 10, 300, 16}, L"");
    auto& otherMiddle = form->addLabel("Label2", {10, 40, 300, 16}, L"");
    auto& otherEnd = form->addLabel("Label3", {10, 70, 300, 16}, L"");
    shown.setCompactText(jobLine(L'X', L"Photos", span), span);
    otherMiddle.setCompactText(jobLine(L'Y', L"Photos", span), span);
    otherEnd.setCompactText(jobLine(L'X', L"Videos", span), span);

    EXPECT_EQ(textOf(item(shown)), jobLine(L'X', L"Photos", span)) << "the whole text";
    const auto pixels = pixelsOf(item(shown));
    EXPECT_EQ(pixels, pixelsOf(item(otherMiddle))) << "the middle is not drawn";
    EXPECT_NE(pixels, pixelsOf(item(otherEnd))) << "the destination's last folder is drawn";
}

TEST_F(Win32TextFitTest, ATextThatFitsIsDrawnWhole) {
    auto& compact = form->addLabel("Label1", {10, 10, 300, 16}, L"");
    auto& plain = form->addLabel("Label2", {10, 40, 300, 16}, L"C:\\Data\\a.txt");
    compact.setCompactText(L"C:\\Data\\a.txt", {0, 7});
    EXPECT_EQ(pixelsOf(item(compact)), pixelsOf(item(plain)));
}

TEST_F(Win32TextFitTest, ListColumnsFitTheirHeaderAndCellsAt100And150Percent) {
    const std::vector<Column> columns = {{L"Num", 35},
                                         {L"Disk Type", 80},
                                         {L"File Name", 130},
                                         {L"File Size", 80},
                                         {L"Processing", 100}};
    auto& list = form->addListView("spSkinListView2", {20, 164, 490, 148}, columns);
    list.addRow(L"1", {L"Removable Disk", L"DISK1", L"20 GB", L"Data Overflow"});
    list.addRow(L"2", {L"Floppy Disk", L"FLOPPY", L"1440 KB", L"Waiting"});
    HWND real = item(list);
    ASSERT_NE(real, nullptr);

    int removableAt96 = 0;
    for (UINT dpi : {96U, 144U}) {
        changeDpi(dpi);
        // What a report list keeps around a text in its column, and the header's inset.
        const int room = scaled(12, dpi);
        for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
            const int width = ListView_GetColumnWidth(real, c);
            EXPECT_GE(width, scaled(columns[c].width, dpi)) << "least width, column " << c;
            EXPECT_LE(boldWidth(real, columns[c].header) + room, width)
                << "header " << std::string(columns[c].header.begin(), columns[c].header.end())
                << " at " << dpi;
            for (int row = 0; row < list.rowCount(); ++row)
                EXPECT_LE(ListView_GetStringWidth(real, list.cell(row, c).c_str()) + room, width)
                    << "row " << row << ", column " << c << " at " << dpi;
        }
        const int removable = ListView_GetStringWidth(real, L"Removable Disk");
        if (dpi == 96)
            removableAt96 = removable;
        else
            EXPECT_GT(removable * 4, removableAt96 * 5) << "the list's font grew with the dpi";
    }
}

TEST_F(Win32TextFitTest, ALongCellWidensItsColumnOnlyWithinTheList) {
    auto& list = form->addListView("spSkinListView1", {16, 16, 499, 168},
                                   {{L"Source Directory", 220}, {L"Destination Directory", 220}});
    const std::wstring longPath = L"C:\\" + std::wstring(110, L'x') + L"\\Photos";
    list.addRow(L"C:\\Data", {L"E:\\backup"});
    list.addRow(longPath, {L"E:\\backup"});
    HWND real = item(list);
    ASSERT_NE(real, nullptr);

    for (UINT dpi : {96U, 144U}) {
        changeDpi(dpi);
        RECT client;
        GetClientRect(real, &client);
        const int source = ListView_GetColumnWidth(real, 0);
        EXPECT_GT(source, scaled(220, dpi)) << "the room left is used, at " << dpi;
        EXPECT_GE(ListView_GetColumnWidth(real, 1), scaled(220, dpi));
        EXPECT_LE(source + ListView_GetColumnWidth(real, 1), client.right)
            << "the destination column stays in sight, at " << dpi;
    }
}

TEST_F(Win32TextFitTest, PictureButtonCaptionsStayInsideTheButtonAt100And150Percent) {
    const auto& pictures = toolkit().pictures();
    auto& safeRemoval = form->addPictureButton("Image19", {405, 85, 100, 79}, L"Safe Removal",
                                               pictures.get(picture_names::SafeRemovalNormal));
    auto& backup = form->addPictureButton("Image16", {54, 85, 100, 79}, L"Backup",
                                          pictures.get(picture_names::BackupNormal));
    HWND safeRemovalWindow = item(safeRemoval), backupWindow = item(backup);
    ASSERT_NE(safeRemovalWindow, nullptr);
    ASSERT_NE(backupWindow, nullptr);

    int backupAt96 = 0;
    for (UINT dpi : {96U, 144U}) {
        changeDpi(dpi);
        RECT client;
        GetClientRect(safeRemovalWindow, &client);
        ASSERT_EQ(client.right, scaled(100, dpi));
        // The caption's rows, below the glyph; the rounded edge takes the outer pixels.
        const int top = scaled(54, dpi), bottom = scaled(76, dpi), edge = scaled(3, dpi);
        const InkColumns caption = inkColumns(safeRemovalWindow, top, bottom);
        EXPECT_GE(caption.first, edge) << "left end of \"Safe Removal\" at " << dpi;
        EXPECT_LT(caption.last, client.right - edge) << "right end of \"Safe Removal\" at " << dpi;
        EXPECT_GT(caption.width(), client.right / 2) << "a readable caption at " << dpi;
        EXPECT_EQ(textOf(safeRemovalWindow), L"Safe Removal") << "the whole text";

        const int backupWidth = inkColumns(backupWindow, top, bottom).width();
        if (dpi == 96)
            backupAt96 = backupWidth;
        else
            EXPECT_GT(backupWidth * 4, backupAt96 * 5) << "a caption that fits keeps its size";
    }
}

TEST_F(Win32TextFitTest, APushButtonCaptionStaysInsideANarrowButton) {
    auto& narrow = form->addButton("Button1", {10, 10, 50, 27}, L"File Create");
    HWND real = item(narrow);
    ASSERT_NE(real, nullptr);
    for (UINT dpi : {96U, 144U}) {
        changeDpi(dpi);
        RECT client;
        GetClientRect(real, &client);
        const int edge = scaled(3, dpi);
        const InkColumns caption = inkColumns(real, 0, client.bottom);
        EXPECT_GE(caption.first, edge) << "at " << dpi;
        EXPECT_LT(caption.last, client.right - edge) << "at " << dpi;
        EXPECT_GT(caption.width(), 0) << "at " << dpi;
        EXPECT_EQ(textOf(real), L"File Create");
    }
}

} // namespace
} // namespace stowkeep::ui
