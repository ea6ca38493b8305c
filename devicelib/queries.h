#pragma once
// The enclosure's firmware queries: READ BUFFER(10) in vendor mode with one buffer
// ID per query, and the standard INQUIRY. Each zeroes its output, and fills it
// only when the device accepted the command.

#include "devicelib/device_abi.h"

#include <cstdint>

namespace stowkeep::hatchlink {

inline constexpr std::uint32_t kIdentityLength = 8;
inline constexpr std::uint32_t kSlotHeaderLength = 7;
inline constexpr std::uint32_t kSlotRecordLength = 27;
inline constexpr std::uint32_t kUnitFlagsLength = 12;
inline constexpr std::uint32_t kButtonStateLength = 2;
inline constexpr std::uint32_t kInquiryLength = 36;

int ReadIdentity(Handle handle, std::uint8_t* out);
int ReadSlotHeader(Handle handle, std::uint8_t* out);
int ReadSlotRecord(Handle handle, std::uint8_t* out, std::uint8_t index);
int ReadUnitFlags(Handle handle, std::uint8_t* out);
// Always over the direct route: the handle is a storage interface.
int InquireUnit(Handle handle, std::uint8_t* out);
// On CommandHandle; low byte the button state, high byte the seconds.
int ReadButtonState(std::uint16_t* out);

} // namespace stowkeep::hatchlink
