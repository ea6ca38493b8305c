#pragma once
// The checks that Windows makes on device handles and requests, which Wine does
// not: the access that a control code demands of its handle, the share modes
// of two opens of one volume, and the fields of a SCSI pass-through.

#include "devicelib/device_abi.h"

#include <cstdint>

namespace stowkeep::sim {

// The values GetLastError gives for the refusals modelled here.
inline constexpr std::uint32_t kErrorInvalidFunction = 1;
inline constexpr std::uint32_t kErrorFileNotFound = 2;
inline constexpr std::uint32_t kErrorAccessDenied = 5;
inline constexpr std::uint32_t kErrorSharingViolation = 32;
inline constexpr std::uint32_t kErrorInvalidParameter = 87;
inline constexpr std::uint32_t kErrorDeviceNotConnected = 1167;
inline constexpr std::uint32_t kErrorRevisionMismatch = 1306;

// The I/O manager refuses a control code whose access bits (14 and 15: read,
// write) ask for more than the handle was opened with.
bool ControlCodeAccessGranted(std::uint32_t code, std::uint32_t handleAccess);

// A handle that can read or write the data of what it names. A volume handle
// without either is for queries only and cannot lock the volume.
bool HasDataAccess(std::uint32_t access);

// Two opens of one file-system object conflict when either asks for reading or
// writing that the other does not share. Opens without data access never do.
bool SharesConflict(std::uint32_t access, std::uint32_t share, std::uint32_t otherAccess,
                    std::uint32_t otherShare);

// 0 when the storage port accepts the pass-through request; otherwise the error
// it is refused with. outSize is the size of the output buffer.
std::uint32_t PassThroughError(const hatchlink::ScsiPassThroughDirect& request,
                               std::uint32_t outSize, std::uintptr_t alignmentMask);

} // namespace stowkeep::sim
