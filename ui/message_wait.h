#pragma once

#include "ui/dispatcher.h"

#include <chrono>

namespace stowkeep::ui {

// Waits on the UI thread for the given time while its windows keep
// answering: messages and posted work are processed, and nothing spins.
void WaitProcessingMessages(Dispatcher& dispatcher, std::chrono::milliseconds duration);

} // namespace stowkeep::ui
