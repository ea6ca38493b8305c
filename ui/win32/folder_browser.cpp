#include "ui/win32/folder_browser.h"

#include "ui/win32/peer.h"
#include "ui/win32/windows_api.h"
#include "ui/window.h"

namespace stowkeep::ui::win32 {

namespace {

int CALLBACK selectStart(HWND dialog, UINT message, LPARAM, LPARAM start) {
    if (message == BFFM_INITIALIZED && start)
        SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, start);
    return 0;
}

struct IdListDeleter {
    void operator()(ITEMIDLIST* list) const { CoTaskMemFree(list); }
};

} // namespace

std::optional<std::wstring> FolderBrowser::browse(const Window* owner, const std::wstring& start) {
    auto* peer = owner ? static_cast<Peer*>(owner->peer()) : nullptr;
    BROWSEINFOW info{};
    info.hwndOwner = peer ? peer->hwnd() : nullptr;
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    info.lpfn = &selectStart;
    info.lParam = reinterpret_cast<LPARAM>(start.c_str());
    std::unique_ptr<ITEMIDLIST, IdListDeleter> chosen(SHBrowseForFolderW(&info));
    if (!chosen)
        return std::nullopt;
    wchar_t path[MAX_PATH] = {};
    if (!SHGetPathFromIDListW(chosen.get(), path))
        return std::nullopt;
    return std::wstring(path);
}

} // namespace stowkeep::ui::win32
