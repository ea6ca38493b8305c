#pragma once
// Carrying one pass-through request to the enclosure: straight to its storage
// interface, or tunnelled through its hub port as descriptor requests.

#include "devicelib/device_abi.h"

#include <cstdint>

namespace stowkeep::hatchlink {

inline constexpr std::uint8_t kScsiStatusGood = 0;
inline constexpr std::uint8_t kScsiStatusCheckCondition = 2;

inline constexpr std::uint16_t kTunnelBegin = 0xC0F1;
inline constexpr std::uint16_t kTunnelCommandBytes = 0xC0F0;
inline constexpr std::uint16_t kTunnelFetch = 0xC0F2;
inline constexpr std::uint8_t kTunnelDone = 0x00;
inline constexpr std::uint8_t kTunnelBusy = 0x80;
inline constexpr std::uint32_t kTunnelBusyPauseMs = 100;
inline constexpr std::size_t kTunnelChunkCapacity = 1020;

// Fills a zeroed request for a command that reads `length` bytes into DataBuffer.
void BuildRequest(PassThroughRequest& request, const std::uint8_t* cdb, std::uint8_t cdbLength,
                  std::uint32_t length);

// 0 when the request was not carried; otherwise the request's ScsiStatus and
// DataTransferLength tell the outcome.
int SendDirect(Handle device, PassThroughRequest& request);
int SendThroughHub(Handle hub, PassThroughRequest& request);
// The route that IsAdministrator selects.
int SendCommand(Handle handle, PassThroughRequest& request);

} // namespace stowkeep::hatchlink
