// The device library's platform table on the simulated side: each entry passes
// the call to the Machine that currently exists.

#include "sim/machine.h"

#include <atomic>

namespace stowkeep::sim {

namespace hl = hatchlink;

namespace {

std::atomic<Machine*> current{nullptr};

Machine* M() {
    return current.load();
}

Handle GetClassDevs(const hl::Guid* g, const char16_t* e, std::uint32_t f) {
    return M() ? M()->GetClassDevs(g, e, f) : hl::kInvalidHandle;
}
int EnumDeviceInfo(Handle s, std::uint32_t i, hl::DevInfoData* d) {
    return M() ? M()->EnumDeviceInfo(s, i, d) : 0;
}
int EnumDeviceInterfaces(Handle s, const hl::Guid* g, std::uint32_t i, hl::DeviceInterfaceData* d) {
    return M() ? M()->EnumDeviceInterfaces(s, g, i, d) : 0;
}
int GetInterfaceDetail(Handle s, hl::DeviceInterfaceData* d, hl::DeviceInterfaceDetail* detail,
                       std::uint32_t size, hl::DevInfoData* device) {
    return M() ? M()->GetInterfaceDetail(s, d, detail, size, device) : 0;
}
int DestroyDeviceInfoList(Handle s) {
    return M() ? M()->DestroyDeviceInfoList(s) : 0;
}

constexpr hl::ConfigRet kNoSuchDevinst = 0x0D;

hl::ConfigRet GetDeviceId(DevInst d, char16_t* b, std::uint32_t n, std::uint32_t) {
    return M() ? M()->GetDeviceId(d, b, n) : kNoSuchDevinst;
}
hl::ConfigRet GetParent(DevInst* p, DevInst d, std::uint32_t) {
    return M() ? M()->GetParent(p, d) : kNoSuchDevinst;
}
hl::ConfigRet RequestEject(DevInst d, std::int32_t* vetoType, char16_t*, std::uint32_t,
                           std::uint32_t) {
    *vetoType = 0;
    return M() ? M()->RequestEject(d) : kNoSuchDevinst;
}

char16_t Fold(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c;
}

int CompareText(std::uint32_t, std::uint32_t flags, const char16_t* a, int an, const char16_t* b,
                int bn) {
    if (M())
        M()->Note(Op::CompareString);
    auto length = [](const char16_t* s, int n) {
        if (n >= 0)
            return n;
        int k = 0;
        while (s[k])
            ++k;
        return k;
    };
    an = length(a, an);
    bn = length(b, bn);
    const bool ignoreCase = flags & hl::kNormIgnoreCase;
    for (int i = 0; i < an && i < bn; ++i) {
        const char16_t x = ignoreCase ? Fold(a[i]) : a[i];
        const char16_t y = ignoreCase ? Fold(b[i]) : b[i];
        if (x != y)
            return x < y ? 1 : 3;
    }
    return an == bn ? hl::kCstrEqual : (an < bn ? 1 : 3);
}

Handle OpenFile(const char16_t* name, std::uint32_t access, std::uint32_t share, std::uint32_t,
                std::uint32_t) {
    return M() ? M()->CreateFile(name, access, share) : hl::kInvalidHandle;
}
int IoControl(Handle h, std::uint32_t code, void* in, std::uint32_t inSize, void* out,
              std::uint32_t outSize, std::uint32_t* returned) {
    *returned = 0;
    return M() ? M()->IoControl(h, code, in, inSize, out, outSize, returned) : 0;
}
int Close(Handle h) {
    return M() ? M()->CloseHandle(h) : 0;
}
std::uint32_t LogicalDrives() {
    return M() ? M()->LogicalDrives() : 0;
}
std::uint32_t DriveType(const char16_t* root) {
    return M() ? M()->DriveType(root) : hl::kDriveNoRootDir;
}
std::uint32_t DosDevice(const char16_t* name, char16_t* target, std::uint32_t length) {
    return M() ? M()->DosDevice(name, target, length) : 0;
}
int IsAdmin() {
    return M() ? M()->IsAdmin() : 0;
}
void Pause(std::uint32_t ms) {
    if (M())
        M()->Sleep(ms);
}
Handle StartThread(hl::ThreadProc procedure, void* argument) {
    return M() ? M()->BeginThread(procedure, argument) : 0;
}
std::uint32_t WaitThread(Handle thread) {
    return M() ? M()->WaitForThread(thread) : 0xFFFFFFFFu;
}

} // namespace

Machine::Machine(std::size_t callCapacity) : calls_(callCapacity) {
    current.store(this);
    hl::ResetOs();
}

Machine::~Machine() {
    for (std::thread& t : threads_)
        if (t.joinable())
            t.join();
    current.store(nullptr);
}

} // namespace stowkeep::sim

namespace stowkeep::hatchlink {

const OsTable& PlatformOsTable() {
    static const OsTable table{
        sim::GetClassDevs,
        sim::EnumDeviceInfo,
        sim::EnumDeviceInterfaces,
        sim::GetInterfaceDetail,
        sim::DestroyDeviceInfoList,
        sim::GetDeviceId,
        sim::GetParent,
        sim::RequestEject,
        sim::CompareText,
        sim::OpenFile,
        sim::IoControl,
        sim::Close,
        sim::LogicalDrives,
        sim::DriveType,
        sim::DosDevice,
        sim::IsAdmin,
        sim::Pause,
        sim::StartThread,
        sim::WaitThread,
    };
    return table;
}

} // namespace stowkeep::hatchlink
