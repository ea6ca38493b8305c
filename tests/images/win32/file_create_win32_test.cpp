// File Create on the real file system: exact lengths of large images made without writing
// their contents, and the zero-fill worker's sectors read back through the system.
#include "images/image_page.h"
#include "images/zero_fill.h"
#include "platform/win32/files_win32.h"
#include "platform/win32/owned_handle.h"
#include "platform/win32/win32_profile_files.h"
#include "ui/headless/headless_toolkit.h"

#include <chrono>
#include <gtest/gtest.h>
#include <iostream>
#include <string>
#include <vector>
#include <windows.h>

namespace stowkeep::images {
namespace {

using platform::win32::OwnedFileHandle;
using platform::win32::OwnedFindHandle;

// A folder of our own under the user's temporary folder, removed with what it holds.
class ScratchFolder {
  public:
    ScratchFolder() {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        path_ = std::wstring(temp) + L"stowkeep-images-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~ScratchFolder() {
        WIN32_FIND_DATAW entry;
        const OwnedFindHandle find(FindFirstFileW((path_ + L"\\*").c_str(), &entry));
        for (bool more = find.Valid(); more; more = FindNextFileW(find.Get(), &entry)) {
            DeleteFileW((path_ + L"\\" + entry.cFileName).c_str());
        }
        RemoveDirectoryW(path_.c_str());
    }
    const std::wstring& path() const { return path_; }
    std::wstring file(const wchar_t* name) const { return path_ + L"\\" + name; }

  private:
    std::wstring path_;
};

struct FileReadBack {
    std::uint64_t length = 0;
    std::string first;
    std::string last;
};

// What the system says of a file: its length and its first and last 512 bytes.
std::optional<FileReadBack> ReadBack(const std::wstring& path) {
    const OwnedFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return std::nullopt;
    }
    FileReadBack result;
    LARGE_INTEGER size{};
    GetFileSizeEx(file.Get(), &size);
    result.length = static_cast<std::uint64_t>(size.QuadPart);
    for (auto [offset, into] :
         {std::pair{0ull, &result.first}, std::pair{result.length - kSectorBytes, &result.last}}) {
        into->assign(kSectorBytes, '?');
        LARGE_INTEGER at{};
        at.QuadPart = static_cast<LONGLONG>(offset);
        DWORD read = 0;
        SetFilePointerEx(file.Get(), at, nullptr, FILE_BEGIN);
        ReadFile(file.Get(), into->data(), kSectorBytes, &read, nullptr);
        into->resize(read);
    }
    return result;
}

class NoWait : public WaitWindow {
  public:
    void Show() override {}
    void Close() override {}
};

class FileCreateOnWindows : public testing::Test {
  protected:
    FileCreateOnWindows() { page.JvDirectoryEdit3.setText(scratch.path()); }

    void Request(ui::RadioButton& type, const wchar_t* name, const wchar_t* size) {
        type.click();
        page.spSkinEdit2.type(name);
        page.spSkinSpinEdit1.setText(size);
        page.spSkinButton7.click();
    }
    void SetOption(const wchar_t* value) {
        WritePrivateProfileStringW(L"Virtual_HDD", L"Option", value, ini.c_str());
    }
    // Runs File Create and reports the time per file it made.
    void CreateFiles() {
        const int rows = page.spSkinListView2.rowCount();
        const auto start = std::chrono::steady_clock::now();
        page.spSkinButton8.click();
        const std::chrono::duration<double, std::milli> spent =
            std::chrono::steady_clock::now() - start;
        std::cout << "File Create: " << spent.count() / rows << " ms per file\n";
    }

    ScratchFolder scratch;
    std::wstring ini = scratch.file(L"set.ini");
    ui::HeadlessToolkit toolkit;
    std::unique_ptr<ui::Window> window = toolkit.createWindow("TForm1", {L"Stowkeep", 531, 363});
    std::unique_ptr<ui::MessageDialog> messages =
        toolkit.createMessageDialog(window.get(), L"Stowkeep (KD-RX710)");
    platform::Win32FileSystem files;
    platform::win32::Win32ProfileFiles profile;
    settings::SettingsFile settings{profile, ini};
    NoWait wait;
    ImagePage page{*window, {files, settings, *messages, toolkit.dispatcher(), wait, [](int) {}}};
};

TEST_F(FileCreateOnWindows, MakesTwentyGigabyteAndFloppyImagesOfExactLength) {
    SetOption(L"Fast");
    Request(page.spSkinCheckRadioBox7, L"HD20", L"20");
    Request(page.spSkinCheckRadioBox5, L"FD1", L"1440");
    CreateFiles();

    EXPECT_EQ(toolkit.messages().texts(), std::vector<std::wstring>{L"File create is Completed."});
    const auto fixed = ReadBack(scratch.file(L"HD20.dsk"));
    const auto floppy = ReadBack(scratch.file(L"FD1.ima"));
    ASSERT_TRUE(fixed && floppy);
    EXPECT_EQ(fixed->length, 21474836480u);
    EXPECT_EQ(floppy->length, 1474560u);
}

TEST_F(FileCreateOnWindows, SlowModeLeavesZeroSectorsAtBothEnds) {
    SetOption(L"Slow");
    Request(page.spSkinCheckRadioBox7, L"HD20", L"20");
    CreateFiles();

    const auto fixed = ReadBack(scratch.file(L"HD20.dsk"));
    ASSERT_TRUE(fixed);
    EXPECT_EQ(fixed->length, 21474836480u);
    EXPECT_EQ(fixed->first, std::string(kSectorBytes, '\0'));
    EXPECT_EQ(fixed->last, std::string(kSectorBytes, '\0'));
    EXPECT_EQ(toolkit.messages().texts(), std::vector<std::wstring>{L"File create is Completed."});
}

TEST_F(FileCreateOnWindows, ZeroFillOverwritesOnlyTheTwoSectors) {
    const std::wstring path = scratch.file(L"full.dsk");
    const std::string content(4096, 'x');
    {
        const OwnedFileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr,
                                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(file);
        DWORD written = 0;
        WriteFile(file.Get(), content.data(), static_cast<DWORD>(content.size()), &written,
                  nullptr);
    }

    EXPECT_EQ(ZeroFirstAndLastSector(files, path), ZeroFill::ok);

    const auto back = ReadBack(path);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->length, 4096u);
    EXPECT_EQ(back->first, std::string(kSectorBytes, '\0'));
    EXPECT_EQ(back->last, std::string(kSectorBytes, '\0'));
    EXPECT_EQ(ZeroFirstAndLastSector(files, scratch.file(L"missing.dsk")), ZeroFill::no);
}

} // namespace
} // namespace stowkeep::images
