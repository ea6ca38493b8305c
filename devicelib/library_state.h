#pragma once
// The device library keeps all of its state in fixed static storage: nothing is
// allocated while it polls.

#include "devicelib/device_abi.h"

#include <atomic>
#include <cstdint>
#include <mutex>

namespace stowkeep::hatchlink {

inline constexpr std::size_t kMaxEnclosures = 99;
inline constexpr std::size_t kMaxSlots = 10;
inline constexpr std::size_t kMaxLetters = 32;
inline constexpr std::size_t kPathUnits = 512;
inline constexpr std::size_t kSlotHeaderSize = 7;
inline constexpr std::size_t kSlotRecordSize = 27;
inline constexpr std::uint8_t kNoSlotList = 0xFF;
inline constexpr std::uint8_t kSlotUntied = 0xFF;
inline constexpr std::size_t kSlotLunFlagByte = 11;
inline constexpr std::size_t kSlotClassByte = 12;
inline constexpr std::uint8_t kSlotClassCdrom = 2;
inline constexpr std::uint8_t kSlotClassDisk = 0;

struct EnclosureRecord {
    DevInst usbDevInst;
    DevInst hubDevInst;
    std::uint32_t hubPort;
    char16_t hubPath[kPathUnits];
    std::uint32_t vendorId;
    std::uint32_t productId;
    std::uint32_t unitCount;
    char16_t unitPaths[kMaxSlots][kPathUnits];
    std::uint8_t slotHeader[kSlotHeaderSize];
    std::uint8_t slots[kMaxSlots][kSlotRecordSize];
    std::uint32_t deviceNumbers[kMaxSlots];
    char16_t letters[kMaxSlots][kMaxLetters];
    std::uint32_t letterCounts[kMaxSlots];
    // Bit s: a unit is tied to slot s and its device number was read. Only such
    // slots collect drive letters; an untied slot or an unknown number would
    // otherwise match the volumes of unrelated disk 0.
    std::uint32_t numberedSlots;
};

struct EnclosureTableData {
    std::uint32_t count;
    EnclosureRecord records[kMaxEnclosures];
};

// Working buffers of discovery.
struct DiscoveryScratch {
    char16_t deviceId[kPathUnits];
    char16_t dosTarget[260];
    alignas(8) std::uint8_t detail[1030];
};

inline constexpr std::size_t kDataBufferSize = 4096;
// A direct pass-through's data buffer must meet the adapter's AlignmentMask;
// a page meets that of every adapter.
inline constexpr std::size_t kDataBufferAlignment = 4096;

extern EnclosureTableData EnclosureTable;
extern DiscoveryScratch Scratch;
alignas(kDataBufferAlignment) extern std::uint8_t DataBuffer[kDataBufferSize];
extern std::uint32_t CurrentHubPort;

extern std::atomic<std::int32_t> ButtonCode;
extern std::atomic<std::int32_t> StopRequested;
extern Handle PollThreadHandle;
extern Handle CommandHandle;
extern std::int32_t IsAdministrator;
extern std::uint32_t CommandTimeoutSeconds;
extern std::uint32_t StateReportLimitMs;
extern std::uint32_t HoldReportMs;

// Held for a whole poll cycle and for the whole of SafelyRemove.
std::mutex& LibraryLock();

} // namespace stowkeep::hatchlink
