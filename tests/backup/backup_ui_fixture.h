#pragma once

// A main window with a backup page on the headless toolkit, over the
// in-memory file system and settings file.

#include "backup/backup_command.h"
#include "backup/backup_context.h"
#include "backup/backup_jobs.h"
#include "backup/backup_page.h"
#include "platform/fake/fake_profile_files.h"
#include "platform/fake/files_fake.h"
#include "platform/long_path_files.h"
#include "ui/headless/headless_toolkit.h"
#include "ui/panels.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace stowkeep::backup::testing {

inline constexpr wchar_t kSettingsPath[] = L"C:\\Stowkeep\\set.ini";
inline constexpr wchar_t kTitle[] = L"Stowkeep (KD-RX710)";

// Test names from the cases' name fields.
template <class Case> std::string CaseName(const ::testing::TestParamInfo<Case>& tested) {
    return tested.param.name;
}

class BackupUiTest : public ::testing::Test {
  protected:
    BackupUiTest() {
        files.AddVolume(L'C', 1u << 30);
        files.AddVolume(L'E', 1u << 30); // the enclosure: a fixed disk
        files.AddVolume(L'F', 1u << 30, L"FAT32", platform::DriveType::removable);
        profile.AddFolder(L"C:\\Stowkeep");
        state.DeviceState = L"ok";
        state.DeviceRoot = L"E:\\";
        ui::WindowOptions options;
        options.caption = kTitle;
        options.clientWidth = 531;
        options.clientHeight = 363;
        mainWindow = toolkit.createWindow("TForm1", options);
        pages = &mainWindow->addPageControl("spSkinPageControl1", {0, 0, 531, 363});
        pages->addPage("TabSheet1");
        auto& backupPage = pages->addPage("TabSheet2");
        messages = toolkit.createMessageDialog(mainWindow.get(), kTitle);
        context = std::make_unique<BackupContext>(
            BackupContext{toolkit, *mainWindow, *pages, *messages, settings, programFiles, state,
                          [this] {
                              ++main1Clicks;
                              mainWindow->restore();
                              pages->setActivePage(0);
                          },
                          [this](std::chrono::milliseconds wait) { sleeps.push_back(wait); },
                          [this] { CounterStarted(); }, totalFileCount});
        command = std::make_unique<BackupCommand>(*context);
        page = std::make_unique<BackupPage>(backupPage, *context,
                                            [this] { command->spSkinButton1Click(); });
    }

    // Stores jobs the way Add does, without the page's checks.
    void StoreJobs(const std::vector<BackupJob>& jobs) {
        for (const BackupJob& job : jobs) {
            ASSERT_TRUE(AppendBackupJob(settings, job));
        }
    }
    std::vector<std::wstring> Texts() { return toolkit.messages().texts(); }
    std::wstring Stored(const wchar_t* section, const wchar_t* key) const {
        return settings.ReadText(section, key, L"(absent)");
    }
    TForm2* CopyWindow() { return command->copyWindow(); }

    // The file counter of a run; tests may look at the run's start here.
    std::function<void()> onCounterStart;

    ui::HeadlessToolkit toolkit;
    platform::FakeFileSystem files;
    // The files as the program's calls see them: through the Win32 side's
    // long-path layer.
    platform::LongPathFileSystem programFiles{files};
    platform::fake::FakeProfileFiles profile;
    settings::SettingsFile settings{profile, kSettingsPath};
    MainState state;
    std::atomic<std::int32_t> totalFileCount{0};
    std::unique_ptr<ui::Window> mainWindow;
    ui::PageControl* pages = nullptr;
    std::unique_ptr<ui::MessageDialog> messages;
    std::unique_ptr<BackupContext> context;
    std::unique_ptr<BackupCommand> command;
    std::unique_ptr<BackupPage> page;
    int main1Clicks = 0;
    int countersStarted = 0;
    std::vector<std::chrono::milliseconds> sleeps;

  private:
    void CounterStarted() {
        ++countersStarted;
        if (onCounterStart) {
            onCounterStart();
        }
    }
};

} // namespace stowkeep::backup::testing
