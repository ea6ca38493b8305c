#pragma once
// A simulated Windows machine for the device library: a device tree with USB hubs
// and their ports, CD-ROM and disk interfaces, drive letters, and enclosure
// firmware answering over both command routes. Every platform call is recorded,
// open handles are counted, and sleeping takes no real time unless asked to.
//
// While a Machine exists, the device library's platform table (PlatformOsTable()
// of this side) talks to it.

#include "devicelib/device_abi.h"
#include "devicelib/os_table.h"
#include "sim/call_log.h"
#include "sim/firmware.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace stowkeep::sim {

using hatchlink::DevInst;
using hatchlink::Handle;

struct Device {
    DevInst devInst = 0;
    std::u16string instanceId;
    DevInst parent = 0; // 0: none
    bool idFails = false;
    bool present = true; // false: known to the system but not plugged in
};

struct HubPort {
    bool connected = false;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    Firmware* firmware = nullptr; // answers the tunnel on this port
};

struct Hub {
    DevInst devInst = 0;
    std::u16string path;
    std::deque<HubPort> ports;
    bool nodeInformationFails = false;
};

enum class StorageClass { Cdrom, Disk };

struct StorageInterface {
    StorageClass kind = StorageClass::Disk;
    DevInst devInst = 0;
    std::u16string path;
    std::uint32_t deviceNumber = 0;
    bool deviceNumberFails = false;
    std::uint8_t peripheralType = 0;
    bool inquiryFails = false;
    Firmware* firmware = nullptr; // answers vendor pass-through commands
    bool detailFails = false;
    // The adapter's AlignmentMask: a pass-through buffer must be aligned to it.
    std::uintptr_t alignmentMask = 0;
};

// An open of a volume by another program.
struct OtherOpen {
    bool open = false;
    std::uint32_t access = 0;
    std::uint32_t share = 0;
};

struct DriveLetter {
    char16_t letter = 0;
    std::uint32_t driveType = hatchlink::kDriveFixed;
    std::u16string dosTarget;
    std::uint32_t deviceNumber = 0;
    bool openFails = false;
    bool lockRefused = false;
    // While another program holds the volume for reading or writing, its lock is
    // refused, and opens that do not share what it does fail.
    OtherOpen otherProgram;
};

enum class ThreadSleep {
    Instant,        // sleeps on started threads return at once
    Brief,          // they last about a millisecond of real time
    UntilWaitedFor, // they last until somebody waits for the thread
    RealTime,       // they last as long as asked, or until somebody waits for the thread
};

class Machine {
  public:
    explicit Machine(std::size_t callCapacity = 8192);
    Machine(const Machine&) = delete;
    Machine& operator=(const Machine&) = delete;
    ~Machine();

    // Building the machine (not while a library thread runs).
    DevInst AddDevice(std::u16string instanceId, DevInst parent);
    Device& DeviceOf(DevInst device);
    Hub& AddHub(DevInst device, std::u16string path, int ports);
    StorageInterface& AddStorage(StorageClass kind, DevInst device, std::u16string path,
                                 std::uint32_t deviceNumber);
    DriveLetter& AddLetter(char16_t letter, std::uint32_t driveType, std::u16string dosTarget,
                           std::uint32_t deviceNumber);
    Firmware& AddFirmware();
    DriveLetter* Letter(char16_t letter);
    // Removes the device, everything below it and what hangs on those. Handles
    // still open on what was removed stay open, but every control call on them
    // fails, as with a device pulled out under a program. May be called while
    // a library thread runs.
    void Unplug(DevInst device);

    bool admin = true;
    int ejectFailures = 0; // eject requests refused before one succeeds
    bool threadStartFails = false;
    ThreadSleep threadSleep = ThreadSleep::Instant;

    // What happened.
    const CallLog& Calls() const { return calls_; }
    void ClearCalls();
    int OpenHandles() const;
    std::uint64_t SleptMs() const { return sleptMs_.load(); }
    int EjectedCount() const { return ejected_; }
    DevInst LastEjected() const { return lastEjected_; }
    // What GetLastError would give on the calling thread after its last failed call.
    static std::uint32_t LastError();

