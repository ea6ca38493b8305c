#pragma once

#include "app/main_state.h"
#include "platform/files.h"
#include "settings/settings_file.h"
#include "ui/message_dialog.h"
#include "ui/panels.h"
#include "ui/toolkit.h"
#include "ui/window.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>

namespace stowkeep::backup {

// What the backup page, the Backup command and the copy window work with. The
// main window owns all of it; everything here is used on the UI thread only.
struct BackupContext {
    ui::Toolkit& toolkit;
    ui::Window& mainWindow;      // TForm1: closed, shown, enabled and hidden to the tray
    ui::PageControl& pages;      // spSkinPageControl1: page 0 main, page 1 backup
    ui::MessageDialog& messages; // spSkinMessage1
    const settings::SettingsFile& settings;
    platform::FileSystem& files;
    MainState& state;
    // Main1Click of the main window: back from the tray, shown normally, page 0.
    std::function<void()> main1Click;
    // The Backup command's two waits; they process no window messages.
    std::function<void(std::chrono::milliseconds)> sleep;
    // Starts the file counter for a run (TFileNumCheckThread).
    std::function<void()> startFileCounter;
    // The total the file counter stores and the copy engine reads.
    const std::atomic<std::int32_t>& totalFileCount;
};

} // namespace stowkeep::backup
