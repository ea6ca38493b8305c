#pragma once
// Ready-made parts of a simulated machine: root hubs, an enclosure with its disk
// and CD-ROM, and ordinary USB devices around it.

#include "sim/machine.h"

#include <string>

namespace stowkeep::sim {

struct RootHub {
    DevInst device = 0;
    Hub* hub = nullptr;
};

RootHub AddRootHub(Machine& machine, int number, int ports);

struct EnclosurePlan {
    std::uint16_t productId = 0x2029;
    std::u16string serial = u"1";
    std::uint32_t port = 1;
    bool withCdrom = true;
    std::u16string diskLetters = u"EF";
    std::u16string cdromLetters = u"G";
    std::uint32_t diskNumber = 1;
    std::uint32_t cdromNumber = 0;
};

struct Enclosure {
    DevInst usb = 0;
    DevInst diskDevice = 0;
    DevInst cdromDevice = 0;
    Firmware* firmware = nullptr;
    StorageInterface* disk = nullptr;
    StorageInterface* cdrom = nullptr;
    std::u16string diskPath;
    std::u16string cdromPath;
};

// An enclosure on the given root hub with a slot list of a disk slot and, when
// planned, a CD-ROM slot; the disk is unit 0 and the CD-ROM unit 1.
Enclosure AddEnclosure(Machine& machine, const RootHub& root, const EnclosurePlan& plan);

// An ordinary USB device on a root hub port: a mouse, or a flash disk with one
// letter (none when letter is 0).
DevInst AddUsbDevice(Machine& machine, const RootHub& root, std::uint32_t port,
                     std::uint16_t vendorId, std::uint16_t productId);
void AddUsbDisk(Machine& machine, const RootHub& root, std::uint32_t port, int number,
                char16_t letter);

} // namespace stowkeep::sim
