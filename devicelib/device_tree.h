#pragma once
// Reading the device tree into discovery's working buffers.

#include "devicelib/device_abi.h"
#include "devicelib/scoped_handles.h"

#include <cstddef>

namespace stowkeep::hatchlink {

// The instance ID of a device in Scratch.deviceId, terminated; its length, or -1
// when it cannot be read.
int ReadDeviceId(DevInst device);

// Walks the present interfaces of one class. Each call of Next() yields the next
// interface whose detail could be read; the detail lands in Scratch.detail.
class InterfaceWalk {
  public:
    explicit InterfaceWalk(const Guid& interfaceClass);

    bool Next();
    const char16_t* Path() const;
    std::size_t PathCapacity() const;
    DevInst Device() const { return device_; }

  private:
    const Guid& class_;
    ScopedDeviceSet set_;
    std::uint32_t index_ = 0;
    DevInst device_ = 0;
};

} // namespace stowkeep::hatchlink
