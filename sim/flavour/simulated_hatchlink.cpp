// Hatchlink.dll of the simulated-enclosure flavour: the device library's own
// code on a simulated machine whose enclosure follows the state file beside
// the library. Its poll thread sleeps in real time; a volume of the enclosure
// refuses its lock while a file on it is held open; a granted eject pulls the
// enclosure out and tells the windows, as the system would.

#include "devicelib/os_table.h"
#include "sim/flavour/held_files.h"
#include "sim/flavour/state_file.h"
#include "sim/flavour/volume_broadcasts.h"
#include "sim/simulated_enclosure.h"

#include <windows.h>

namespace stowkeep::sim::flavour {

namespace {

namespace hl = hatchlink;

struct Simulation {
    explicit Simulation(std::wstring file)
        : stateFile(std::move(file)), enclosure(machine, ReadStateFile(stateFile)),
          linked(hl::PlatformOsTable()) {
        machine.threadSleep = ThreadSleep::RealTime;
    }

    std::wstring stateFile;
    Machine machine;
    SimulatedEnclosure enclosure;
    hl::OsTable linked;
};

Simulation* simulation = nullptr;

// Each enumeration starts from the enclosure as the state file has it now.
hl::Handle EnumerateAfterLooking(const hl::Guid* classGuid, const char16_t* enumerator,
                                 std::uint32_t flags) {
    simulation->enclosure.Apply(ReadStateFile(simulation->stateFile));
    return simulation->linked.SetupDiGetClassDevsW(classGuid, enumerator, flags);
}

// \\.\X: of one of the machine's letters: its lock is refused while a file
// on the drive is held open.
hl::Handle OpenWithLockState(const char16_t* name, std::uint32_t access, std::uint32_t share,
                             std::uint32_t disposition, std::uint32_t attributes) {
    const std::u16string_view path(name);
    if (path.size() == 6 && path.starts_with(u"\\\\.\\") && path[5] == u':') {
        if (DriveLetter* letter = simulation->machine.Letter(path[4])) {
            const std::wstring root{static_cast<wchar_t>(path[4]), L':', L'\\'};
            letter->lockRefused = AnyFileHeldOpen(root);
        }
    }
    return simulation->linked.CreateFileW(name, access, share, disposition, attributes);
}

hl::ConfigRet EjectAndTell(hl::DevInst device, std::int32_t* vetoType, char16_t* vetoName,
                           std::uint32_t nameLength, std::uint32_t flags) {
    const hl::ConfigRet result =
        simulation->linked.CM_Request_Device_EjectW(device, vetoType, vetoName, nameLength, flags);
    if (result == hl::kCrSuccess && device == simulation->enclosure.UsbDevice()) {
        EnclosureState state = ReadStateFile(simulation->stateFile);
        state.plugged = false;
        WriteStateFile(simulation->stateFile, state);
        simulation->enclosure.Apply(state);
        BroadcastVolumeChange(state.letter, false);
    }
    return result;
}

void Start(HMODULE self) {
    simulation = new Simulation(StateFileBeside(self));
    hl::OsTable& os = hl::Os();
    os.SetupDiGetClassDevsW = EnumerateAfterLooking;
    os.CreateFileW = OpenWithLockState;
    os.CM_Request_Device_EjectW = EjectAndTell;
}

} // namespace

} // namespace stowkeep::sim::flavour

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID reserved) {
    using stowkeep::sim::flavour::simulation;
    if (reason == DLL_PROCESS_ATTACH) {
        DisableThreadLibraryCalls(self);
        stowkeep::sim::flavour::Start(self);
    } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
        // Unloaded after DllEnd: the poll thread is gone. At process exit the
        // system has ended every thread already, so nothing is torn down then.
        stowkeep::hatchlink::ResetOs();
        delete simulation;
        simulation = nullptr;
    }
    return TRUE;
}
