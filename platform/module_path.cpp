#include "platform/module_path.h"

namespace stowkeep::platform {

std::wstring FolderOf(std::wstring_view executablePath) {
    const auto slash = executablePath.find_last_of(L'\\');
    if (slash == std::wstring_view::npos) {
        return {};
    }
    return std::wstring(executablePath.substr(0, slash + 1));
}

std::wstring JoinFolderAndName(std::wstring_view folder, std::wstring_view name) {
    if (!folder.empty() && folder.back() == L'\\') {
        folder.remove_suffix(1);
    }
    std::wstring joined(folder);
    joined += L'\\';
    joined += name;
    return joined;
}

std::wstring FileBesideExecutable(const ModulePath& module, std::wstring_view name) {
    return JoinFolderAndName(FolderOf(module.ExecutablePath()), name);
}

} // namespace stowkeep::platform
