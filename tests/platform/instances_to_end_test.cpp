#include "platform/fake/fake_processes.h"
#include "platform/instances_to_end.h"

#include <gtest/gtest.h>

namespace stowkeep::platform {
namespace {

constexpr wchar_t kName[] = L"Stowkeep(KD-RX710).exe";
constexpr std::uint32_t kOwnId = 500;
constexpr std::uint32_t kOwnSession = 2;

// A machine with two logged-on users, each running the program, plus look-alikes.
const std::vector<ProcessEntry> kSnapshot = {
    {4, 0, L"System"},
    {500, kOwnSession, kName},                     // ourselves, early in the snapshot
    {612, 1, kName},                               // another user's instance
    {640, kOwnSession, L"stowkeep(kd-rx710).exe"}, // differs in letter case only
    {700, kOwnSession, kName},                     // a stray instance of our own session
    {720, std::nullopt, kName},                    // session could not be read
    {800, 0, kName},                               // a service's, in session 0
    {730, kOwnSession, L"Stowkeep(KD-RX710).exe.bak"},
};

TEST(InstancesToEndTest, PicksOnlyOurSessionsExactNameWithOurselvesLast) {
    EXPECT_EQ(InstancesToEnd(kSnapshot, kName, kOwnSession, kOwnId),
              (std::vector<std::uint32_t>{700, 500}));
}

TEST(InstancesToEndTest, RenamedExecutablePicksNothing) {
    EXPECT_TRUE(InstancesToEnd(kSnapshot, L"Renamed.exe", kOwnSession, kOwnId).empty());
}

TEST(InstancesToEndTest, OtherSessionsInstancesAreLeftAlone) {
    EXPECT_EQ(InstancesToEnd(kSnapshot, kName, 1, 612), (std::vector<std::uint32_t>{612}));
}

TEST(InstancesToEndTest, UnknownOwnSessionPicksOnlyOurselves) {
    EXPECT_EQ(InstancesToEnd(kSnapshot, kName, std::nullopt, kOwnId),
              (std::vector<std::uint32_t>{kOwnId}));
}

TEST(EndInstancesOfOwnSessionTest, UnreadableOwnSessionEndsNoServiceNorUnknownSession) {
    fake::FakeProcesses processes(kOwnId, std::nullopt);
    for (const ProcessEntry& entry : kSnapshot) {
        processes.Add(entry);
    }

    EXPECT_EQ(EndInstancesOfOwnSession(processes, kName), 1);

    ASSERT_EQ(processes.Ended().size(), 1u);
    EXPECT_EQ(processes.Ended()[0].id, kOwnId);
}

TEST(EndInstancesOfOwnSessionTest, EndsOursWithCodeZeroAndLeavesTheRestRunning) {
    fake::FakeProcesses processes(kOwnId, kOwnSession);
    for (const ProcessEntry& entry : kSnapshot) {
        processes.Add(entry);
    }

    EXPECT_EQ(EndInstancesOfOwnSession(processes, kName), 2);

    const auto& ended = processes.Ended();
    ASSERT_EQ(ended.size(), 2u);
    EXPECT_EQ(ended[0].id, 700u);
    EXPECT_EQ(ended[1].id, kOwnId);
    EXPECT_EQ(ended[0].exitCode, 0u);
    EXPECT_EQ(ended[1].exitCode, 0u);
    EXPECT_EQ(processes.List().size(), kSnapshot.size() - 2);
}

// The last clean-up runs after every other instance has ended and before our
// own end, and only when our own process is about to end.
TEST(EndInstancesOfOwnSessionTest, LastCleanUpRunsJustBeforeOurOwnEnd) {
    for (const wchar_t* name : {kName, L"Renamed.exe"}) {
        fake::FakeProcesses processes(kOwnId, kOwnSession);
        for (const ProcessEntry& entry : kSnapshot) {
            processes.Add(entry);
        }
        std::vector<std::size_t> endedBefore;
        EndInstancesOfOwnSession(processes, name,
                                 [&] { endedBefore.push_back(processes.Ended().size()); });
        const bool ownEnds = std::wstring_view(name) == kName;
        EXPECT_EQ(endedBefore, ownEnds ? std::vector<std::size_t>{1} : std::vector<std::size_t>{});
    }
}

} // namespace
} // namespace stowkeep::platform
