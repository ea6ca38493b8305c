// The Windows program: the entry wired to the system's side of every seam.
#include "app/program_entry.h"
#include "app/texts.h"
#include "app/win32/win32_machine.h"

namespace {

// The "is running" notice comes before any window of ours exists: the
// system's own box, unskinned, captioned with the application's title.
void PlainNotice(const std::wstring& text) {
    const std::wstring title(stowkeep::app::kApplicationTitle);
    MessageBoxW(nullptr, text.c_str(), title.c_str(), MB_OK);
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    stowkeep::app::Win32Machine machine;
    return stowkeep::app::RunProgram(machine.mutexes, PlainNotice, machine.Services());
}
