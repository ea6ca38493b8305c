#include "devicelib/hatchlink.h"
#include "devicelib/library_state.h"
#include "devicelib/os_table.h"
#include "devicelib/scoped_handles.h"

namespace stowkeep::hatchlink {
namespace {

constexpr int kEjectAttempts = 3;
constexpr std::uint32_t kEjectPauseMs = 500;

enum class Lock { Taken, Refused, NotOpened };

// Opens the letter's volume, asks for the exclusive lock and lets it go again at once.
Lock TryLock(char16_t letter) {
    const char16_t volume[] = {u'\\', u'\\', u'.', u'\\', letter, u':', 0};
    ScopedFile handle(
        Os().CreateFileW(volume, kGenericRead, kFileShareRead | kFileShareWrite, kOpenExisting, 0));
    if (!handle.Valid())
        return Lock::NotOpened;
    std::uint32_t returned = 0;
    return Os().DeviceIoControl(handle.Get(), kFsctlLockVolume, nullptr, 0, nullptr, 0, &returned)
               ? Lock::Taken
               : Lock::Refused;
}

// Every volume of the enclosure other than its CD-ROM drives can be locked now.
// A volume that refuses is in use, so the enclosure must not be ejected under it.
bool AllVolumesLockable(const EnclosureRecord& record) {
    for (std::uint32_t slot = 0; slot < kMaxSlots; ++slot) {
        const std::uint32_t count =
            record.letterCounts[slot] < kMaxLetters ? record.letterCounts[slot] : kMaxLetters;
        for (std::uint32_t i = 0; i < count; ++i) {
            const char16_t letter = record.letters[slot][i];
            const char16_t drive[] = {letter, u':', 0};
            if (Os().GetDriveTypeW(drive) == kDriveCdrom)
                continue;
            if (TryLock(letter) == Lock::Refused)
                return false;
        }
    }
    return true;
}

// A record that names no device (none was found) fails every attempt without
// asking the system: some systems report device instance 0 as ejected.
bool EjectAttempt(DevInst device) {
    if (device == 0)
        return false;
    std::int32_t vetoType = 0;
    char16_t vetoName[260] = {};
    return Os().CM_Request_Device_EjectW(device, &vetoType, vetoName, 260, 0) == kCrSuccess;
}

bool RequestEject(DevInst device) {
    for (int attempt = 0; attempt < kEjectAttempts; ++attempt) {
        if (EjectAttempt(device))
            return true;
        Os().Sleep(kEjectPauseMs);
    }
    return false;
}

} // namespace
} // namespace stowkeep::hatchlink

using namespace stowkeep::hatchlink;

std::int32_t SafelyRemove() {
    std::lock_guard<std::mutex> guard(LibraryLock());
    if (CommandHandle != kInvalidHandle) {
        Os().CloseHandle(CommandHandle);
        CommandHandle = kInvalidHandle;
    }
    const EnclosureRecord& first = EnclosureTable.records[0];
    if (!AllVolumesLockable(first))
        return 0;
    return RequestEject(first.usbDevInst) ? 1 : 0;
}
