#pragma once

#include "app/unit1.h"
#include "app/unit3.h"
#include "app/unit4.h"
#include "drives/device_change_hook.h"
#include "platform/fake/fake_libraries.h"
#include "platform/fake/fake_module_path.h"
#include "platform/fake/fake_processes.h"
#include "platform/fake/fake_profile_files.h"
#include "platform/fake/fake_user_registry.h"
#include "platform/fake/files_fake.h"
#include "platform/fake/volumes_fake.h"
#include "ui/headless/headless_toolkit.h"

#include <atomic>
#include <memory>
#include <string>
#include <vector>

namespace stowkeep::app::testing {

inline const std::wstring kExeFolder = L"C:\\Tools\\Stowkeep";
inline const std::wstring kExePath = kExeFolder + L"\\Stowkeep(KD-RX710).exe";
inline const std::wstring kLibraryPath = kExeFolder + L"\\Hatchlink.dll";
inline const std::wstring kSettingsPath = kExeFolder + L"\\set.ini";
inline constexpr std::uint32_t kOwnId = 100;
inline constexpr std::uint32_t kOwnSession = 1;

// The machine the program starts on, and the program's windows once started.
// Tests arrange the machine, then call Start().
struct AppWorld {
    ui::HeadlessToolkit toolkit;
    platform::fake::FakeModulePath module{kExePath};
    platform::fake::FakeLibraries libraries;
    platform::fake::FakeProcesses processes{kOwnId, kOwnSession};
    platform::fake::FakeUserRegistry registry;
    platform::fake::FakeProfileFiles profiles;
    platform::FakeFileSystem files;
    platform::FakeVolumes volumes;
    drives::DeviceChangeHook deviceHook;
    std::vector<std::string> libraryCalls;   // export names in call order, but ButtonStatus
    std::atomic<std::int32_t> buttonCode{0}; // what ButtonStatus answers
    std::int32_t safelyRemoveResult = 1;
    std::vector<std::wstring> openedPages;

    OtherForms forms;
    std::unique_ptr<TForm1> form1;
    std::unique_ptr<TForm3> form3;
    std::unique_ptr<TForm4> form4;

    explicit AppWorld(std::wstring ownExeName = L"Stowkeep(KD-RX710).exe");
    // Hatchlink.dll beside the exe with the given exports (all four by default).
    void PutLibrary(std::vector<std::string> exports = {"DllSet", "ButtonStatus", "SafelyRemove",
                                                        "DllEnd"});
    // A USB disk volume with a drive letter, its vendor as given.
    void PutUsbVolume(const std::string& vendor, wchar_t letter);
    // The machine as the main window's services; web pages opened are recorded.
    TForm1Services Services();
    void Start();

    ui::Page& Page0() const { return form1->Pages().page(0); }
    ui::PictureButton& Button(const char* name) const {
        return Page0().get<ui::PictureButton>(name);
    }
    std::wstring PictureOf(const char* control) const;
    std::wstring StorePicture(const char* image) const;
};

} // namespace stowkeep::app::testing
