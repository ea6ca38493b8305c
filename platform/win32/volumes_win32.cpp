#include "platform/win32/volumes_win32.h"

#include "platform/win32/owned_handle.h"

#include <array>
#include <cstddef>
#include <winioctl.h>

namespace stowkeep::platform {
namespace {

// The offsets that the drive list reads the system's answers at.
static_assert(kPropertyQuerySize == sizeof(STORAGE_PROPERTY_QUERY));
static_assert(offsetof(STORAGE_PROPERTY_QUERY, PropertyId) == 0 &&
              offsetof(STORAGE_PROPERTY_QUERY, QueryType) == 4);
static_assert(StorageDeviceProperty == 0 && PropertyStandardQuery == 0);
static_assert(kDescriptorSizeField == offsetof(STORAGE_DEVICE_DESCRIPTOR, Size));
static_assert(kDescriptorVendorIdOffsetField ==
              offsetof(STORAGE_DEVICE_DESCRIPTOR, VendorIdOffset));
static_assert(kDescriptorBusTypeField == offsetof(STORAGE_DEVICE_DESCRIPTOR, BusType));
static_assert(sizeof(STORAGE_BUS_TYPE) == 4);
static_assert(kBusTypeUsb == BusTypeUsb && kBusType1394 == BusType1394 &&
              kBusTypeAta == BusTypeAta && kBusTypeSata == BusTypeSata);
static_assert(kFirstDiskExtent == offsetof(VOLUME_DISK_EXTENTS, Extents));
static_assert(offsetof(DISK_EXTENT, DiskNumber) == 0);
static_assert(kExtentStartingOffsetField == offsetof(DISK_EXTENT, StartingOffset));
static_assert(kExtentLengthField == offsetof(DISK_EXTENT, ExtentLength));
static_assert(kIoctlStorageQueryProperty == IOCTL_STORAGE_QUERY_PROPERTY);
static_assert(kIoctlVolumeGetVolumeDiskExtents == IOCTL_VOLUME_GET_VOLUME_DISK_EXTENTS);

struct VolumeFindTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle handle) { ::FindVolumeClose(handle); }
};

struct MountPointFindTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle handle) { ::FindVolumeMountPointClose(handle); }
};

using NameBuffer = std::array<wchar_t, kVolumeNameCapacity>;
using FindNext = BOOL(WINAPI*)(HANDLE, LPWSTR, DWORD);

template <typename Traits> class Win32Names final : public NameEnumeration {
  public:
    Win32Names(HANDLE handle, FindNext next) : handle_(handle), next_(next) {}

    bool Next(std::wstring& name) override {
        NameBuffer buffer{};
        if (!next_(handle_.Get(), buffer.data(), static_cast<DWORD>(buffer.size()))) {
            return false;
        }
        name = buffer.data();
        return true;
    }

  private:
    win32::Owned<Traits> handle_;
    FindNext next_;
};

class Win32Device final : public VolumeDevice {
  public:
    explicit Win32Device(HANDLE handle) : handle_(handle) {}

    bool Control(std::uint32_t code, std::span<const std::byte> input,
                 std::span<std::byte> output) override {
        DWORD returned = 0;
        void* in = input.empty() ? nullptr : const_cast<std::byte*>(input.data());
        void* out = output.empty() ? nullptr : output.data();
        return ::DeviceIoControl(handle_.Get(), code, in, static_cast<DWORD>(input.size()), out,
                                 static_cast<DWORD>(output.size()), &returned, nullptr) != FALSE;
    }

  private:
    win32::OwnedFileHandle handle_;
};

using PathNamesProc = BOOL(WINAPI*)(LPCWSTR, LPWCH, DWORD, PDWORD);

} // namespace

std::unique_ptr<NameEnumeration> Win32Volumes::FirstVolume(std::wstring& name) {
    NameBuffer buffer{};
    HANDLE handle = ::FindFirstVolumeW(buffer.data(), static_cast<DWORD>(buffer.size()));
    if (handle == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    name = buffer.data();
    return std::make_unique<Win32Names<VolumeFindTraits>>(handle, &::FindNextVolumeW);
}

std::unique_ptr<NameEnumeration> Win32Volumes::FirstVolumeMountPoint(const std::wstring& volume,
                                                                     std::wstring& mountPoint) {
    NameBuffer buffer{};
    HANDLE handle = ::FindFirstVolumeMountPointW(volume.c_str(), buffer.data(),
                                                 static_cast<DWORD>(buffer.size()));
    if (handle == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    mountPoint = buffer.data();
    return std::make_unique<Win32Names<MountPointFindTraits>>(handle, &::FindNextVolumeMountPointW);
}

std::unique_ptr<VolumeDevice> Win32Volumes::OpenVolume(const std::wstring& path,
                                                       VolumeAccess access) {
    const DWORD desired = access == VolumeAccess::ReadWrite ? GENERIC_READ | GENERIC_WRITE : 0;
    HANDLE handle = ::CreateFileW(path.c_str(), desired, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    return std::make_unique<Win32Device>(handle);
}

VolumePathNamesFunction Win32Volumes::SystemVolumePathNames() {
    HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
    FARPROC found =
        kernel == nullptr ? nullptr : ::GetProcAddress(kernel, "GetVolumePathNamesForVolumeNameW");
    if (found == nullptr) {
        return {};
    }
    const auto proc = reinterpret_cast<PathNamesProc>(reinterpret_cast<void (*)()>(found));
    return [proc](const std::wstring& volume, wchar_t* buffer, std::uint32_t capacity,
                  std::uint32_t* length) {
        DWORD returned = length == nullptr ? 0 : *length;
        const bool ok = proc(volume.c_str(), buffer, capacity, &returned) != FALSE;
        if (length != nullptr) {
            *length = returned;
        }
        return ok;
    };
}

std::vector<std::wstring> Win32Volumes::LogicalDriveStrings() {
    const DWORD needed = ::GetLogicalDriveStringsW(0, nullptr);
    std::vector<wchar_t> buffer(needed + 1, L'\0');
    const DWORD written =
        ::GetLogicalDriveStringsW(static_cast<DWORD>(buffer.size()), buffer.data());
    std::vector<std::wstring> roots;
    for (DWORD at = 0; at < written && buffer[at] != L'\0';) {
        roots.emplace_back(buffer.data() + at);
        at += static_cast<DWORD>(roots.back().size()) + 1;
    }
    return roots;
}

bool Win32Volumes::VolumeNameForMountPoint(const std::wstring& mountPoint,
                                           std::wstring& volumeName) {
    NameBuffer buffer{};
    if (!::GetVolumeNameForVolumeMountPointW(mountPoint.c_str(), buffer.data(),
                                             static_cast<DWORD>(buffer.size()))) {
        return false;
    }
    volumeName = buffer.data();
    return true;
}

bool Win32Volumes::NamesEqualIgnoringCase(const std::wstring& a, const std::wstring& b) {
    return ::CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(),
                            static_cast<int>(a.size()), b.c_str(),
                            static_cast<int>(b.size())) == CSTR_EQUAL;
}

unsigned Win32Volumes::DriveType(const std::wstring& rootPath) {
    return ::GetDriveTypeW(rootPath.c_str());
}

std::wstring Win32Volumes::FromSystemCodePage(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int needed = ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(needed > 0 ? needed : 0), L'\0');
    if (needed > 0) {
        ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), needed);
    }
    return wide;
}

} // namespace stowkeep::platform
