#pragma once

#include "images/image_page.h"
#include "platform/fake/fake_profile_files.h"
#include "platform/fake/files_fake.h"
#include "sparse_files.h"
#include "ui/headless/headless_toolkit.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace stowkeep::images {

inline constexpr std::uint64_t kGB = 1073741824;
inline const std::wstring kIni = L"C:\\Tools\\set.ini";

// The wait window, noting when it was shown and closed and what the list said then.
class RecordingWait : public WaitWindow {
  public:
    explicit RecordingWait(const ui::ListView*& list) : list_(list) {}
    void Show() override {
        shown = true;
        events.push_back(L"show");
    }
    void Close() override {
        shown = false;
        events.push_back(L"close");
        for (int row = 0; row < list_->rowCount(); ++row) {
            statusesAtClose.push_back(list_->cell(row, 4));
        }
    }
    bool shown = false;
    std::vector<std::wstring> events;
    std::vector<std::wstring> statusesAtClose;

  private:
    const ui::ListView*& list_;
};

// Page 2 on the headless toolkit over an in-memory machine: E: a fixed NTFS volume with an
// _iso folder and 100 GB free, F: a FAT32 one, G: a removable drive.
class ImagePageTest : public testing::Test {
  protected:
    ImagePageTest() {
        disk.AddVolume(L'E', 100 * kGB, L"NTFS");
        disk.AddVolume(L'F', 100 * kGB, L"FAT32");
        disk.AddVolume(L'G', 100 * kGB, L"FAT32", platform::DriveType::removable);
        disk.AddFolder(L"E:\\_iso");
        disk.AddFolder(L"F:\\_iso");
        disk.AddFolder(L"G:\\_iso");
        profile.AddFolder(L"C:\\Tools");
        page.JvDirectoryEdit3.setText(L"E:\\_iso");
        list = &page.spSkinListView2;
    }

    // Lists one request the way a user does: pick the type, type the name and size, Add.
    void Request(ui::RadioButton& type, const std::wstring& name, const wchar_t* size = nullptr) {
        type.click();
        page.spSkinEdit2.type(name);
        if (size) {
            page.spSkinSpinEdit1.setText(size);
        }
        page.spSkinButton7.click();
    }
    ui::RadioButton& Floppy() { return page.spSkinCheckRadioBox5; }
    ui::RadioButton& Removable() { return page.spSkinCheckRadioBox6; }
    ui::RadioButton& Fixed() { return page.spSkinCheckRadioBox7; }

    std::vector<std::vector<std::wstring>> Rows() const {
        std::vector<std::vector<std::wstring>> rows;
        for (int row = 0; row < list->rowCount(); ++row) {
            rows.push_back({});
            for (int column = 0; column < 5; ++column) {
                rows.back().push_back(list->cell(row, column));
            }
        }
        return rows;
    }
    std::vector<std::wstring> Messages() { return toolkit.messages().texts(); }
    void SetOption(const std::wstring& value) {
        profile.PutFile(kIni, L"[Virtual_HDD]\nOption=" + value + L"\n");
    }

    ui::HeadlessToolkit toolkit;
    std::unique_ptr<ui::Window> window = toolkit.createWindow("TForm1", {L"Stowkeep", 531, 363});
    std::unique_ptr<ui::MessageDialog> messages =
        toolkit.createMessageDialog(window.get(), L"Stowkeep (KD-RX710)");
    platform::FakeFileSystem disk;
    SparseFiles files{disk};
    platform::fake::FakeProfileFiles profile;
    settings::SettingsFile settings{profile, kIni};
    const ui::ListView* list = nullptr;
    RecordingWait wait{list};
    std::vector<int> pages;
    ImagePage page{*window, {files, settings, *messages, toolkit.dispatcher(), wait, [this](int p) {
                                 pages.push_back(p);
                             }}};
};

} // namespace stowkeep::images
