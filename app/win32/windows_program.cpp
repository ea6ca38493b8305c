#include "app/win32/windows_program.h"

#include "app/program_entry.h"
#include "app/texts.h"

namespace stowkeep::app {

namespace {

// The "is running" notice comes before any window of ours exists: the
// system's own box, unskinned, captioned with the application's title.
void PlainNotice(const std::wstring& text) {
    const std::wstring title(kApplicationTitle);
    MessageBoxW(nullptr, text.c_str(), title.c_str(), MB_OK);
}

} // namespace

int RunWindowsProgram(Win32Machine& machine, platform::VolumeSystem& volumes) {
    return RunProgram(machine.mutexes, PlainNotice, machine.Services(volumes));
}

} // namespace stowkeep::app
