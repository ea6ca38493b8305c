#pragma once
// A simulated machine with one enclosure (disk E and F, CD-ROM G) on a root hub,
// and the device library's state put back to what DllSet leaves.

#include "devicelib/library_state.h"
#include "sim/machine.h"
#include "sim/scenario.h"

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace stowkeep::hatchlink::testing {

inline void ResetLibrary(bool administrator) {
    std::memset(&EnclosureTable, 0, sizeof EnclosureTable);
    std::memset(&Scratch, 0, sizeof Scratch);
    CurrentHubPort = 0;
    CommandHandle = kInvalidHandle;
    PollThreadHandle = kInvalidHandle;
    StopRequested.store(0);
    ButtonCode.store(0);
    IsAdministrator = administrator ? 1 : 0;
    CommandTimeoutSeconds = 10;
    StateReportLimitMs = 1000;
    HoldReportMs = 2000;
}

// Names a parameterised case after the `name` field of its row.
struct NameOfCase {
    template <typename Info> std::string operator()(const Info& info) const {
        return info.param.name;
    }
};

class LibraryTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetLibrary(true); }

    // The names (paths or drives) of the calls of one kind, in order.
    std::vector<std::u16string> Names(sim::Op op) const {
        std::vector<std::u16string> names;
        for (const sim::Call& c : machine.Calls())
            if (c.op == op)
                names.push_back(c.Name());
        return names;
    }
    int Count(sim::Op op, std::uint32_t code = 0) const {
        return static_cast<int>(
            std::count_if(machine.Calls().begin(), machine.Calls().end(), [&](const sim::Call& c) {
                return c.op == op && (code == 0 || c.code == code);
            }));
    }
    const EnclosureRecord& First() const { return EnclosureTable.records[0]; }
    std::u16string Letters(std::uint32_t slot) const {
        return std::u16string(First().letters[slot], First().letterCounts[slot]);
    }

    sim::Machine machine;
    sim::RootHub root = sim::AddRootHub(machine, 1, 4);
};

// The machine above with one enclosure already plugged in.
class EnclosureTest : public LibraryTest {
  protected:
    sim::Enclosure enclosure = sim::AddEnclosure(machine, root, sim::EnclosurePlan{});
};

} // namespace stowkeep::hatchlink::testing
