// Feeds arbitrary firmware replies, slot headers and records, tunnel statuses and
// chunk lengths to discovery, the poll cycle and safe removal. A handle left open
// or any memory error ends the run.

#include "devicelib/discovery.h"
#include "devicelib/hatchlink.h"
#include "devicelib/library_state.h"
#include "devicelib/os_table.h"
#include "devicelib/poll.h"
#include "sim/machine.h"
#include "sim/scenario.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

using namespace stowkeep;
using hatchlink::kInvalidHandle;

class Bytes {
  public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
    std::uint16_t Word() { return static_cast<std::uint16_t>(Byte() | (Byte() << 8)); }
    bool Bit() { return Byte() & 1; }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

void ShapeFirmware(sim::Firmware& f, Bytes& in) {
    for (auto& b : f.identity)
        b = in.Byte();
    f.hasSlotList = in.Bit();
    for (auto& b : f.slotHeader)
        b = in.Byte();
    f.slots.resize(in.Byte() % 16);
    for (auto& slot : f.slots)
        for (auto& b : slot)
            b = in.Byte();
    for (int id : {0x52, 0x59, 0x61, 0x51, 0x63})
        f.refusedBuffers.set(static_cast<std::size_t>(id), (in.Byte() & 7) == 0);
    f.PressButton(in.Byte(), in.Byte());
    f.busyBeforeChunk = in.Byte() % 110;
    f.chunkSize = 1 + in.Word() % 1100;
    f.emptyChunkBeforeEach = in.Bit();
    f.refuseBegin = (in.Byte() & 15) == 0;
    f.refuseCommandByteExchange = in.Byte() % 8 - 1;
    f.declaredChunkLength = in.Bit() ? in.Word() : -1;
    f.reportedLength = in.Bit() ? in.Word() : -1;
    for (int n = in.Byte() % 8; n > 0; --n)
        f.script.push_back({in.Byte(), in.Byte(), in.Word(), in.Byte()});
}

void ShapeMachine(sim::Machine& m, const sim::RootHub& root, Bytes& in) {
    sim::EnclosurePlan plan;
    plan.port = 1 + in.Byte() % 4;
    plan.withCdrom = in.Bit();
    plan.diskNumber = in.Byte() % 4;
    plan.cdromNumber = in.Byte() % 4;
    const sim::Enclosure e = sim::AddEnclosure(m, root, plan);
    ShapeFirmware(*e.firmware, in);
    m.DeviceOf(e.diskDevice).instanceId.back() = static_cast<char16_t>(in.Word());
    if (plan.withCdrom) {
        m.DeviceOf(e.cdromDevice).instanceId.back() = static_cast<char16_t>(in.Word());
        e.cdrom->peripheralType = in.Byte();
    }
    for (int n = in.Byte() % 4; n > 0; --n) {
        sim::DriveLetter& l =
            m.AddLetter(static_cast<char16_t>(u'H' + in.Byte() % 18), in.Byte() % 7,
                        u"\\Device\\HarddiskVolume1", in.Byte() % 4);
        l.lockRefused = in.Bit();
    }
    m.admin = in.Bit();
    m.ejectFailures = in.Byte() % 4;
}

void Check(bool ok) {
    if (!ok)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Bytes in(data, size);
    sim::Machine machine(64);
    const sim::RootHub root = sim::AddRootHub(machine, 1, 4);
    ShapeMachine(machine, root, in);

    hatchlink::IsAdministrator = machine.admin;
    hatchlink::CommandHandle = kInvalidHandle;
    const hatchlink::Handle h = hatchlink::DiscoverEnclosure();
    Check(machine.OpenHandles() == (h == kInvalidHandle ? 0 : 1));
    if (h != kInvalidHandle)
        hatchlink::Os().CloseHandle(h);

    const std::int32_t code = hatchlink::PollButton();
    Check(code >= 0 && code <= 255);
    Check(machine.OpenHandles() == 0);
    const std::int32_t removed = SafelyRemove();
    Check(removed == 0 || removed == 1);
    Check(machine.OpenHandles() == 0);
    return 0;
}
