#include "sim/scenario.h"

#include <cstdio>

namespace stowkeep::sim {

namespace {

std::u16string Hex4(std::uint16_t v) {
    char text[5];
    std::snprintf(text, sizeof text, "%04X", v);
    return std::u16string(text, text + 4);
}

std::u16string Number(int n) {
    const std::string s = std::to_string(n);
    return std::u16string(s.begin(), s.end());
}

void AddLetters(Machine& machine, const std::u16string& letters, std::uint32_t type,
                const std::u16string& target, std::uint32_t number) {
    for (char16_t l : letters)
        machine.AddLetter(l, type, target, number);
}

} // namespace

RootHub AddRootHub(Machine& machine, int number, int ports) {
    const DevInst controller =
        machine.AddDevice(u"PCI\\VEN_8086&DEV_A36D\\3&11583659&0&A" + Number(number), 0);
    RootHub root;
    root.device = machine.AddDevice(u"USB\\ROOT_HUB30\\4&1A&0&" + Number(number), controller);
    root.hub =
        &machine.AddHub(root.device, u"\\\\?\\usb#root_hub30#" + Number(number) + u"#{hub}", ports);
    return root;
}

Enclosure AddEnclosure(Machine& machine, const RootHub& root, const EnclosurePlan& plan) {
    Enclosure e;
    e.firmware = &machine.AddFirmware();
    e.firmware->AddSlot(0, 0);
    if (plan.withCdrom)
        e.firmware->AddSlot(0, 2);
    e.usb = machine.AddDevice(u"USB\\VID_04C5&PID_" + Hex4(plan.productId) + u"\\" + plan.serial,
                              root.device);
    HubPort& port = root.hub->ports[plan.port - 1];
    port = HubPort{true, 0x04C5, plan.productId, e.firmware};

    e.diskDevice =
        machine.AddDevice(u"USBSTOR\\DISK&VEN_KD&PROD_RX710\\" + plan.serial + u"&0", e.usb);
    e.diskPath = u"\\\\?\\usbstor#disk#" + plan.serial + u"&0#{disk}";
    e.disk = &machine.AddStorage(StorageClass::Disk, e.diskDevice, e.diskPath, plan.diskNumber);
    e.disk->firmware = e.firmware;
    AddLetters(machine, plan.diskLetters, hatchlink::kDriveFixed, u"\\Device\\HarddiskVolume9",
               plan.diskNumber);
    if (plan.withCdrom) {
        e.cdromDevice =
            machine.AddDevice(u"USBSTOR\\CDROM&VEN_KD&PROD_RX710\\" + plan.serial + u"&1", e.usb);
        e.cdromPath = u"\\\\?\\usbstor#cdrom#" + plan.serial + u"&1#{cdrom}";
        e.cdrom =
            &machine.AddStorage(StorageClass::Cdrom, e.cdromDevice, e.cdromPath, plan.cdromNumber);
        e.cdrom->firmware = e.firmware;
        AddLetters(machine, plan.cdromLetters, hatchlink::kDriveCdrom, u"\\Device\\CdRom0",
                   plan.cdromNumber);
    }
    return e;
}

DevInst AddUsbDevice(Machine& machine, const RootHub& root, std::uint32_t port,
                     std::uint16_t vendorId, std::uint16_t productId) {
    const DevInst d = machine.AddDevice(u"USB\\VID_" + Hex4(vendorId) + u"&PID_" + Hex4(productId) +
                                            u"\\5&" + Number(int(port)),
                                        root.device);
    root.hub->ports[port - 1] = HubPort{true, vendorId, productId, nullptr};
    return d;
}

void AddUsbDisk(Machine& machine, const RootHub& root, std::uint32_t port, int number,
                char16_t letter) {
    const DevInst usb = AddUsbDevice(machine, root, port, 0x0781, 0x5581);
    const DevInst disk =
        machine.AddDevice(u"USBSTOR\\DISK&VEN_SANDISK\\" + Number(number) + u"&0", usb);
    machine.AddStorage(StorageClass::Disk, disk, u"\\\\?\\usbstor#flash#" + Number(number),
                       static_cast<std::uint32_t>(number));
    if (letter == 0)
        return;
    machine.AddLetter(letter, hatchlink::kDriveRemovable,
                      u"\\Device\\HarddiskVolume" + Number(number),
                      static_cast<std::uint32_t>(number));
}

} // namespace stowkeep::sim
