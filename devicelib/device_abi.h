#pragma once
// Layouts, control codes and constants of the Windows interfaces that the device
// library talks to, written with fixed-size types so the portable code needs no
// Windows headers. The Win32 side checks every layout against the real one.

#include <cstddef>
#include <cstdint>

namespace stowkeep::hatchlink {

using Handle = std::uintptr_t;
inline constexpr Handle kInvalidHandle = ~Handle{0};
using DevInst = std::uint32_t;
using ConfigRet = std::uint32_t;
inline constexpr ConfigRet kCrSuccess = 0;

struct Guid {
    std::uint32_t data1;
    std::uint16_t data2;
    std::uint16_t data3;
    std::uint8_t data4[8];
};

inline constexpr Guid kGuidUsbHub{
    0xF18A0E88, 0xC30C, 0x11D0, {0x88, 0x15, 0x00, 0xA0, 0xC9, 0x06, 0xBE, 0xD8}};
inline constexpr Guid kGuidCdrom{
    0x53F56308, 0xB6BF, 0x11D0, {0x94, 0xF2, 0x00, 0xA0, 0xC9, 0x1E, 0xFB, 0x8B}};
inline constexpr Guid kGuidDisk{
    0x53F56307, 0xB6BF, 0x11D0, {0x94, 0xF2, 0x00, 0xA0, 0xC9, 0x1E, 0xFB, 0x8B}};

constexpr bool SameGuid(const Guid& a, const Guid& b) {
    if (a.data1 != b.data1 || a.data2 != b.data2 || a.data3 != b.data3)
        return false;
    for (int i = 0; i < 8; ++i)
        if (a.data4[i] != b.data4[i])
            return false;
    return true;
}

// SP_DEVINFO_DATA
struct DevInfoData {
    std::uint32_t cbSize;
    Guid classGuid;
    DevInst devInst;
    std::uintptr_t reserved;
};

// SP_DEVICE_INTERFACE_DATA
struct DeviceInterfaceData {
    std::uint32_t cbSize;
    Guid interfaceClassGuid;
    std::uint32_t flags;
    std::uintptr_t reserved;
};

// SP_DEVICE_INTERFACE_DETAIL_DATA_W; the path runs on past the declared element.
struct DeviceInterfaceDetail {
    std::uint32_t cbSize;
    char16_t devicePath[1];
};
inline constexpr std::size_t kDetailPathOffset = offsetof(DeviceInterfaceDetail, devicePath);

// SCSI_PASS_THROUGH_DIRECT
struct ScsiPassThroughDirect {
    std::uint16_t length;
    std::uint8_t scsiStatus;
    std::uint8_t pathId;
    std::uint8_t targetId;
    std::uint8_t lun;
    std::uint8_t cdbLength;
    std::uint8_t senseInfoLength;
    std::uint8_t dataIn;
    std::uint32_t dataTransferLength;
    std::uint32_t timeOutValue;
    void* dataBuffer;
    std::uint32_t senseInfoOffset;
    std::uint8_t cdb[16];
};

// The request as the library sends it: the header, four zero bytes, the sense area.
struct PassThroughRequest {
    ScsiPassThroughDirect sptd;
    std::uint32_t filler;
    std::uint8_t sense[32];
};

// USB_DESCRIPTOR_REQUEST (byte-packed in the Windows headers; naturally aligned here too).
struct UsbDescriptorRequest {
    std::uint32_t connectionIndex;
    std::uint8_t bmRequest;
    std::uint8_t bRequest;
    std::uint16_t wValue;
    std::uint16_t wIndex;
    std::uint16_t wLength;
    std::uint8_t data[1024];
};

// USB_NODE_INFORMATION and USB_NODE_CONNECTION_INFORMATION_EX with 30 pipe entries,
// read as byte-packed buffers at these offsets.
inline constexpr std::size_t kNodeInformationSize = 76;
inline constexpr std::size_t kNodePortCountOffset = 6;
inline constexpr std::size_t kConnectionInfoSize = 365;
inline constexpr std::size_t kConnectionIdVendorOffset = 12;
inline constexpr std::size_t kConnectionIdProductOffset = 14;
inline constexpr std::size_t kConnectionStatusOffset = 31;
inline constexpr std::uint32_t kDeviceConnected = 1;

// STORAGE_DEVICE_NUMBER
struct StorageDeviceNumber {
    std::uint32_t deviceType;
    std::uint32_t deviceNumber;
    std::uint32_t partitionNumber;
};
inline constexpr std::uint32_t kFileDeviceCdrom = 0x02;
inline constexpr std::uint32_t kFileDeviceDisk = 0x07;

inline constexpr std::uint32_t kIoctlScsiPassThroughDirect = 0x4D014;
inline constexpr std::uint32_t kIoctlUsbGetNodeInformation = 0x220408;
inline constexpr std::uint32_t kIoctlUsbGetNodeConnectionInformationEx = 0x220448;
inline constexpr std::uint32_t kIoctlUsbGetDescriptorFromNodeConnection = 0x220410;
inline constexpr std::uint32_t kIoctlStorageGetDeviceNumber = 0x2D1080;
inline constexpr std::uint32_t kFsctlLockVolume = 0x90018;

inline constexpr std::uint32_t kDigcfPresent = 0x02;
inline constexpr std::uint32_t kDigcfAllClasses = 0x04;
inline constexpr std::uint32_t kDigcfDeviceInterface = 0x10;

inline constexpr std::uint32_t kGenericRead = 0x80000000u;
inline constexpr std::uint32_t kGenericWrite = 0x40000000u;
inline constexpr std::uint32_t kFileShareRead = 0x1;
inline constexpr std::uint32_t kFileShareWrite = 0x2;
inline constexpr std::uint32_t kOpenExisting = 3;

inline constexpr std::uint32_t kLocaleSystemDefault = 0x0800;
inline constexpr std::uint32_t kNormIgnoreCase = 0x1;
inline constexpr int kCstrEqual = 2;

inline constexpr std::uint32_t kDriveNoRootDir = 1;
inline constexpr std::uint32_t kDriveRemovable = 2;
inline constexpr std::uint32_t kDriveFixed = 3;
inline constexpr std::uint32_t kDriveRemote = 4;
inline constexpr std::uint32_t kDriveCdrom = 5;

} // namespace stowkeep::hatchlink
