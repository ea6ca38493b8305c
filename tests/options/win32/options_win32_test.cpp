// The Options page's OK on the real registry and settings file: the autorun value is
// written and removed under the current user's Run key.
#include "platform/win32/owned_handle.h"
#include "platform/win32/win32_profile_files.h"
#include "platform/win32/win32_user_registry.h"
#include "settings/options_page.h"
#include "ui/headless/headless_toolkit.h"

#include <gtest/gtest.h>
#include <string>
#include <windows.h>

namespace stowkeep::settings {
namespace {

// The autorun value as the registry reports it, read without our own seam.
std::optional<std::wstring> RunValue() {
    wchar_t data[1024];
    DWORD size = sizeof(data);
    const LSTATUS status =
        RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                     L"Stowkeep", RRF_RT_REG_SZ, nullptr, data, &size);
    if (status != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::wstring(data);
}

// What `reg query` prints of the autorun value: the system's own tool, run as a child.
std::string RegQueryOutput() {
    using platform::win32::OwnedKernelHandle;
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) {
        return {};
    }
    const OwnedKernelHandle reader(readEnd);
    OwnedKernelHandle writer(writeEnd);
    SetHandleInformation(reader.Get(), HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writer.Get();
    startup.hStdError = writer.Get();
    PROCESS_INFORMATION child{};
    std::wstring command =
        L"reg query \"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\" /v Stowkeep";
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &startup, &child)) {
        return {};
    }
    const OwnedKernelHandle process(child.hProcess);
    const OwnedKernelHandle thread(child.hThread);
    writer.Reset(); // the child holds the only write end now, so the reads end with it
    std::string output;
    char buffer[512];
    DWORD read = 0;
    while (ReadFile(reader.Get(), buffer, sizeof(buffer), &read, nullptr) && read > 0) {
        output.append(buffer, read);
    }
    WaitForSingleObject(process.Get(), 60000);
    return output;
}

std::wstring TempFolder() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    return temp;
}

class OptionsOnWindows : public testing::Test {
  protected:
    ~OptionsOnWindows() override {
        DeleteFileW(ini.c_str());
        RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                           L"Stowkeep");
    }

    std::wstring folder = L"C:\\Tools\\Device";
    std::wstring ini =
        TempFolder() + L"stowkeep-options-" + std::to_wstring(GetCurrentProcessId()) + L".ini";
    ui::HeadlessToolkit toolkit;
    std::unique_ptr<ui::Window> window = toolkit.createWindow("TForm1", {L"Stowkeep", 531, 363});
    std::unique_ptr<ui::MessageDialog> messages =
        toolkit.createMessageDialog(window.get(), L"Stowkeep (KD-RX710)");
    platform::win32::Win32ProfileFiles profile;
    platform::win32::Win32UserRegistry registry;
    SettingsFile file{profile, ini};
    Autorun autorun{registry, folder};
    OptionsPage page{*window, {file, autorun, *messages, [](int) {}}};
};

TEST_F(OptionsOnWindows, OkWritesAndRemovesTheRunValue) {
    page.LoadOptionsPage();
    page.spSkinCheckRadioBox3.click();
    page.spSkinButton9.click();
    EXPECT_EQ(RunValue(), L"C:\\Tools\\Device\\Startshim.exe");
    EXPECT_NE(RegQueryOutput().find("C:\\Tools\\Device\\Startshim.exe"), std::string::npos);
    EXPECT_EQ(file.ReadText(L"Auto", L"Run", L"<absent>"), L"on");
    EXPECT_EQ(file.ReadText(L"Auto", L"BackUp", L"<absent>"), L"off");
    EXPECT_EQ(file.ReadText(L"Virtual_HDD", L"Option", L"<absent>"), L"Slow");

    page.spSkinCheckRadioBox4.click();
    page.spSkinButton9.click();
    EXPECT_EQ(RunValue(), std::nullopt);
    EXPECT_EQ(RegQueryOutput().find("Startshim.exe"), std::string::npos);
    EXPECT_EQ(file.ReadText(L"Auto", L"Run", L"<absent>"), L"off");
    EXPECT_EQ(toolkit.messages().texts(),
              (std::vector<std::wstring>{L"Setting is completed.", L"Setting is completed."}));
}

} // namespace
} // namespace stowkeep::settings
