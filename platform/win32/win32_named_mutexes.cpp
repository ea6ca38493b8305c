#include "platform/win32/win32_named_mutexes.h"

#include "platform/win32/owned_handle.h"

#include <string>
#include <utility>
#include <windows.h>

namespace stowkeep::platform::win32 {

namespace {

class Win32MutexHandle : public MutexHandle {
  public:
    explicit Win32MutexHandle(OwnedKernelHandle handle) : handle_(std::move(handle)) {}

  private:
    OwnedKernelHandle handle_;
};

} // namespace

NamedMutexes::Created Win32NamedMutexes::Create(std::wstring_view name) {
    ::SetLastError(ERROR_SUCCESS);
    OwnedKernelHandle handle{::CreateMutexW(nullptr, FALSE, std::wstring(name).c_str())};
    const bool existed = ::GetLastError() == ERROR_ALREADY_EXISTS;
    if (!handle) {
        return {};
    }
    return {std::make_unique<Win32MutexHandle>(std::move(handle)), existed};
}

} // namespace stowkeep::platform::win32
