// Texts that would not fit their place at some scale: labels that compact a long path, and
// list columns that widen to their header and cells.
#include "tests/ui/win32_probe.h"
#include "ui/ui.h"
#include "ui/win32/dpi.h"
#include "ui/win32/gdi.h"
#include "ui/win32/win32_toolkit.h"
#include "ui/win32/windows_api.h"

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

} // namespace
} // namespace stowkeep::ui
