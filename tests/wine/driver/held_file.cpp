#include "tests/wine/driver/journey_commands.h"

#include <cstdio>
#include <windows.h>

namespace stowkeep::driver {

// Another program with a file of the enclosure open, the way an editor keeps a
// document: nobody else may open it while it is held.
int HoldFile(const Args& a) {
    HANDLE file = CreateFileW(a[0].c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        std::fwprintf(stderr, L"stowkeep_driver: cannot open %ls\n", a[0].c_str());
        return 1;
    }
    std::printf("%lu\n", GetCurrentProcessId());
    std::fflush(stdout);
    Sleep(static_cast<DWORD>(std::wcstoul(a[1].c_str(), nullptr, 10)));
    CloseHandle(file);
    return 0;
}

} // namespace stowkeep::driver
