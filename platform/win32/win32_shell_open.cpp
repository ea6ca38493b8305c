#include "platform/win32/win32_shell_open.h"

#include "platform/win32/owned_handle.h"

// clang-format off
#include <windows.h>
#include <exdisp.h>
#include <servprov.h>
#include <shellapi.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shlobj.h>
// clang-format on

namespace stowkeep::platform::win32 {

namespace {

template <typename T> struct ComTraits {
    using Handle = T*;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle object) { object->Release(); }
};
template <typename T> using Com = Owned<ComTraits<T>>;

struct BstrTraits {
    using Handle = BSTR;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle text) { SysFreeString(text); }
};

// COM on this thread for as long as it lives; a thread that has it already keeps it.
class ComScope {
  public:
    ComScope() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComScope() {
        if (SUCCEEDED(result_))
            CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

  private:
    HRESULT result_;
};

template <typename T> Com<T> Query(IUnknown* from, REFIID iid) {
    void* out = nullptr;
    if (!from || FAILED(from->QueryInterface(iid, &out)))
        return {};
    return Com<T>(static_cast<T*>(out));
}

VARIANT Number(LONG value) {
    VARIANT number;
    VariantInit(&number);
    number.vt = VT_I4;
    number.lVal = value;
    return number;
}

// The browser of the window that shows the user's desktop, in the user's Explorer.
Com<IShellBrowser> DesktopBrowser() {
    void* found = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows,
                                &found)))
        return {};
    Com<IShellWindows> windows(static_cast<IShellWindows*>(found));
    VARIANT desktop = Number(CSIDL_DESKTOP);
    VARIANT root;
    VariantInit(&root);
    LONG hwnd = 0;
    IDispatch* window = nullptr;
    if (windows.Get()->FindWindowSW(&desktop, &root, SWC_DESKTOP, &hwnd, SWFO_NEEDDISPATCH,
                                    &window) != S_OK ||
        !window)
        return {};
    Com<IDispatch> desktopWindow(window);
    auto provider = Query<IServiceProvider>(desktopWindow.Get(), IID_IServiceProvider);
    void* browser = nullptr;
    if (!provider ||
        FAILED(provider.Get()->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, &browser)))
        return {};
    return Com<IShellBrowser>(static_cast<IShellBrowser*>(browser));
}

// The shell's own automation object, as the desktop's folder view hands it out.
Com<IShellDispatch2> DesktopShell() {
    auto browser = DesktopBrowser();
    IShellView* view = nullptr;
    if (!browser || FAILED(browser.Get()->QueryActiveShellView(&view)))
        return {};
    Com<IShellView> activeView(view);
    void* background = nullptr;
    if (FAILED(activeView.Get()->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, &background)))
        return {};
    Com<IDispatch> backgroundObject(static_cast<IDispatch*>(background));
    auto folderView = Query<IShellFolderViewDual>(backgroundObject.Get(), IID_IShellFolderViewDual);
    IDispatch* application = nullptr;
    if (!folderView || FAILED(folderView.Get()->get_Application(&application)))
        return {};
    Com<IDispatch> shellApplication(application);
    return Query<IShellDispatch2>(shellApplication.Get(), IID_IShellDispatch2);
}

} // namespace

bool Win32ShellOpen::OpenAsDesktopUser(const std::wstring& target, bool maximised) {
    ComScope com;
    auto shell = DesktopShell();
    if (!shell)
        return false;
    Owned<BstrTraits> file(SysAllocString(target.c_str()));
    VARIANT none;
    VariantInit(&none);
    VARIANT show = Number(maximised ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    return file && SUCCEEDED(shell.Get()->ShellExecute(file.Get(), none, none, none, show));
}

bool Win32ShellOpen::OpenHere(const std::wstring& target, bool maximised) {
    HINSTANCE result = ShellExecuteW(nullptr, nullptr, target.c_str(), nullptr, nullptr,
                                     maximised ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

} // namespace stowkeep::platform::win32
