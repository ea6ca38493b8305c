#pragma once
// Every platform call of the device library goes through this one table, so the
// shipped library calls Windows and a test can put a simulated machine (or one
// faulty call) in place of any entry.

#include "devicelib/device_abi.h"

#include <cstdint>

namespace stowkeep::hatchlink {

using ThreadProc = unsigned (*)(void* argument);

struct OsTable {
    Handle (*SetupDiGetClassDevsW)(const Guid* classGuid, const char16_t* enumerator,
                                   std::uint32_t flags);
    int (*SetupDiEnumDeviceInfo)(Handle set, std::uint32_t index, DevInfoData* data);
    int (*SetupDiEnumDeviceInterfaces)(Handle set, const Guid* interfaceClass, std::uint32_t index,
                                       DeviceInterfaceData* data);
    int (*SetupDiGetDeviceInterfaceDetailW)(Handle set, DeviceInterfaceData* data,
                                            DeviceInterfaceDetail* detail, std::uint32_t size,
                                            DevInfoData* device);
    int (*SetupDiDestroyDeviceInfoList)(Handle set);
    ConfigRet (*CM_Get_Device_IDW)(DevInst device, char16_t* buffer, std::uint32_t length,
                                   std::uint32_t flags);
    ConfigRet (*CM_Get_Parent)(DevInst* parent, DevInst device, std::uint32_t flags);
    ConfigRet (*CM_Request_Device_EjectW)(DevInst device, std::int32_t* vetoType,
                                          char16_t* vetoName, std::uint32_t nameLength,
                                          std::uint32_t flags);
    int (*CompareStringW)(std::uint32_t locale, std::uint32_t flags, const char16_t* a, int aLength,
                          const char16_t* b, int bLength);
    Handle (*CreateFileW)(const char16_t* name, std::uint32_t access, std::uint32_t share,
                          std::uint32_t disposition, std::uint32_t attributes);
    int (*DeviceIoControl)(Handle device, std::uint32_t code, void* in, std::uint32_t inSize,
                           void* out, std::uint32_t outSize, std::uint32_t* returned);
    int (*CloseHandle)(Handle handle);
    std::uint32_t (*GetLogicalDrives)();
    std::uint32_t (*GetDriveTypeW)(const char16_t* root);
    std::uint32_t (*QueryDosDeviceW)(const char16_t* name, char16_t* target, std::uint32_t length);
    int (*IsUserAnAdmin)();
    void (*Sleep)(std::uint32_t milliseconds);
    // Starts a thread at once with default security and stack; 0 when it failed.
    Handle (*BeginThread)(ThreadProc procedure, void* argument);
    // Waits without time limit for a thread started by BeginThread to end.
    std::uint32_t (*WaitForThread)(Handle thread);
};

// The table in use. It starts as PlatformOsTable(), the table of the side that is
// linked in (Windows, or the simulated machine).
OsTable& Os();
// Puts the linked side's table back in place of every entry.
void ResetOs();
// Provided by the linked platform side.
const OsTable& PlatformOsTable();

} // namespace stowkeep::hatchlink