    // The platform operations, as the table calls them.
    Handle GetClassDevs(const hatchlink::Guid* classGuid, const char16_t* enumerator,
                        std::uint32_t flags);
    int EnumDeviceInfo(Handle set, std::uint32_t index, hatchlink::DevInfoData* data);
    int EnumDeviceInterfaces(Handle set, const hatchlink::Guid* interfaceClass, std::uint32_t index,
                             hatchlink::DeviceInterfaceData* data);
    int GetInterfaceDetail(Handle set, hatchlink::DeviceInterfaceData* data,
                           hatchlink::DeviceInterfaceDetail* detail, std::uint32_t size,
                           hatchlink::DevInfoData* device);
    int DestroyDeviceInfoList(Handle set);
    hatchlink::ConfigRet GetDeviceId(DevInst device, char16_t* buffer, std::uint32_t length);
    hatchlink::ConfigRet GetParent(DevInst* parent, DevInst device);
    hatchlink::ConfigRet RequestEject(DevInst device);
    Handle CreateFile(const char16_t* name, std::uint32_t access, std::uint32_t share);
    int IoControl(Handle device, std::uint32_t code, void* in, std::uint32_t inSize, void* out,
                  std::uint32_t outSize, std::uint32_t* returned);
    int CloseHandle(Handle handle);
    std::uint32_t LogicalDrives();
    std::uint32_t DriveType(const char16_t* root);
    std::uint32_t DosDevice(const char16_t* name, char16_t* target, std::uint32_t length);
    int IsAdmin();
    void Sleep(std::uint32_t milliseconds);
    Handle BeginThread(hatchlink::ThreadProc procedure, void* argument);
    std::uint32_t WaitForThread(Handle thread);
    void Note(Op op);

  private:
    enum class Kind { Free, DeviceSet, Hub, Storage, Volume, Thread, Gone };
    enum class SetKind { UsbDevices, Hubs, Cdroms, Disks, Empty };
    struct Slot {
        Kind kind = Kind::Free;
        SetKind set = SetKind::UsbDevices;
        std::size_t object = 0;
        std::uint32_t access = 0;
        std::uint32_t share = 0;
        bool presentOnly = false; // a device set made with DIGCF_PRESENT
    };
    static constexpr std::size_t kSlots = 256;

    Handle Open(Kind kind, std::size_t object, std::uint32_t access, std::uint32_t share = 0);
    Handle OpenVolume(std::size_t letter, std::uint32_t access, std::uint32_t share);
    bool VolumeInUse(const Slot& locker) const;
    bool IsPresent(DevInst device) const;
    int Fail(Call* call, std::uint32_t error);
    // Points the handles of one kind at the objects' new places once those
    // marked in removed are erased; handles of removed objects become Gone.
    void MoveHandles(Kind kind, const std::vector<bool>& removed);
    Slot* Find(Handle h);
    // Each answers one control request: 0, or the error it is refused with.
    std::uint32_t IoHub(Slot& slot, std::uint32_t code, void* in, std::uint32_t inSize, void* out,
                        std::uint32_t outSize);
    std::uint32_t IoStorage(Call* call, Slot& slot, std::uint32_t code, void* in,
                            std::uint32_t inSize, void* out, std::uint32_t outSize);
    std::uint32_t IoPassThrough(Call* call, Slot& slot, void* in, std::uint32_t inSize, void* out,
                                std::uint32_t outSize);
    std::uint32_t IoVolume(Slot& slot, std::uint32_t code, void* out, std::uint32_t outSize);
    const StorageInterface* NthStorage(StorageClass kind, std::uint32_t index, bool presentOnly,
                                       std::size_t* position) const;
    const DriveLetter* LetterOf(char16_t letter) const;
    void SleepOnLibraryThread(std::unique_lock<std::mutex>& lock, std::uint32_t ms);

    mutable std::mutex mutex_;
    std::condition_variable wakeSleepers_;
    bool sleepersReleased_ = false;
    std::deque<Device> devices_;
    std::deque<Hub> hubs_;
    std::deque<StorageInterface> storage_;
    std::deque<DriveLetter> letters_;
    std::deque<Firmware> firmware_;
    std::deque<std::thread> threads_;
    Slot slots_[kSlots];
    CallLog calls_;
    std::atomic<std::uint64_t> sleptMs_{0};
    int ejected_ = 0;
    DevInst lastEjected_ = 0;
    DevInst nextDevInst_ = 0x100;
};

} // namespace stowkeep::sim
