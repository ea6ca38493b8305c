#include "call_counter.h"

#include <atomic>
#include <cstring>
#include <windows.h>

namespace stowkeep::bench {
namespace {

std::atomic<long long> calls{0};
std::atomic<long long> flushes{0};

struct Counted {
    const char* name;
    void* standIn;
    void** real;
};

template <int I, typename F> struct StandIn;
template <int I, typename R, typename... A> struct StandIn<I, R (*)(A...)> {
    static inline void* real = nullptr;
    static R WINAPI Call(A... a) {
        ++calls;
        if constexpr (I == 0) {
            ++flushes;
        }
        return reinterpret_cast<R (*)(A...)>(real)(a...);
    }
};

#define STOWKEEP_COUNTED(index, name)                                                              \
    Counted {                                                                                      \
#name, reinterpret_cast < void*>(&StandIn <index, decltype(&name)>::Call),                 \
            &StandIn < index, decltype(&name)> ::real                                              \
    }

Counted kCounted[] = {
    STOWKEEP_COUNTED(0, FlushFileBuffers),
    STOWKEEP_COUNTED(1, CreateFileW),
    STOWKEEP_COUNTED(2, ReadFile),
    STOWKEEP_COUNTED(3, WriteFile),
    STOWKEEP_COUNTED(4, CloseHandle),
    STOWKEEP_COUNTED(5, GetFileSizeEx),
    STOWKEEP_COUNTED(6, GetFileAttributesW),
    STOWKEEP_COUNTED(7, MoveFileExW),
    STOWKEEP_COUNTED(8, GetDiskFreeSpaceExW),
    STOWKEEP_COUNTED(9, FindFirstFileExW),
    STOWKEEP_COUNTED(10, FindNextFileW),
    STOWKEEP_COUNTED(11, FindClose),
    STOWKEEP_COUNTED(12, DeleteFileW),
    STOWKEEP_COUNTED(13, CreateDirectoryW),
    STOWKEEP_COUNTED(14, SetFilePointerEx),
    STOWKEEP_COUNTED(15, SetEndOfFile),
    STOWKEEP_COUNTED(16, GetDriveTypeW),
};

void Patch(void** slot, void* value) {
    DWORD old = 0;
    VirtualProtect(slot, sizeof(void*), PAGE_READWRITE, &old);
    *slot = value;
    VirtualProtect(slot, sizeof(void*), old, &old);
}

} // namespace

bool CountFileCalls() {
    auto* base = reinterpret_cast<unsigned char*>(GetModuleHandleW(nullptr));
    const auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const auto& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (directory.VirtualAddress == 0) {
        return false;
    }
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    for (Counted& counted : kCounted) {
        *counted.real = reinterpret_cast<void*>(GetProcAddress(kernel, counted.name));
    }
    bool found = false;
    for (auto* import = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
         import->Name != 0; ++import) {
        auto* slot = reinterpret_cast<void**>(base + import->FirstThunk);
        for (; *slot != nullptr; ++slot) {
            for (Counted& counted : kCounted) {
                if (*slot == *counted.real) {
                    Patch(slot, counted.standIn);
                    found = true;
                }
            }
        }
    }
    return found;
}

FileCallCounts FileCallsSoFar() {
    return {calls.load(), flushes.load()};
}

} // namespace stowkeep::bench
