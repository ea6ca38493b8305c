#include "sim/machine.h"

#include "sim/machine_rules.h"

#include <algorithm>
#include <chrono>
#include <cstring>

namespace stowkeep::sim {

namespace hl = hatchlink;

namespace {

constexpr hl::ConfigRet kNoSuchDevinst = 0x0D;
constexpr hl::ConfigRet kBufferSmall = 0x1A;
constexpr hl::ConfigRet kRemoveVetoed = 0x17;
constexpr Handle kFirstHandle = 0x1000;
constexpr std::uint32_t kErrorInvalidHandle = 6;

thread_local bool onLibraryThread = false;
thread_local std::uint32_t lastError = 0;

char16_t Fold(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c;
}

bool SameText(const std::u16string& a, const char16_t* b) {
    std::size_t i = 0;
    for (; i < a.size(); ++i)
        if (b[i] == 0 || Fold(a[i]) != Fold(b[i]))
            return false;
    return b[i] == 0;
}

bool StartsWithUsb(const std::u16string& id) {
    return id.size() >= 4 && Fold(id[0]) == u'U' && Fold(id[1]) == u'S' && Fold(id[2]) == u'B' &&
           id[3] == u'\\';
}

void NameCall(Call* call, const char16_t* name) {
    if (!call || !name)
        return;
    std::size_t i = 0;
    for (; i + 1 < std::size(call->name) && name[i]; ++i)
        call->name[i] = name[i];
    call->name[i] = 0;
}

// "\\.\X:" names the volume of drive X.
char16_t VolumeLetter(const char16_t* name) {
    const char16_t prefix[] = u"\\\\.\\";
    for (int i = 0; i < 4; ++i)
        if (name[i] != prefix[i])
            return 0;
    return name[4] && name[5] == u':' && name[6] == 0 ? Fold(name[4]) : 0;
}

} // namespace

DevInst Machine::AddDevice(std::u16string instanceId, DevInst parent) {
    Device d;
    d.devInst = nextDevInst_++;
    d.instanceId = std::move(instanceId);
    d.parent = parent;
    devices_.push_back(std::move(d));
    return devices_.back().devInst;
}

Device& Machine::DeviceOf(DevInst device) {
    return *std::find_if(devices_.begin(), devices_.end(),
                         [&](const Device& d) { return d.devInst == device; });
}

Hub& Machine::AddHub(DevInst device, std::u16string path, int ports) {
    Hub h;
    h.devInst = device;
    h.path = std::move(path);
    h.ports.resize(static_cast<std::size_t>(ports));
    hubs_.push_back(std::move(h));
    return hubs_.back();
}

StorageInterface& Machine::AddStorage(StorageClass kind, DevInst device, std::u16string path,
                                      std::uint32_t deviceNumber) {
    StorageInterface s;
    s.kind = kind;
    s.devInst = device;
    s.path = std::move(path);
    s.deviceNumber = deviceNumber;
    s.peripheralType = kind == StorageClass::Cdrom ? 5 : 0;
    storage_.push_back(std::move(s));
    return storage_.back();
}

DriveLetter& Machine::AddLetter(char16_t letter, std::uint32_t driveType, std::u16string dosTarget,
                                std::uint32_t deviceNumber) {
    DriveLetter l;
    l.letter = Fold(letter);
    l.driveType = driveType;
    l.dosTarget = std::move(dosTarget);
    l.deviceNumber = deviceNumber;
    letters_.push_back(std::move(l));
    return letters_.back();
}

DriveLetter* Machine::Letter(char16_t letter) {
    return const_cast<DriveLetter*>(LetterOf(letter));
}

Firmware& Machine::AddFirmware() {
    return firmware_.emplace_back();
}

void Machine::Unplug(DevInst device) {
    std::lock_guard<std::mutex> g(mutex_);
    // A device is gone when it or one of its ancestors was unplugged.
    auto below = [&](DevInst d) {
        for (int depth = 0; d != 0 && depth < 64; ++depth) {
            if (d == device)
                return true;
            auto it = std::find_if(devices_.begin(), devices_.end(),
                                   [&](const Device& x) { return x.devInst == d; });
            d = it == devices_.end() ? 0 : it->parent;
        }
        return false;
    };
    std::vector<bool> storageGone, hubsGone;
    for (const StorageInterface& s : storage_)
        storageGone.push_back(below(s.devInst));
    for (const Hub& h : hubs_)
        hubsGone.push_back(below(h.devInst));
    MoveHandles(Kind::Storage, storageGone);
    MoveHandles(Kind::Hub, hubsGone);
    std::erase_if(storage_, [&](const StorageInterface& s) { return below(s.devInst); });
    std::erase_if(hubs_, [&](const Hub& h) { return below(h.devInst); });
    for (Hub& h : hubs_)
        for (HubPort& p : h.ports)
            if (p.firmware &&
                std::none_of(storage_.begin(), storage_.end(),
                             [&](const StorageInterface& s) { return s.firmware == p.firmware; }))
                p = HubPort{};
    std::erase_if(devices_, [&](const Device& d) { return below(d.devInst); });
}

void Machine::MoveHandles(Kind kind, const std::vector<bool>& removed) {
    std::vector<std::size_t> place(removed.size());
    std::size_t kept = 0;
    for (std::size_t i = 0; i < removed.size(); ++i)
        place[i] = removed[i] ? 0 : kept++;
    for (Slot& slot : slots_) {
        if (slot.kind != kind)
            continue;
        if (removed[slot.object])
            slot.kind = Kind::Gone;
        else
            slot.object = place[slot.object];
    }
}

void Machine::ClearCalls() {
    std::lock_guard<std::mutex> g(mutex_);
    calls_.Clear();
}

int Machine::OpenHandles() const {
    std::lock_guard<std::mutex> g(mutex_);
    return static_cast<int>(std::count_if(std::begin(slots_), std::end(slots_),
                                          [](const Slot& s) { return s.kind != Kind::Free; }));
}

void Machine::Note(Op op) {
    std::lock_guard<std::mutex> g(mutex_);
    calls_.Add(op);
}

std::uint32_t Machine::LastError() {
    return lastError;
}

int Machine::Fail(Call* call, std::uint32_t error) {
    lastError = error;
    if (call)
        call->error = error;
    return 0;
}

// A device is present while it and every device above it are.
bool Machine::IsPresent(DevInst device) const {
    for (int depth = 0; device != 0 && depth < 64; ++depth) {
        auto it = std::find_if(devices_.begin(), devices_.end(),
                               [&](const Device& d) { return d.devInst == device; });
        if (it == devices_.end())
            return true;
        if (!it->present)
            return false;
        device = it->parent;
    }
    return true;
}

Handle Machine::Open(Kind kind, std::size_t object, std::uint32_t access, std::uint32_t share) {
    for (std::size_t i = 0; i < kSlots; ++i) {
        if (slots_[i].kind == Kind::Free) {
            slots_[i] = Slot{kind, SetKind::UsbDevices, object, access, share};
            return kFirstHandle + i * 4;
        }
    }
    return hl::kInvalidHandle;
}

// The file system checks the share modes of every open of a volume against
// the opens already there, its own and other programs'.
Handle Machine::OpenVolume(std::size_t letter, std::uint32_t access, std::uint32_t share) {
    const OtherOpen& other = letters_[letter].otherProgram;
    bool conflict = other.open && SharesConflict(access, share, other.access, other.share);
    for (const Slot& slot : slots_)
        if (slot.kind == Kind::Volume && slot.object == letter)
            conflict = conflict || SharesConflict(access, share, slot.access, slot.share);
    if (conflict) {
        lastError = kErrorSharingViolation;
        return hl::kInvalidHandle;
    }
    return Open(Kind::Volume, letter, access, share);
}

// Another open with data access means files or the volume are in use.
bool Machine::VolumeInUse(const Slot& locker) const {
    const DriveLetter& letter = letters_[locker.object];
    if (letter.lockRefused ||
        (letter.otherProgram.open && HasDataAccess(letter.otherProgram.access)))
        return true;
    return std::any_of(std::begin(slots_), std::end(slots_), [&](const Slot& s) {
        return &s != &locker && s.kind == Kind::Volume && s.object == locker.object &&
               HasDataAccess(s.access);
    });
}

Machine::Slot* Machine::Find(Handle h) {
    if (h < kFirstHandle || (h - kFirstHandle) % 4 != 0 || (h - kFirstHandle) / 4 >= kSlots)
        return nullptr;
    Slot& s = slots_[(h - kFirstHandle) / 4];
    return s.kind == Kind::Free ? nullptr : &s;
}

Handle Machine::GetClassDevs(const hl::Guid* classGuid, const char16_t* enumerator,
                             std::uint32_t flags) {
    std::lock_guard<std::mutex> g(mutex_);
    NameCall(calls_.Add(Op::GetClassDevs), enumerator);
    // Without DIGCF_DEVICEINTERFACE a class GUID names a setup class, and no
    // device is of the setup class that an interface class GUID would be.
    const bool interfaces = classGuid && (flags & hl::kDigcfDeviceInterface);
    SetKind kind = SetKind::Empty;
    if (!classGuid && !(flags & hl::kDigcfAllClasses)) {
        lastError = kErrorInvalidParameter;
        return hl::kInvalidHandle;
    }
    if (!classGuid && enumerator && SameText(u"USB", enumerator))
        kind = SetKind::UsbDevices;
    else if (interfaces && hl::SameGuid(*classGuid, hl::kGuidUsbHub))
        kind = SetKind::Hubs;
    else if (interfaces && hl::SameGuid(*classGuid, hl::kGuidCdrom))
        kind = SetKind::Cdroms;
    else if (interfaces && hl::SameGuid(*classGuid, hl::kGuidDisk))
        kind = SetKind::Disks;
    const Handle h = Open(Kind::DeviceSet, 0, 0);
    if (Slot* s = Find(h)) {
        s->set = kind;
        s->presentOnly = (flags & hl::kDigcfPresent) != 0;
    }
    return h;
}

int Machine::EnumDeviceInfo(Handle set, std::uint32_t index, hl::DevInfoData* data) {
    std::lock_guard<std::mutex> g(mutex_);
    calls_.Add(Op::EnumDeviceInfo);
    Slot* s = Find(set);
    if (!s || s->kind != Kind::DeviceSet || s->set != SetKind::UsbDevices ||
        data->cbSize != sizeof *data)
        return 0;
    std::uint32_t seen = 0;
    for (const Device& d : devices_) {
        if (!StartsWithUsb(d.instanceId) || (s->presentOnly && !IsPresent(d.devInst)))
            continue;
        if (seen++ == index) {
            data->devInst = d.devInst;
            return 1;
        }
    }
    return 0;
}

const StorageInterface* Machine::NthStorage(StorageClass kind, std::uint32_t index,
                                            bool presentOnly, std::size_t* position) const {
    std::uint32_t seen = 0;
    for (std::size_t i = 0; i < storage_.size(); ++i) {
        if (storage_[i].kind != kind || (presentOnly && !IsPresent(storage_[i].devInst)))
            continue;
        if (seen++ == index) {
            *position = i;
            return &storage_[i];
        }
    }
    return nullptr;
}

int Machine::EnumDeviceInterfaces(Handle set, const hl::Guid* interfaceClass, std::uint32_t index,
                                  hl::DeviceInterfaceData* data) {
    std::lock_guard<std::mutex> g(mutex_);
    calls_.Add(Op::EnumDeviceInterfaces);
    Slot* s = Find(set);
    if (!s || s->kind != Kind::DeviceSet || data->cbSize != sizeof *data)
        return 0;
    data->interfaceClassGuid = *interfaceClass;
    if (s->set == SetKind::Hubs && hl::SameGuid(*interfaceClass, hl::kGuidUsbHub)) {
        if (index >= hubs_.size())
            return 0;
        data->reserved = index + 1;
        return 1;
    }
    const bool cdrom = s->set == SetKind::Cdroms && hl::SameGuid(*interfaceClass, hl::kGuidCdrom);
    const bool disk = s->set == SetKind::Disks && hl::SameGuid(*interfaceClass, hl::kGuidDisk);
    if (!cdrom && !disk)
        return 0;
    std::size_t position = 0;
    if (!NthStorage(cdrom ? StorageClass::Cdrom : StorageClass::Disk, index, s->presentOnly,
                    &position))
        return 0;
    data->reserved = position + 1;
    return 1;
}

int Machine::GetInterfaceDetail(Handle set, hl::DeviceInterfaceData* data,
                                hl::DeviceInterfaceDetail* detail, std::uint32_t size,
                                hl::DevInfoData* device) {
    std::lock_guard<std::mutex> g(mutex_);
    Call* call = calls_.Add(Op::GetInterfaceDetail);
    Slot* s = Find(set);
    if (!s || s->kind != Kind::DeviceSet || data->reserved == 0 ||
        detail->cbSize != sizeof(hl::DeviceInterfaceDetail) || device->cbSize != sizeof *device)
        return 0;
    const std::size_t i = data->reserved - 1;
    const std::u16string* path;
    if (s->set == SetKind::Hubs) {
        if (i >= hubs_.size())
            return 0;
        path = &hubs_[i].path;
        device->devInst = hubs_[i].devInst;
    } else {
        if (i >= storage_.size() || storage_[i].detailFails)
            return 0;
        path = &storage_[i].path;
        device->devInst = storage_[i].devInst;
    }
    if (hl::kDetailPathOffset + (path->size() + 1) * sizeof(char16_t) > size)
        return 0;
    std::copy(path->begin(), path->end(), detail->devicePath);
    detail->devicePath[path->size()] = 0;
    NameCall(call, path->c_str());
    return 1;
}

int Machine::DestroyDeviceInfoList(Handle set) {
    std::lock_guard<std::mutex> g(mutex_);
    calls_.Add(Op::DestroyDeviceInfoList);
    Slot* s = Find(set);
    if (!s || s->kind != Kind::DeviceSet)
        return 0;
    *s = Slot{};
    return 1;
}

hl::ConfigRet Machine::GetDeviceId(DevInst device, char16_t* buffer, std::uint32_t length) {
    std::lock_guard<std::mutex> g(mutex_);
    calls_.Add(Op::GetDeviceId);
    auto it = std::find_if(devices_.begin(), devices_.end(),
                           [&](const Device& d) { return d.devInst == device; });
    if (it == devices_.end() || it->idFails)
        return kNoSuchDevinst;
    if (it->instanceId.size() + 1 > length)
        return kBufferSmall;
    std::copy(it->instanceId.begin(), it->instanceId.end(), buffer);
    buffer[it->instanceId.size()] = 0;
    return hl::kCrSuccess;
}

hl::ConfigRet Machine::GetParent(DevInst* parent, DevInst device) {
    std::lock_guard<std::mutex> g(mutex_);
    calls_.Add(Op::GetParent);
    auto it = std::find_if(devices_.begin(), devices_.end(),
                           [&](const Device& d) { return d.devInst == device; });
    if (it == devices_.end() || it->parent == 0)
        return kNoSuchDevinst;
    *parent = it->parent;
    return hl::kCrSuccess;
}

hl::ConfigRet Machine::RequestEject(DevInst device) {
    std::lock_guard<std::mutex> g(mutex_);
    calls_.Add(Op::RequestEject);
    if (std::none_of(devices_.begin(), devices_.end(),
                     [&](const Device& d) { return d.devInst == device; }))
        return kNoSuchDevinst;
    if (ejectFailures > 0) {
        --ejectFailures;
        return kRemoveVetoed;
    }
    ++ejected_;
    lastEjected_ = device;
    return hl::kCrSuccess;
}

const DriveLetter* Machine::LetterOf(char16_t letter) const {
    for (const DriveLetter& l : letters_)
        if (l.letter == Fold(letter))
            return &l;
    return nullptr;
}

Handle Machine::CreateFile(const char16_t* name, std::uint32_t access, std::uint32_t share) {
    std::lock_guard<std::mutex> g(mutex_);
    Call* call = calls_.Add(Op::CreateFile);
    NameCall(call, name);
    if (call) {
        call->code = access;
        call->share = share;
    }
    for (std::size_t i = 0; i < hubs_.size(); ++i)
        if (SameText(hubs_[i].path, name))
            return Open(Kind::Hub, i, access, share);
    for (std::size_t i = 0; i < storage_.size(); ++i)
        if (SameText(storage_[i].path, name) && IsPresent(storage_[i].devInst))
            return Open(Kind::Storage, i, access, share);
    if (const char16_t letter = VolumeLetter(name)) {
        for (std::size_t i = 0; i < letters_.size(); ++i) {
            if (letters_[i].letter != letter || letters_[i].openFails)
                continue;
            const Handle h = OpenVolume(i, access, share);
            if (h == hl::kInvalidHandle && call)
                call->error = lastError;
            return h;
        }
    }
    Fail(call, kErrorFileNotFound);
    return hl::kInvalidHandle;
}

int Machine::IoControl(Handle device, std::uint32_t code, void* in, std::uint32_t inSize, void* out,
                       std::uint32_t outSize, std::uint32_t* returned) {
    std::lock_guard<std::mutex> g(mutex_);
    Call* call = calls_.Add(Op::IoControl);
    if (call)
        call->code = code;
    Slot* s = Find(device);
    if (!s)
        return Fail(call, kErrorInvalidHandle);
    if (!ControlCodeAccessGranted(code, s->access))
        return Fail(call, kErrorAccessDenied);
    if (call && code == hl::kIoctlUsbGetDescriptorFromNodeConnection &&
        inSize >= sizeof(hl::UsbDescriptorRequest)) {
        const auto* r = static_cast<const hl::UsbDescriptorRequest*>(in);
        call->value = r->wValue;
        call->index = r->wIndex;
    }
    if (call && s->kind == Kind::Volume) {
        const char16_t drive[] = {letters_[s->object].letter, u':', 0};
        NameCall(call, drive);
    }
    std::uint32_t error = kErrorDeviceNotConnected;
    if (s->kind == Kind::Hub)
        error = IoHub(*s, code, in, inSize, out, outSize);
    else if (s->kind == Kind::Storage)
        error = IoStorage(call, *s, code, in, inSize, out, outSize);
    else if (s->kind == Kind::Volume)
        error = IoVolume(*s, code, out, outSize);
    else if (s->kind != Kind::Gone)
        error = kErrorInvalidFunction;
    if (error != 0)
        return Fail(call, error);
    *returned = outSize;
    return 1;
}

std::uint32_t Machine::IoHub(Slot& slot, std::uint32_t code, void* in, std::uint32_t inSize,
                             void* out, std::uint32_t outSize) {
    Hub& hub = hubs_[slot.object];
    auto* bytes = static_cast<std::uint8_t*>(out);
    if (code == hl::kIoctlUsbGetNodeInformation) {
        if (outSize < hl::kNodeInformationSize)
            return kErrorInvalidParameter;
        if (hub.nodeInformationFails)
            return kErrorInvalidFunction;
        std::memset(bytes, 0, hl::kNodeInformationSize);
        bytes[hl::kNodePortCountOffset] = static_cast<std::uint8_t>(hub.ports.size());
        return 0;
    }
    if (code == hl::kIoctlUsbGetNodeConnectionInformationEx) {
        if (inSize < hl::kConnectionInfoSize || outSize < hl::kConnectionInfoSize)
            return kErrorInvalidParameter;
        std::uint32_t port;
        std::memcpy(&port, in, sizeof port);
        if (port == 0 || port > hub.ports.size())
            return kErrorInvalidParameter;
        const HubPort& p = hub.ports[port - 1];
        std::memset(bytes + 4, 0, hl::kConnectionInfoSize - 4);
        const std::uint32_t status = p.connected ? hl::kDeviceConnected : 0;
        std::memcpy(bytes + hl::kConnectionStatusOffset, &status, sizeof status);
        std::memcpy(bytes + hl::kConnectionIdVendorOffset, &p.vendorId, 2);
        std::memcpy(bytes + hl::kConnectionIdProductOffset, &p.productId, 2);
        return 0;
    }
    if (code == hl::kIoctlUsbGetDescriptorFromNodeConnection) {
        if (inSize != sizeof(hl::UsbDescriptorRequest) || outSize != inSize || in != out)
            return kErrorInvalidParameter;
        auto* request = static_cast<hl::UsbDescriptorRequest*>(out);
        const std::uint32_t port = request->connectionIndex;
        if (port == 0 || port > hub.ports.size() || !hub.ports[port - 1].connected ||
            !hub.ports[port - 1].firmware)
            return kErrorDeviceNotConnected;
        return hub.ports[port - 1].firmware->TunnelExchange(*request) ? 0 : kErrorInvalidFunction;
    }
    return kErrorInvalidFunction;
}

std::uint32_t Machine::IoStorage(Call* call, Slot& slot, std::uint32_t code, void* in,
                                 std::uint32_t inSize, void* out, std::uint32_t outSize) {
    if (code == hl::kIoctlStorageGetDeviceNumber) {
        const StorageInterface& unit = storage_[slot.object];
        if (outSize < sizeof(hl::StorageDeviceNumber))
            return kErrorInvalidParameter;
        if (unit.deviceNumberFails)
            return kErrorInvalidFunction;
        const hl::StorageDeviceNumber n{unit.kind == StorageClass::Cdrom ? hl::kFileDeviceCdrom
                                                                         : hl::kFileDeviceDisk,
                                        unit.deviceNumber, 0};
        std::memcpy(out, &n, sizeof n);
        return 0;
    }
    if (code == hl::kIoctlScsiPassThroughDirect)
        return IoPassThrough(call, slot, in, inSize, out, outSize);
    return kErrorInvalidFunction;
}

std::uint32_t Machine::IoPassThrough(Call* call, Slot& slot, void* in, std::uint32_t inSize,
                                     void* out, std::uint32_t outSize) {
    const StorageInterface& unit = storage_[slot.object];
    if (inSize < sizeof(hl::ScsiPassThroughDirect) || outSize < inSize || in != out)
        return kErrorInvalidParameter;
    auto& sptd = *static_cast<hl::ScsiPassThroughDirect*>(in);
    if (call)
        call->request = sptd;
    if (const std::uint32_t error = PassThroughError(sptd, outSize, unit.alignmentMask))
        return error;
    auto* data = static_cast<std::uint8_t*>(sptd.dataBuffer);
    std::uint32_t produced = 0;
    if (sptd.dataIn != 1) {
        sptd.scsiStatus = 2; // the firmware sends data only
    } else if (sptd.cdb[0] == 0x12) {
        sptd.scsiStatus = unit.inquiryFails ? 2 : 0;
        if (!unit.inquiryFails) {
            produced = std::min<std::uint32_t>(36, sptd.dataTransferLength);
            std::memset(data, 0, produced);
            if (produced)
                data[0] = unit.peripheralType;
        }
    } else if (unit.firmware) {
        sptd.scsiStatus =
            unit.firmware->Execute(sptd.cdb, data, sptd.dataTransferLength, &produced);
        if (unit.firmware->reportedLength >= 0)
            produced = static_cast<std::uint32_t>(unit.firmware->reportedLength);
    } else {
        sptd.scsiStatus = 2;
    }
    sptd.dataTransferLength = produced;
    return 0;
}

std::uint32_t Machine::IoVolume(Slot& slot, std::uint32_t code, void* out, std::uint32_t outSize) {
    const DriveLetter& l = letters_[slot.object];
    if (code == hl::kFsctlLockVolume) {
        // The file system locks a volume only for a handle with direct access.
        if (!HasDataAccess(slot.access) || VolumeInUse(slot))
            return kErrorAccessDenied;
        return 0;
    }
    if (code == hl::kIoctlStorageGetDeviceNumber) {
        if (outSize < sizeof(hl::StorageDeviceNumber))
            return kErrorInvalidParameter;
        const hl::StorageDeviceNumber n{l.driveType == hl::kDriveCdrom ? hl::kFileDeviceCdrom
                                                                       : hl::kFileDeviceDisk,
                                        l.deviceNumber, 0};
        std::memcpy(out, &n, sizeof n);
        return 0;
    }
    return kErrorInvalidFunction;
}

int Machine::CloseHandle(Handle handle) {
    std::lock_guard<std::mutex> g(mutex_);
    calls_.Add(Op::CloseHandle);
    Slot* s = Find(handle);
    if (!s || s->kind == Kind::DeviceSet)
        return 0;
    *s = Slot{};
    return 1;
}

std::uint32_t Machine::LogicalDrives() {
    std::lock_guard<std::mutex> g(mutex_);
    calls_.Add(Op::GetLogicalDrives);
    std::uint32_t mask = 0;
    for (const DriveLetter& l : letters_)
        mask |= 1u << (l.letter - u'A');
    return mask;
}

std::uint32_t Machine::DriveType(const char16_t* root) {
    std::lock_guard<std::mutex> g(mutex_);
    NameCall(calls_.Add(Op::GetDriveType), root);
    const DriveLetter* l = root[0] && root[1] == u':' ? LetterOf(root[0]) : nullptr;
    return l ? l->driveType : hl::kDriveNoRootDir;
}

std::uint32_t Machine::DosDevice(const char16_t* name, char16_t* target, std::uint32_t length) {
    std::lock_guard<std::mutex> g(mutex_);
    NameCall(calls_.Add(Op::QueryDosDevice), name);
    const DriveLetter* l = name[0] && name[1] == u':' && name[2] == 0 ? LetterOf(name[0]) : nullptr;
    if (!l || l->dosTarget.empty() || l->dosTarget.size() + 2 > length)
        return 0;
    std::copy(l->dosTarget.begin(), l->dosTarget.end(), target);
    target[l->dosTarget.size()] = 0;
    target[l->dosTarget.size() + 1] = 0;
    return static_cast<std::uint32_t>(l->dosTarget.size() + 2);
}

int Machine::IsAdmin() {
    std::lock_guard<std::mutex> g(mutex_);
    calls_.Add(Op::IsUserAnAdmin);
    return admin ? 1 : 0;
}

void Machine::SleepOnLibraryThread(std::unique_lock<std::mutex>& lock, std::uint32_t ms) {
    if (!onLibraryThread || threadSleep == ThreadSleep::Instant)
        return;
    if (threadSleep == ThreadSleep::Brief)
        wakeSleepers_.wait_for(lock, std::chrono::milliseconds(ms > 0 ? 1 : 0),
                               [&] { return sleepersReleased_; });
    else if (threadSleep == ThreadSleep::RealTime)
        wakeSleepers_.wait_for(lock, std::chrono::milliseconds(ms),
                               [&] { return sleepersReleased_; });
    else
        wakeSleepers_.wait(lock, [&] { return sleepersReleased_; });
}

void Machine::Sleep(std::uint32_t milliseconds) {
    std::unique_lock<std::mutex> lock(mutex_);
    Call* call = calls_.Add(Op::Sleep);
    if (call)
        call->code = milliseconds;
    sleptMs_ += milliseconds;
    SleepOnLibraryThread(lock, milliseconds);
}

Handle Machine::BeginThread(hl::ThreadProc procedure, void* argument) {
    std::lock_guard<std::mutex> g(mutex_);
    calls_.Add(Op::BeginThread);
    if (threadStartFails)
        return 0;
    const Handle h = Open(Kind::Thread, threads_.size(), 0);
    if (h == hl::kInvalidHandle)
        return 0;
    sleepersReleased_ = false;
    threads_.emplace_back([procedure, argument] {
        onLibraryThread = true;
        procedure(argument);
    });
    return h;
}

std::uint32_t Machine::WaitForThread(Handle thread) {
    std::thread* t = nullptr;
    {
        std::lock_guard<std::mutex> g(mutex_);
        calls_.Add(Op::WaitForThread);
        Slot* s = Find(thread);
        if (!s || s->kind != Kind::Thread)
            return 0xFFFFFFFFu;
        t = &threads_[s->object];
        sleepersReleased_ = true;
    }
    wakeSleepers_.notify_all();
    if (t->joinable())
        t->join();
    return 0;
}

} // namespace stowkeep::sim
