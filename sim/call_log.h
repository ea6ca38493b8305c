#pragma once
// The record of every platform call the device library made, in order. Its room
// is reserved up front so that recording never allocates.

#include "devicelib/device_abi.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace stowkeep::sim {

enum class Op {
    GetClassDevs,
    EnumDeviceInfo,
    EnumDeviceInterfaces,
    GetInterfaceDetail,
    DestroyDeviceInfoList,
    GetDeviceId,
    GetParent,
    RequestEject,
    CompareString,
    CreateFile,
    IoControl,
    CloseHandle,
    GetLogicalDrives,
    GetDriveType,
    QueryDosDevice,
    IsUserAnAdmin,
    Sleep,
    BeginThread,
    WaitForThread,
};

struct Call {
    Op op;
    std::uint32_t code = 0;                     // control code, access rights, or milliseconds
    std::uint32_t share = 0;                    // share mode of an open
    std::uint32_t error = 0;                    // what GetLastError gives after a failed call
    std::uint16_t value = 0;                    // tunnel code of a descriptor request
    std::uint16_t index = 0;                    // its index field
    char16_t name[96] = {};                     // path or drive the call names, cut to fit
    hatchlink::ScsiPassThroughDirect request{}; // a pass-through as it was sent
    std::u16string Name() const { return name; }
};

class CallLog {
  public:
    explicit CallLog(std::size_t capacity) : calls_(capacity) {}
    Call* Add(Op op);
    void Clear() {
        size_ = 0;
        total_ = 0;
    }
    // Every call since the last Clear, including those the room could not hold.
    std::uint64_t Total() const { return total_; }
    const Call& operator[](std::size_t i) const { return calls_[i]; }
    const Call* begin() const { return calls_.data(); }
    const Call* end() const { return calls_.data() + size_; }

  private:
    std::vector<Call> calls_;
    std::size_t size_ = 0;
    std::uint64_t total_ = 0;
};

} // namespace stowkeep::sim
