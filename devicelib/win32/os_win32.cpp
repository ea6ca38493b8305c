// The device library's platform table on Windows: each entry calls the Win32
// function of the same name.

#include "devicelib/device_abi.h"
#include "devicelib/os_table.h"

#include <windows.h>
// The Windows headers below rely on windows.h coming first.
#include <cfgmgr32.h>
#include <cstddef>
#include <ntddscsi.h>
#include <process.h>
#include <setupapi.h>
#include <shlobj.h>
#include <usbioctl.h>
#include <winioctl.h>

namespace stowkeep::hatchlink {
namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t));
static_assert(sizeof(Guid) == sizeof(GUID));
static_assert(sizeof(DevInfoData) == sizeof(SP_DEVINFO_DATA));
static_assert(offsetof(DevInfoData, devInst) == offsetof(SP_DEVINFO_DATA, DevInst));
static_assert(sizeof(DeviceInterfaceData) == sizeof(SP_DEVICE_INTERFACE_DATA));
static_assert(offsetof(DeviceInterfaceData, reserved) ==
              offsetof(SP_DEVICE_INTERFACE_DATA, Reserved));
static_assert(sizeof(DeviceInterfaceDetail) == sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W));
static_assert(kDetailPathOffset == offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_W, DevicePath));
static_assert(sizeof(ScsiPassThroughDirect) == sizeof(SCSI_PASS_THROUGH_DIRECT));
static_assert(offsetof(ScsiPassThroughDirect, dataTransferLength) ==
              offsetof(SCSI_PASS_THROUGH_DIRECT, DataTransferLength));
static_assert(offsetof(ScsiPassThroughDirect, dataBuffer) ==
              offsetof(SCSI_PASS_THROUGH_DIRECT, DataBuffer));
static_assert(offsetof(ScsiPassThroughDirect, senseInfoOffset) ==
              offsetof(SCSI_PASS_THROUGH_DIRECT, SenseInfoOffset));
static_assert(offsetof(ScsiPassThroughDirect, cdb) == offsetof(SCSI_PASS_THROUGH_DIRECT, Cdb));
static_assert(sizeof(UsbDescriptorRequest) == offsetof(USB_DESCRIPTOR_REQUEST, Data) + 1024);
static_assert(offsetof(UsbDescriptorRequest, wValue) ==
              offsetof(USB_DESCRIPTOR_REQUEST, SetupPacket.wValue));
static_assert(offsetof(UsbDescriptorRequest, data) == offsetof(USB_DESCRIPTOR_REQUEST, Data));
static_assert(kNodeInformationSize == sizeof(USB_NODE_INFORMATION));
static_assert(kNodePortCountOffset ==
              offsetof(USB_NODE_INFORMATION, u.HubInformation.HubDescriptor.bNumberOfPorts));
static_assert(kConnectionInfoSize ==
              sizeof(USB_NODE_CONNECTION_INFORMATION_EX) + 30 * sizeof(USB_PIPE_INFO));
static_assert(kConnectionIdVendorOffset ==
              offsetof(USB_NODE_CONNECTION_INFORMATION_EX, DeviceDescriptor.idVendor));
static_assert(kConnectionIdProductOffset ==
              offsetof(USB_NODE_CONNECTION_INFORMATION_EX, DeviceDescriptor.idProduct));
static_assert(kConnectionStatusOffset ==
              offsetof(USB_NODE_CONNECTION_INFORMATION_EX, ConnectionStatus));
static_assert(kDeviceConnected == DeviceConnected);
static_assert(sizeof(StorageDeviceNumber) == sizeof(STORAGE_DEVICE_NUMBER));
static_assert(offsetof(StorageDeviceNumber, deviceType) ==
                  offsetof(STORAGE_DEVICE_NUMBER, DeviceType) &&
              offsetof(StorageDeviceNumber, deviceNumber) ==
                  offsetof(STORAGE_DEVICE_NUMBER, DeviceNumber) &&
              offsetof(StorageDeviceNumber, partitionNumber) ==
                  offsetof(STORAGE_DEVICE_NUMBER, PartitionNumber));
static_assert(kFileDeviceCdrom == FILE_DEVICE_CD_ROM && kFileDeviceDisk == FILE_DEVICE_DISK);
static_assert(offsetof(Guid, data2) == offsetof(GUID, Data2) &&
              offsetof(Guid, data3) == offsetof(GUID, Data3) &&
              offsetof(Guid, data4) == offsetof(GUID, Data4));
static_assert(offsetof(DevInfoData, classGuid) == offsetof(SP_DEVINFO_DATA, ClassGuid) &&
              offsetof(DevInfoData, reserved) == offsetof(SP_DEVINFO_DATA, Reserved));
static_assert(offsetof(DeviceInterfaceData, interfaceClassGuid) ==
                  offsetof(SP_DEVICE_INTERFACE_DATA, InterfaceClassGuid) &&
              offsetof(DeviceInterfaceData, flags) == offsetof(SP_DEVICE_INTERFACE_DATA, Flags));
