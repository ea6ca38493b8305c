// Stowkeep(KD-RX710).exe of the simulated-enclosure flavour: the real program
// on the real system, except that the enclosure's volume comes from the state
// file beside the exe.
#include "app/win32/windows_program.h"
#include "platform/win32/library_search.h"
#include "sim/flavour/state_file.h"
#include "sim/simulated_volumes.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    using namespace stowkeep;
    static_cast<void>(platform::win32::ConfineLibrarySearchToSystem());
    app::Win32Machine machine;
    const std::wstring stateFile = sim::flavour::StateFileBeside(nullptr);
    sim::SimulatedVolumes volumes(machine.volumes,
                                  [stateFile] { return sim::flavour::ReadStateFile(stateFile); });
    return app::RunWindowsProgram(machine, volumes);
}
