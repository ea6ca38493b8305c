#include "platform/instances_to_end.h"
#include "tests/platform/contract_world.h"

#include <algorithm>
#include <cwctype>
#include <gtest/gtest.h>

namespace stowkeep::contract {
namespace {

using platform::ProcessEntry;

class ProcessesContract : public ::testing::TestWithParam<WorldKind> {
  protected:
    void SetUp() override { world_ = MakeWorld(GetParam()); }

    platform::Processes& Processes() { return world_->Processes(); }

    std::optional<ProcessEntry> Entry(std::uint32_t id) {
        const auto list = Processes().List();
        const auto found = std::find_if(list.begin(), list.end(),
                                        [id](const ProcessEntry& e) { return e.id == id; });
        return found == list.end() ? std::nullopt : std::optional<ProcessEntry>(*found);
    }

    std::unique_ptr<ContractWorld> world_;
};

TEST_P(ProcessesContract, SnapshotListsOurselvesWithOurSession) {
    const auto self = Entry(Processes().CurrentProcessId());
    ASSERT_TRUE(self.has_value());
    ASSERT_TRUE(Processes().CurrentSessionId().has_value());
    EXPECT_EQ(self->exeName, world_->OwnExeName());
    EXPECT_EQ(self->sessionId, Processes().CurrentSessionId());
}

TEST_P(ProcessesContract, TerminateEndsTheProcessWithTheGivenCode) {
    const std::uint32_t idle = world_->StartIdleProcess();
    ASSERT_NE(idle, 0u);
    const auto entry = Entry(idle);
    ASSERT_TRUE(entry.has_value());
    EXPECT_EQ(entry->sessionId, Processes().CurrentSessionId());

    EXPECT_TRUE(Processes().Terminate(idle, 5));
    EXPECT_EQ(world_->AwaitExitCode(idle), 5u);
}

TEST_P(ProcessesContract, TerminateOfAProcessThatDoesNotRunFails) {
    std::uint32_t unused = 0x7FFFFFF0;
    while (Entry(unused)) {
        unused -= 4;
    }
    EXPECT_FALSE(Processes().Terminate(unused, 0));
}

TEST_P(ProcessesContract, InstancesOfOurNamePickOthersFirstAndOurselvesLast) {
    const std::uint32_t idle = world_->StartIdleProcess();
    ASSERT_NE(idle, 0u);
    const auto self = Processes().CurrentProcessId();
    const auto session = Processes().CurrentSessionId();

    const auto picked =
        platform::InstancesToEnd(Processes().List(), world_->OwnExeName(), session, self);
    ASSERT_GE(picked.size(), 2u);
    EXPECT_NE(std::find(picked.begin(), picked.end(), idle), picked.end());
    EXPECT_EQ(picked.back(), self);

    std::wstring upper = world_->OwnExeName();
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towupper(c)); });
    EXPECT_TRUE(platform::InstancesToEnd(Processes().List(), upper, session, self).empty());
}

INSTANTIATE_TEST_SUITE_P(Worlds, ProcessesContract, ::testing::ValuesIn(AvailableWorlds()),
                         WorldNamer{});

} // namespace
} // namespace stowkeep::contract
