#include "settings/autorun.h"

#include "platform/module_path.h"

#include <utility>

namespace stowkeep::settings {

Autorun::Autorun(platform::UserRegistry& registry, std::wstring executableFolder)
    : registry_(registry), folder_(std::move(executableFolder)) {}

bool Autorun::Check(const SettingsFile& file) const {
    const auto data = registry_.ReadString(kRunKeyPath, kAutorunValueName);
    if (!data || data->empty()) {
        return true;
    }
    return file.WriteText(L"Auto", L"Run", L"on");
}

bool Autorun::Set() const {
    return registry_.WriteString(kRunKeyPath, kAutorunValueName, Data());
}

void Autorun::Clear() const {
    registry_.DeleteValue(kRunKeyPath, kAutorunValueName);
}

std::wstring Autorun::Data() const {
    return platform::JoinFolderAndName(folder_, L"Startshim.exe");
}

std::wstring Autorun::SetErrorText() const {
    return L"Failed to set data for '" + std::wstring(kAutorunValueName) + L"'";
}

} // namespace stowkeep::settings
