#include "ui/win32/win32_toolkit.h"

#include "ui/ui.h"
#include "ui/win32/control_peers.h"
#include "ui/win32/dpi.h"
#include "ui/win32/field_peers.h"
#include "ui/win32/folder_browser.h"
#include "ui/win32/list_view_peer.h"
#include "ui/win32/message_box.h"
#include "ui/win32/tray_peer.h"
#include "ui/win32/win32_dispatcher.h"
#include "ui/win32/window_peers.h"
#include "ui/win32/windows_api.h"

namespace stowkeep::ui {

using namespace win32;

struct Win32Toolkit::State {
    explicit State(Win32Toolkit& owner)
        : dispatcher(GetModuleHandleW(nullptr), [this](MSG& m) { return navigate(m); }),
          pictures(standardPictures()) {
        context.instance = GetModuleHandleW(nullptr);
        context.toolkit = &owner;
    }

    // Tab, Enter and Esc in our windows.
    bool navigate(MSG& message) {
        HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
        for (HWND window : context.topLevels)
            if (window == root)
                return IsDialogMessageW(window, &message) != 0;
        return false;
    }

    Context context;
    Win32Dispatcher dispatcher;
    FolderBrowser folders;
    PictureStore pictures;
};

namespace {

void registerClass(HINSTANCE instance, const wchar_t* name, UINT style, HCURSOR cursor) {
    WNDCLASSEXW type{};
    type.cbSize = sizeof(type);
    type.style = style;
    type.lpfnWndProc = &peerWindowProc;
    type.hInstance = instance;
    type.hCursor = cursor;
    type.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    type.lpszClassName = name;
    RegisterClassExW(&type);
}

} // namespace

void win32::registerClasses(HINSTANCE instance) {
    HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    registerClass(instance, classes::TopLevel, CS_DBLCLKS | CS_DROPSHADOW, arrow);
    for (const wchar_t* name : {classes::Container, classes::Label, classes::Picture,
                                classes::Progress, classes::Message})
        registerClass(instance, name, CS_DBLCLKS, arrow);
}

Win32Toolkit::Win32Toolkit() {
    makeProcessDpiAware();
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    registerClasses(GetModuleHandleW(nullptr));
    state_ = std::make_unique<State>(*this);
}

Win32Toolkit::~Win32Toolkit() {
    state_.reset();
    OleUninitialize();
}

std::unique_ptr<MessageDialog> Win32Toolkit::createMessageDialog(const Window* owner,
                                                                 std::wstring title) {
    return std::make_unique<Win32MessageDialog>(state_->context, owner, std::move(title));
}

std::unique_ptr<Timer> Win32Toolkit::createTimer(std::chrono::milliseconds interval,
                                                 std::function<void()> handler) {
    return std::make_unique<Win32Timer>(state_->dispatcher, static_cast<UINT>(interval.count()),
                                        std::move(handler));
}

FolderDialog& Win32Toolkit::folderDialog() {
    return state_->folders;
}

Dispatcher& Win32Toolkit::dispatcher() {
    return state_->dispatcher;
}

const PictureStore& Win32Toolkit::pictures() const {
    return state_->pictures;
}

int Win32Toolkit::run() {
    MSG message{};
    Win32Dispatcher& loop = state_->dispatcher;
    while (!loop.pendingQuit() && GetMessageW(&message, nullptr, 0, 0) > 0)
        loop.dispatch(message);
    int code = loop.pendingQuit().value_or(static_cast<int>(message.wParam));
    loop.clearPendingQuit();
    return code;
}

void Win32Toolkit::quit(int code) {
    if (state_->dispatcher.onUiThread())
        PostQuitMessage(code);
    else
        state_->dispatcher.post([code] { PostQuitMessage(code); });
}

std::unique_ptr<ControlPeer> Win32Toolkit::createPeer(Control& control) {
    Context& c = state_->context;
    switch (control.kind()) {
    case Kind::Window:
        return std::make_unique<WindowPeer>(c, static_cast<Window&>(control));
    case Kind::Panel:
    case Kind::GroupBox:
    case Kind::PageControl:
    case Kind::Page:
        return std::make_unique<ContainerPeer>(c, static_cast<Container&>(control));
    case Kind::Button:
        return std::make_unique<ButtonPeer>(c, static_cast<Button&>(control));
    case Kind::PictureButton:
        return std::make_unique<PictureButtonPeer>(c, static_cast<PictureButton&>(control));
    case Kind::Picture:
        return std::make_unique<PicturePeer>(c, static_cast<Picture&>(control));
    case Kind::Label:
        return std::make_unique<LabelPeer>(c, static_cast<Label&>(control));
    case Kind::LinkLabel:
        return std::make_unique<LinkPeer>(c, static_cast<LinkLabel&>(control));
    case Kind::RadioButton:
        return std::make_unique<RadioPeer>(c, static_cast<RadioButton&>(control));
    case Kind::Edit:
        return std::make_unique<TextEditPeer>(c, static_cast<Edit&>(control));
    case Kind::SpinEdit:
        return std::make_unique<SpinEditPeer>(c, static_cast<SpinEdit&>(control));
    case Kind::FolderEdit:
        return std::make_unique<FolderEditPeer>(c, static_cast<FolderEdit&>(control));
    case Kind::ListView:
        return std::make_unique<ListViewPeer>(c, static_cast<ListView&>(control));
    case Kind::ProgressBar:
        return std::make_unique<ProgressPeer>(c, static_cast<ProgressBar&>(control));
    case Kind::TrayIcon:
        return std::make_unique<TrayPeer>(c, static_cast<TrayIcon&>(control));
    }
    return nullptr;
}

} // namespace stowkeep::ui
