#pragma once

#include <memory>
#include <mutex>

namespace stowkeep::drives {

// One shared_ptr that threads load and replace. The lock covers only the
// copy or swap of the pointer, never the work on the object it points to.
template <typename T> class SharedSlot {
  public:
    explicit SharedSlot(std::shared_ptr<T> value = nullptr) : value_(std::move(value)) {}

    std::shared_ptr<T> Load() const {
        std::lock_guard lock(mutex_);
        return value_;
    }

    void Store(std::shared_ptr<T> value) {
        std::lock_guard lock(mutex_);
        value_.swap(value); // the old object is released after the lock
    }

  private:
    mutable std::mutex mutex_;
    std::shared_ptr<T> value_;
};

} // namespace stowkeep::drives
