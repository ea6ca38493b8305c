#include "devicelib/device_tree.h"
#include "devicelib/discovery_steps.h"
#include "devicelib/os_table.h"
#include "devicelib/queries.h"
#include "devicelib/scoped_handles.h"
#include "devicelib/text_units.h"

#include <cstring>

namespace stowkeep::hatchlink {

namespace {

constexpr std::uint32_t kMaxUnitsWithSlotList = 8;
constexpr std::uint32_t kMaxUnitsWithoutSlotList = 2;
constexpr int kNoUnit = -1;
constexpr std::uint32_t kNoDeviceType = 0;

// The record of the USB device that an interface hangs on, found by walking up
// at most two steps; nullptr when none.
EnclosureRecord* OwningRecord(DevInst interfaceDevice) {
    DevInst current = interfaceDevice;
    for (int step = 0; step < 2; ++step) {
        DevInst parent = 0;
        if (Os().CM_Get_Parent(&parent, current, 0) != kCrSuccess)
            return nullptr;
        DevInst hub = 0;
        if (ReadDeviceId(parent) >= 3 && SameUnits(Scratch.deviceId, u"USB", 3) &&
            Os().CM_Get_Parent(&hub, parent, 0) == kCrSuccess) {
            for (std::uint32_t r = 0; r < EnclosureTable.count; ++r) {
                EnclosureRecord& record = EnclosureTable.records[r];
                if (record.usbDevInst == parent && record.hubDevInst == hub)
                    return &record;
            }
            return nullptr;
        }
        current = parent;
    }
    return nullptr;
}

// The logical unit number: the last code unit of the interface's instance ID,
// when it is a decimal digit.
int LogicalUnitNumber(DevInst interfaceDevice) {
    const int length = ReadDeviceId(interfaceDevice);
    if (length <= 0)
        return kNoUnit;
    const char16_t last = Scratch.deviceId[length - 1];
    return last >= u'0' && last <= u'9' ? last - u'0' : kNoUnit;
}

struct UnitHandles {
    ScopedFile vendor; // carries the vendor queries
    ScopedFile info;   // carries the device-number request and InquireUnit
    Handle InfoHandle() const { return IsAdministrator ? vendor.Get() : info.Get(); }
};

bool OpenUnit(const EnclosureRecord& record, const char16_t* path, UnitHandles& handles) {
    if (IsAdministrator) {
        handles.vendor.Reset(Os().CreateFileW(path, kGenericRead | kGenericWrite,
                                              kFileShareRead | kFileShareWrite, kOpenExisting, 0));
        return handles.vendor.Valid();
    }
    CurrentHubPort = record.hubPort;
    handles.vendor.Reset(
        Os().CreateFileW(record.hubPath, kGenericRead, kFileShareRead, kOpenExisting, 0));
    handles.info.Reset(
        Os().CreateFileW(path, 0, kFileShareRead | kFileShareWrite, kOpenExisting, 0));
    return handles.vendor.Valid();
}

bool IdentityAccepted(Handle vendor) {
    std::uint8_t identity[kIdentityLength];
    if (!ReadIdentity(vendor, identity))
        return false;
    return IsAdministrator || identity[2] > 1;
}

void ReadSlotList(EnclosureRecord& record, Handle vendor) {
    if (!ReadSlotHeader(vendor, record.slotHeader)) {
        std::memset(record.slotHeader, 0, sizeof record.slotHeader);
        record.slotHeader[0] = kNoSlotList;
        return;
    }
    for (std::uint32_t index = 0; index < SlotsInUse(record); ++index) {
        ReadSlotRecord(vendor, record.slots[index], static_cast<std::uint8_t>(index));
        record.slots[index][0] = kSlotUntied;
    }
}

// Ties the unit to the slot; returns the storage device type, kNoDeviceType
// when the device-number request failed.
std::uint32_t StoreUnit(EnclosureRecord& record, std::uint32_t slot, const char16_t* path,
                        std::size_t pathCapacity, Handle info) {
    CopyText(record.unitPaths[record.unitCount], kPathUnits, path, pathCapacity);
    record.slots[slot][0] = static_cast<std::uint8_t>(slot);
    ++record.unitCount;
    StorageDeviceNumber number{};
    std::uint32_t returned = 0;
    if (!Os().DeviceIoControl(info, kIoctlStorageGetDeviceNumber, nullptr, 0, &number,
                              sizeof number, &returned))
        return kNoDeviceType;
    record.deviceNumbers[slot] = number.deviceNumber;
    record.numberedSlots |= 1u << slot;
    return number.deviceType;
}

// The direct route asks the unit's INQUIRY data. The hub route's handle to the
// interface has no access rights, and a pass-through needs reading and writing,
// so there the storage device type tells the class: a CD-ROM slot taken for a
// disk would collect the letters of disk 0, the system disk.
void SetSlotClass(std::uint8_t* slot, const UnitHandles& handles, std::uint32_t deviceType) {
    if (!IsAdministrator) {
        if (deviceType != kNoDeviceType)
            slot[kSlotClassByte] =
                deviceType == kFileDeviceCdrom ? kSlotClassCdrom : kSlotClassDisk;
        return;
    }
    std::uint8_t inquiry[kInquiryLength];
    if (InquireUnit(handles.vendor.Get(), inquiry))
        slot[kSlotClassByte] = (inquiry[0] & 0x1F) != 0 ? kSlotClassCdrom : kSlotClassDisk;
}

int SlotOfUnit(const EnclosureRecord& record, int unit) {
    int counted = 0;
    for (std::uint32_t slot = 0; slot < SlotsInUse(record); ++slot) {
        if (record.slots[slot][kSlotLunFlagByte] != 0)
            continue;
        if (counted == unit)
            return static_cast<int>(slot);
        ++counted;
    }
    return kNoUnit;
}

void TieToSlotList(EnclosureRecord& record, int unit, const InterfaceWalk& walk,
                   const UnitHandles& handles) {
    if (record.unitCount >= kMaxUnitsWithSlotList)
        return;
    const int slot = SlotOfUnit(record, unit);
    if (slot == kNoUnit)
        return;
    StoreUnit(record, static_cast<std::uint32_t>(slot), walk.Path(), walk.PathCapacity(),
              handles.InfoHandle());
}

void TieWithoutSlotList(EnclosureRecord& record, int unit, const InterfaceWalk& walk,
                        const UnitHandles& handles) {
    std::uint8_t flags[kUnitFlagsLength];
    if (record.unitCount >= kMaxUnitsWithoutSlotList || !ReadUnitFlags(handles.vendor.Get(), flags))
        return;
    const auto slot = static_cast<std::uint32_t>(unit);
    const std::uint32_t deviceType =
        StoreUnit(record, slot, walk.Path(), walk.PathCapacity(), handles.InfoHandle());
    SetSlotClass(record.slots[slot], handles, deviceType);
    ++record.slotHeader[1];
}

void TieInterface(const InterfaceWalk& walk) {
    EnclosureRecord* record = OwningRecord(walk.Device());
    if (!record)
        return;
    UnitHandles handles;
    if (!OpenUnit(*record, walk.Path(), handles))
        return;
    const int unit = LogicalUnitNumber(walk.Device());
    if (unit == kNoUnit || !IdentityAccepted(handles.vendor.Get()))
        return;
    if (record->unitCount == 0)
        ReadSlotList(*record, handles.vendor.Get());
    if (record->slotHeader[0] != kNoSlotList)
        TieToSlotList(*record, unit, walk, handles);
    else
        TieWithoutSlotList(*record, unit, walk, handles);
}

void TieClass(const Guid& interfaceClass) {
    InterfaceWalk walk(interfaceClass);
    while (walk.Next())
        TieInterface(walk);
}

} // namespace

void TieStorageInterfaces() {
    TieClass(kGuidCdrom);
    TieClass(kGuidDisk);
}

} // namespace stowkeep::hatchlink
