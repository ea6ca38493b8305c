#pragma once

#include "app/library_binding.h"
#include "app/main_state.h"
#include "ui/message_dialog.h"

namespace stowkeep::app {

// Image19Click, the Safe Removal command: with the enclosure present, asks
// for confirmation, has the device library remove the enclosure and tells the
// outcome. It changes nothing else; the drive-change watcher notices the
// vanished volumes like any other removal.
//
// Without a usable device library the command cannot work; the user is told
// so instead of being asked a question whose answer could change nothing.
void RunSafeRemoval(const MainState& state, const LibraryBinding& library,
                    ui::MessageDialog& messages);

} // namespace stowkeep::app
