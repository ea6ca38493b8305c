#include "platform/win32/win32_processes.h"

#include "platform/win32/owned_handle.h"

#include <tlhelp32.h>
#include <windows.h>

namespace stowkeep::platform::win32 {

namespace {

std::optional<std::uint32_t> SessionOf(DWORD processId) {
    DWORD session = 0;
    if (!::ProcessIdToSessionId(processId, &session)) {
        return std::nullopt;
    }
    return session;
}

} // namespace

std::vector<ProcessEntry> Win32Processes::List() const {
    std::vector<ProcessEntry> entries;
    const OwnedFileHandle snapshot{::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0)};
    if (!snapshot) {
        return entries;
    }
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32FirstW(snapshot.Get(), &entry); more;
         more = ::Process32NextW(snapshot.Get(), &entry)) {
        entries.push_back({entry.th32ProcessID, SessionOf(entry.th32ProcessID), entry.szExeFile});
    }
    return entries;
}

std::uint32_t Win32Processes::CurrentProcessId() const {
    return ::GetCurrentProcessId();
}

std::optional<std::uint32_t> Win32Processes::CurrentSessionId() const {
    return SessionOf(::GetCurrentProcessId());
}

bool Win32Processes::Terminate(std::uint32_t id, std::uint32_t exitCode) {
    const OwnedKernelHandle process{::OpenProcess(PROCESS_TERMINATE, FALSE, id)};
    return process && ::TerminateProcess(process.Get(), exitCode) != FALSE;
}

} // namespace stowkeep::platform::win32
