// One poll cycle (a full discovery and the button query) on a machine of a
// realistic size: 20 USB devices on 4 hubs, 10 disks, 10 drive letters.

#include "devicelib/library_state.h"
#include "devicelib/poll.h"
#include "sim/machine.h"
#include "sim/scenario.h"

#include <benchmark/benchmark.h>

namespace {

using namespace stowkeep;

// 4 root hubs (themselves USB devices), the enclosure, 8 flash disks and 7 other
// devices; the system disk C, the enclosure's E, F and CD-ROM G, and H to M.
void BuildMachine(sim::Machine& m) {
    sim::RootHub hubs[4];
    for (int i = 0; i < 4; ++i)
        hubs[i] = sim::AddRootHub(m, i + 1, 5);
    const sim::DevInst sata = m.AddDevice(u"SCSI\\DISK&VEN_NVME&PROD_SSD\\5&1", 0);
    m.AddStorage(sim::StorageClass::Disk, sata, u"\\\\?\\scsi#disk#nvme", 0);
    m.AddLetter(u'C', hatchlink::kDriveFixed, u"\\Device\\HarddiskVolume3", 0);
    sim::AddEnclosure(m, hubs[0], {.port = 1});
    for (int i = 0; i < 8; ++i)
        sim::AddUsbDisk(m, hubs[1 + i % 3], 1 + static_cast<std::uint32_t>(i / 3), 2 + i,
                        static_cast<char16_t>(i < 6 ? u'H' + i : 0));
    for (int i = 0; i < 7; ++i)
        sim::AddUsbDevice(m, hubs[i % 4], 4 + static_cast<std::uint32_t>(i / 4), 0x046D,
                          static_cast<std::uint16_t>(0xC000 + i));
}

void PollCycle(benchmark::State& state) {
    sim::Machine machine(64);
    BuildMachine(machine);
    hatchlink::IsAdministrator = static_cast<std::int32_t>(state.range(0));
    hatchlink::CommandHandle = hatchlink::kInvalidHandle;
    machine.ClearCalls();
    for (auto _ : state)
        benchmark::DoNotOptimize(hatchlink::PollButton());
    state.counters["platform_calls"] = benchmark::Counter(
        static_cast<double>(machine.Calls().Total()), benchmark::Counter::kAvgIterations);
    if (hatchlink::EnclosureTable.count != 1)
        state.SkipWithError("the enclosure was not found");
}

BENCHMARK(PollCycle)->ArgName("direct")->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