static_assert(
    offsetof(ScsiPassThroughDirect, length) == offsetof(SCSI_PASS_THROUGH_DIRECT, Length) &&
    offsetof(ScsiPassThroughDirect, scsiStatus) == offsetof(SCSI_PASS_THROUGH_DIRECT, ScsiStatus) &&
    offsetof(ScsiPassThroughDirect, pathId) == offsetof(SCSI_PASS_THROUGH_DIRECT, PathId) &&
    offsetof(ScsiPassThroughDirect, targetId) == offsetof(SCSI_PASS_THROUGH_DIRECT, TargetId) &&
    offsetof(ScsiPassThroughDirect, lun) == offsetof(SCSI_PASS_THROUGH_DIRECT, Lun) &&
    offsetof(ScsiPassThroughDirect, cdbLength) == offsetof(SCSI_PASS_THROUGH_DIRECT, CdbLength) &&
    offsetof(ScsiPassThroughDirect, senseInfoLength) ==
        offsetof(SCSI_PASS_THROUGH_DIRECT, SenseInfoLength) &&
    offsetof(ScsiPassThroughDirect, dataIn) == offsetof(SCSI_PASS_THROUGH_DIRECT, DataIn) &&
    offsetof(ScsiPassThroughDirect, timeOutValue) ==
        offsetof(SCSI_PASS_THROUGH_DIRECT, TimeOutValue));
static_assert(SCSI_IOCTL_DATA_IN == 1);
static_assert(offsetof(UsbDescriptorRequest, connectionIndex) ==
                  offsetof(USB_DESCRIPTOR_REQUEST, ConnectionIndex) &&
              offsetof(UsbDescriptorRequest, bmRequest) ==
                  offsetof(USB_DESCRIPTOR_REQUEST, SetupPacket.bmRequest) &&
              offsetof(UsbDescriptorRequest, bRequest) ==
                  offsetof(USB_DESCRIPTOR_REQUEST, SetupPacket.bRequest) &&
              offsetof(UsbDescriptorRequest, wIndex) ==
                  offsetof(USB_DESCRIPTOR_REQUEST, SetupPacket.wIndex) &&
              offsetof(UsbDescriptorRequest, wLength) ==
                  offsetof(USB_DESCRIPTOR_REQUEST, SetupPacket.wLength));
static_assert(kIoctlScsiPassThroughDirect == IOCTL_SCSI_PASS_THROUGH_DIRECT);
static_assert(kIoctlUsbGetNodeInformation == IOCTL_USB_GET_NODE_INFORMATION);
static_assert(kIoctlUsbGetNodeConnectionInformationEx ==
              IOCTL_USB_GET_NODE_CONNECTION_INFORMATION_EX);
static_assert(kIoctlUsbGetDescriptorFromNodeConnection ==
              IOCTL_USB_GET_DESCRIPTOR_FROM_NODE_CONNECTION);
static_assert(kIoctlStorageGetDeviceNumber == IOCTL_STORAGE_GET_DEVICE_NUMBER);
static_assert(kFsctlLockVolume == FSCTL_LOCK_VOLUME);
static_assert(kDigcfPresent == DIGCF_PRESENT && kDigcfAllClasses == DIGCF_ALLCLASSES &&
              kDigcfDeviceInterface == DIGCF_DEVICEINTERFACE);
static_assert(kGenericRead == GENERIC_READ && kGenericWrite == GENERIC_WRITE);
static_assert(kFileShareRead == FILE_SHARE_READ && kFileShareWrite == FILE_SHARE_WRITE);
static_assert(kOpenExisting == OPEN_EXISTING);
static_assert(kLocaleSystemDefault == LOCALE_SYSTEM_DEFAULT && kNormIgnoreCase == NORM_IGNORECASE &&
              kCstrEqual == CSTR_EQUAL);
static_assert(kDriveNoRootDir == DRIVE_NO_ROOT_DIR && kDriveRemovable == DRIVE_REMOVABLE &&
              kDriveFixed == DRIVE_FIXED && kDriveRemote == DRIVE_REMOTE &&
              kDriveCdrom == DRIVE_CDROM);
static_assert(kCrSuccess == CR_SUCCESS);

const GUID* AsGuid(const Guid* g) {
    return reinterpret_cast<const GUID*>(g);
}
const wchar_t* W(const char16_t* s) {
    return reinterpret_cast<const wchar_t*>(s);
}
wchar_t* W(char16_t* s) {
    return reinterpret_cast<wchar_t*>(s);
}
HANDLE H(Handle h) {
    return reinterpret_cast<HANDLE>(h);
}
Handle FromHandle(HANDLE h) {
    return reinterpret_cast<Handle>(h);
}

