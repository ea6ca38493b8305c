#include "app/safe_removal.h"

#include "app/texts.h"

namespace stowkeep::app {

void RunSafeRemoval(const MainState& state, const LibraryBinding& library,
                    ui::MessageDialog& messages) {
    if (state.DeviceState != L"ok")
        return;
    if (!library.Has("SafelyRemove")) {
        messages.notice(std::wstring(kSafeRemovalUnavailable));
        return;
    }
    if (messages.confirm(std::wstring(kSafeRemovalQuestion)) != ui::Answer::Yes)
        return;
    const auto result = library.Call("SafelyRemove");
    if (!result) {
        messages.notice(std::wstring(kSafeRemovalUnavailable));
        return;
    }
    // Only the low byte carries the library's answer.
    const bool removed = (static_cast<std::uint32_t>(*result) & 0xFFu) != 0;
    messages.notice(std::wstring(removed ? kSafeRemovalDone : kSafeRemovalRedo));
}

} // namespace stowkeep::app
