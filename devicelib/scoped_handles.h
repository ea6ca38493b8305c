#pragma once
// Owners of the handles that the library opens, so that every path out of a
// function releases them.

#include "devicelib/os_table.h"

namespace stowkeep::hatchlink {

struct FileHandleTraits {
    static constexpr Handle Invalid() { return kInvalidHandle; }
    static void Release(Handle h) { Os().CloseHandle(h); }
};

struct DeviceSetTraits {
    static constexpr Handle Invalid() { return kInvalidHandle; }
    static void Release(Handle h) { Os().SetupDiDestroyDeviceInfoList(h); }
};

template <typename Traits> class ScopedHandle {
  public:
    ScopedHandle() = default;
    explicit ScopedHandle(Handle h) : handle_(h) {}
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    ~ScopedHandle() { Reset(Traits::Invalid()); }

    bool Valid() const { return handle_ != Traits::Invalid(); }
    Handle Get() const { return handle_; }
    void Reset(Handle h) {
        if (Valid())
            Traits::Release(handle_);
        handle_ = h;
    }

  private:
    Handle handle_ = Traits::Invalid();
};

using ScopedFile = ScopedHandle<FileHandleTraits>;
using ScopedDeviceSet = ScopedHandle<DeviceSetTraits>;

} // namespace stowkeep::hatchlink