Handle GetClassDevs(const Guid* classGuid, const char16_t* enumerator, std::uint32_t flags) {
    return FromHandle(SetupDiGetClassDevsW(AsGuid(classGuid), W(enumerator), nullptr, flags));
}

int EnumDeviceInfo(Handle set, std::uint32_t index, DevInfoData* data) {
    return SetupDiEnumDeviceInfo(H(set), index, reinterpret_cast<SP_DEVINFO_DATA*>(data));
}

int EnumDeviceInterfaces(Handle set, const Guid* interfaceClass, std::uint32_t index,
                         DeviceInterfaceData* data) {
    return SetupDiEnumDeviceInterfaces(H(set), nullptr, AsGuid(interfaceClass), index,
                                       reinterpret_cast<SP_DEVICE_INTERFACE_DATA*>(data));
}

int GetInterfaceDetail(Handle set, DeviceInterfaceData* data, DeviceInterfaceDetail* detail,
                       std::uint32_t size, DevInfoData* device) {
    return SetupDiGetDeviceInterfaceDetailW(
        H(set), reinterpret_cast<SP_DEVICE_INTERFACE_DATA*>(data),
        reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(detail), size, nullptr,
        reinterpret_cast<SP_DEVINFO_DATA*>(device));
}

int DestroyDeviceInfoList(Handle set) {
    return SetupDiDestroyDeviceInfoList(H(set));
}

ConfigRet GetDeviceId(DevInst device, char16_t* buffer, std::uint32_t length, std::uint32_t flags) {
    return CM_Get_Device_IDW(device, W(buffer), length, flags);
}

ConfigRet GetParent(DevInst* parent, DevInst device, std::uint32_t flags) {
    DEVINST p = 0;
    const CONFIGRET r = CM_Get_Parent(&p, device, flags);
    *parent = p;
    return r;
}

ConfigRet RequestEject(DevInst device, std::int32_t* vetoType, char16_t* vetoName,
                       std::uint32_t nameLength, std::uint32_t flags) {
    PNP_VETO_TYPE veto = PNP_VetoTypeUnknown;
    const CONFIGRET r = CM_Request_Device_EjectW(device, &veto, W(vetoName), nameLength, flags);
    *vetoType = static_cast<std::int32_t>(veto);
    return r;
}

int CompareText(std::uint32_t locale, std::uint32_t flags, const char16_t* a, int aLength,
                const char16_t* b, int bLength) {
    return CompareStringW(locale, flags, W(a), aLength, W(b), bLength);
}

Handle OpenFile(const char16_t* name, std::uint32_t access, std::uint32_t share,
                std::uint32_t disposition, std::uint32_t attributes) {
    return FromHandle(
        CreateFileW(W(name), access, share, nullptr, disposition, attributes, nullptr));
}

int IoControl(Handle device, std::uint32_t code, void* in, std::uint32_t inSize, void* out,
              std::uint32_t outSize, std::uint32_t* returned) {
    DWORD n = 0;
    const BOOL ok = DeviceIoControl(H(device), code, in, inSize, out, outSize, &n, nullptr);
    *returned = n;
    return ok;
}

int Close(Handle h) {
    return CloseHandle(H(h));
}
std::uint32_t LogicalDrives() {
    return GetLogicalDrives();
}
std::uint32_t DriveType(const char16_t* root) {
    return GetDriveTypeW(W(root));
}

std::uint32_t DosDevice(const char16_t* name, char16_t* target, std::uint32_t length) {
    return QueryDosDeviceW(W(name), W(target), length);
}

int UserIsAdmin() {
    return IsUserAnAdmin();
}
void Pause(std::uint32_t milliseconds) {
    ::Sleep(milliseconds);
}

struct ThreadStart {
    ThreadProc procedure;
    void* argument;
};

unsigned __stdcall ThreadEntry(void* start) {
    const ThreadStart s = *static_cast<ThreadStart*>(start);
    delete static_cast<ThreadStart*>(start);
    return s.procedure(s.argument);
}

Handle StartThread(ThreadProc procedure, void* argument) {
    auto* start = new ThreadStart{procedure, argument};
    const uintptr_t thread = _beginthreadex(nullptr, 0, ThreadEntry, start, 0, nullptr);
    if (thread == 0)
        delete start;
    return thread;
}

std::uint32_t WaitThread(Handle thread) {
    return WaitForSingleObject(H(thread), INFINITE);
}

} // namespace

const OsTable& PlatformOsTable() {
    static const OsTable table{
        GetClassDevs,
        EnumDeviceInfo,
        EnumDeviceInterfaces,
        GetInterfaceDetail,
        DestroyDeviceInfoList,
        GetDeviceId,
        GetParent,
        RequestEject,
        CompareText,
        OpenFile,
        IoControl,
        Close,
        LogicalDrives,
        DriveType,
        DosDevice,
        UserIsAdmin,
        Pause,
        StartThread,
        WaitThread,
    };
    return table;
}

} // namespace stowkeep::hatchlink
