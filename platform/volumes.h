#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The volume side of the main program's OS seam: volume and mount-point
// enumeration, volume devices and their control codes, drive types. Each call
// keeps the meaning of the Win32 function it stands for.
namespace stowkeep::platform {

inline constexpr std::uint32_t kIoctlStorageQueryProperty = 0x002D1400;
inline constexpr std::uint32_t kIoctlVolumeGetVolumeDiskExtents = 0x00560000;

inline constexpr std::uint8_t kBusType1394 = 4;
inline constexpr std::uint8_t kBusTypeAta = 3;
inline constexpr std::uint8_t kBusTypeUsb = 7;
inline constexpr std::uint8_t kBusTypeSata = 11;

// Where the answers keep what is read from them, as byte offsets; the Win32
// side checks each against the system's own structure.
inline constexpr std::size_t kPropertyQuerySize = 12;             // STORAGE_PROPERTY_QUERY
inline constexpr std::size_t kDescriptorSizeField = 4;            // STORAGE_DEVICE_DESCRIPTOR
inline constexpr std::size_t kDescriptorVendorIdOffsetField = 12; //   .VendorIdOffset
inline constexpr std::size_t kDescriptorBusTypeField = 28;        //   .BusType
inline constexpr std::size_t kFirstDiskExtent = 8;                // VOLUME_DISK_EXTENTS.Extents
inline constexpr std::size_t kExtentStartingOffsetField = 8;      // DISK_EXTENT.StartingOffset
inline constexpr std::size_t kExtentLengthField = 16;             // DISK_EXTENT.ExtentLength

inline constexpr unsigned kDriveNoRootDir = 1;
inline constexpr unsigned kDriveRemovable = 2;
inline constexpr unsigned kDriveFixed = 3;

// Names, mount points and paths are taken with buffers of this many characters.
inline constexpr std::size_t kVolumeNameCapacity = 260;

enum class VolumeAccess {
    QueryOnly, // desired access 0
    ReadWrite, // GENERIC_READ | GENERIC_WRITE, granted only to an elevated process
};

// An open volume device (CreateFileW with share mode read and write,
// OPEN_EXISTING). Destruction closes the handle.
class VolumeDevice {
  public:
    virtual ~VolumeDevice() = default;
    // DeviceIoControl: false when the call fails.
    virtual bool Control(std::uint32_t code, std::span<const std::byte> input,
                         std::span<std::byte> output) = 0;
};

// A running enumeration (volumes or mount points). Destruction closes it.
class NameEnumeration {
  public:
    virtual ~NameEnumeration() = default;
    // The next name; false at the end or on failure.
    virtual bool Next(std::wstring& name) = 0;
};

// GetVolumePathNamesForVolumeNameW: volume name, buffer (may be null), its
// capacity in characters, where to store the length (may be null).
using VolumePathNamesFunction = std::function<bool(const std::wstring& volumeName, wchar_t* buffer,
                                                   std::uint32_t capacity, std::uint32_t* length)>;

class VolumeSystem {
  public:
    virtual ~VolumeSystem() = default;

    // FindFirstVolumeW: null on failure, else the enumeration and its first name.
    virtual std::unique_ptr<NameEnumeration> FirstVolume(std::wstring& name) = 0;
    // FindFirstVolumeMountPointW on a volume name with trailing backslash.
    virtual std::unique_ptr<NameEnumeration> FirstVolumeMountPoint(const std::wstring& volume,
                                                                   std::wstring& mountPoint) = 0;
    // CreateFileW on a device path such as \\?\Volume{...} or \\.\E:; null on failure.
    virtual std::unique_ptr<VolumeDevice> OpenVolume(const std::wstring& path,
                                                     VolumeAccess access) = 0;

    // GetVolumePathNamesForVolumeNameW when the kernel library exports it; empty otherwise.
    virtual VolumePathNamesFunction SystemVolumePathNames() = 0;
    // GetLogicalDriveStringsW, as a list of roots such as C:\.
    virtual std::vector<std::wstring> LogicalDriveStrings() = 0;
    // GetVolumeNameForVolumeMountPointW: false on failure.
    virtual bool VolumeNameForMountPoint(const std::wstring& mountPoint,
                                         std::wstring& volumeName) = 0;
    // CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, ...) == CSTR_EQUAL.
    virtual bool NamesEqualIgnoringCase(const std::wstring& a, const std::wstring& b) = 0;
    // GetDriveTypeW.
    virtual unsigned DriveType(const std::wstring& rootPath) = 0;
    // 8-bit text in the system code page to UTF-16.
    virtual std::wstring FromSystemCodePage(std::string_view text) = 0;
};

} // namespace stowkeep::platform
