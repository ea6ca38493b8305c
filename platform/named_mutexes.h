#pragma once

#include <memory>
#include <string_view>

namespace stowkeep::platform {

// A handle to a named mutex; destroying it closes the handle. The mutex itself
// lives as long as any handle to it is open.
class MutexHandle {
  public:
    virtual ~MutexHandle() = default;
};

// Named mutexes in the caller's own namespace (the logon session's).
class NamedMutexes {
  public:
    struct Created {
        std::unique_ptr<MutexHandle> handle; // empty when the system gave none
        bool alreadyExisted = false;         // a mutex of that name was open already
    };

    virtual ~NamedMutexes() = default;

    // Creates the mutex name (not owned), or opens it when it exists.
    virtual Created Create(std::wstring_view name) = 0;
};

} // namespace stowkeep::platform
