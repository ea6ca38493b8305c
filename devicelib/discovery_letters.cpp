#include "devicelib/discovery_steps.h"
#include "devicelib/os_table.h"
#include "devicelib/scoped_handles.h"
#include "devicelib/text_units.h"

namespace stowkeep::hatchlink {

namespace {

constexpr char16_t kFloppyPrefix[] = u"\\Device\\Floppy";
constexpr int kFloppyPrefixLength = 14;

bool IsFloppy(const char16_t* drive) {
    char16_t* target = Scratch.dosTarget;
    constexpr std::uint32_t capacity = sizeof Scratch.dosTarget / sizeof(char16_t);
    target[0] = 0;
    if (Os().QueryDosDeviceW(drive, target, capacity) == 0)
        return true; // no target: the letter is passed over like a floppy
    target[capacity - 1] = 0;
    return TextLength(target, capacity) >= kFloppyPrefixLength &&
           SameUnits(target, kFloppyPrefix, kFloppyPrefixLength);
}

bool SlotTakesLetter(const EnclosureRecord& record, std::uint32_t slot, std::uint32_t driveType,
                     std::uint32_t deviceNumber) {
    if (record.slots[slot][0] == kSlotUntied || !(record.numberedSlots & (1u << slot)))
        return false;
    const bool cdromSlot = record.slots[slot][kSlotClassByte] == kSlotClassCdrom;
    return cdromSlot == (driveType == kDriveCdrom) && record.deviceNumbers[slot] == deviceNumber;
}

void AssignLetter(char16_t letter, std::uint32_t driveType, std::uint32_t deviceNumber) {
    for (std::uint32_t r = 0; r < EnclosureTable.count; ++r) {
        EnclosureRecord& record = EnclosureTable.records[r];
        for (std::uint32_t slot = 0; slot < kMaxSlots; ++slot) {
            if (!SlotTakesLetter(record, slot, driveType, deviceNumber) ||
                record.letterCounts[slot] >= kMaxLetters)
                continue;
            record.letters[slot][record.letterCounts[slot]++] = letter;
        }
    }
}

void ExamineLetter(char16_t letter) {
    const char16_t volume[] = {u'\\', u'\\', u'.', u'\\', letter, u':', 0};
    const char16_t drive[] = {letter, u':', 0};
    const std::uint32_t driveType = Os().GetDriveTypeW(drive);
    if (driveType == kDriveRemote || IsFloppy(drive))
        return;
    ScopedFile handle(
        Os().CreateFileW(volume, 0, kFileShareRead | kFileShareWrite, kOpenExisting, 0));
    if (!handle.Valid())
        return;
    StorageDeviceNumber number{};
    std::uint32_t returned = 0;
    if (!Os().DeviceIoControl(handle.Get(), kIoctlStorageGetDeviceNumber, nullptr, 0, &number,
                              sizeof number, &returned))
        return;
    AssignLetter(letter, driveType, number.deviceNumber);
}

} // namespace

void CollectDriveLetters() {
    const std::uint32_t mask = Os().GetLogicalDrives();
    for (std::uint32_t bit = 0; bit < 32; ++bit)
        if (mask & (1u << bit))
            ExamineLetter(static_cast<char16_t>(u'A' + bit));
}

} // namespace stowkeep::hatchlink
