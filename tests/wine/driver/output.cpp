#include "tests/wine/driver/output.h"

#include <cstdio>
#include <windows.h>

namespace stowkeep::driver {

void Print(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), utf8.data(), size,
                        nullptr, nullptr);
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
    std::fputc('\n', stdout);
}

int Fail(const std::wstring& why) {
    std::fwprintf(stderr, L"stowkeep_driver: %ls\n", why.c_str());
    return 1;
}

} // namespace stowkeep::driver
