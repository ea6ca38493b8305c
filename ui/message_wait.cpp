#include "ui/message_wait.h"

#include "ui/signal.h"

#include <thread>

namespace stowkeep::ui {

void WaitProcessingMessages(Dispatcher& dispatcher, std::chrono::milliseconds duration) {
    Signal elapsed;
    std::thread clock([&elapsed, duration] {
        std::this_thread::sleep_for(duration);
        elapsed.set();
    });
    dispatcher.waitUntil(elapsed);
    clock.join();
}

} // namespace stowkeep::ui
