// Safe Removal from the main window down to the simulated enclosure: the real
// device library, bound by name through the fake library seam, runs on the
// simulated machine; the main window sees the enclosure's disk on the
// in-memory volume side. The poll thread, the one-touch watcher and the
// drive-change watcher all run, so CI also runs this program under
// ThreadSanitizer.

#include "devicelib/hatchlink.h"
#include "devicelib/os_table.h"
#include "devicelib/poll.h"
#include "sim/machine.h"
#include "sim/scenario.h"
#include "tests/app/app_world.h"

#include <algorithm>
#include <condition_variable>
#include <gtest/gtest.h>
#include <mutex>
#include <optional>

namespace stowkeep::app {
namespace {

using testing::AppWorld;
using Texts = std::vector<std::wstring>;
using Pictures = std::vector<std::wstring>;

const std::wstring kQuestion = L"Are you sure to do Safe Removal?";
const std::wstring kDone = L"Safe Removal is completed.";
const std::wstring kRedo = L"Please redo Safe Removal.";

// The poll thread's first pause between cycles: by then its first discovery
// has filled the enclosure table that SafelyRemove works from.
class FirstPollPause {
  public:
    // Before DllSet: the poll thread starts with the entry in place and never sees it change.
    static void Arm() {
        const std::lock_guard lock(mutex_);
        paused_ = false;
        hatchlink::Os().Sleep = &Sleep;
    }
    static void Wait() {
        std::unique_lock lock(mutex_);
        pausedChanged_.wait(lock, [] { return paused_; });
    }

  private:
    static void Sleep(std::uint32_t milliseconds) {
        if (milliseconds == hatchlink::kPollPeriodMs) {
            {
                const std::lock_guard lock(mutex_);
                paused_ = true;
            }
            pausedChanged_.notify_all();
        }
        hatchlink::PlatformOsTable().Sleep(milliseconds);
    }

    static inline std::mutex mutex_;
    static inline std::condition_variable pausedChanged_;
    static inline bool paused_ = false;
};

// One enclosure with its disk at F: and its CD-ROM at G:, the same disk as a
// USB volume of vendor "KD-RX710" at F: on the main program's side, and
// Hatchlink.dll beside the program made of the device library's own exports.
class SafeRemovalEndToEnd : public ::testing::Test {
  protected:
    SafeRemovalEndToEnd() {
        // The poll thread stays in its first pause, so one discovery is all it does.
        machine.threadSleep = sim::ThreadSleep::UntilWaitedFor;
        world->libraries.Put(testing::kLibraryPath, {{"DllSet", &DllSet},
                                                     {"ButtonStatus", &ButtonStatus},
                                                     {"SafelyRemove", &SafelyRemove},
                                                     {"DllEnd", &DllEnd}});
        world->PutUsbVolume("KD-RX710", L'F');
    }

    void Start() {
        FirstPollPause::Arm();
        world->Start();
        FirstPollPause::Wait();
    }

    // Exit: DllEnd stops the poll thread, after which its call log can be read.
    void EndProgram() { world.reset(); }

    int Count(sim::Op op, std::uint32_t code = 0) const {
        return static_cast<int>(
            std::count_if(machine.Calls().begin(), machine.Calls().end(), [&](const sim::Call& c) {
                return c.op == op && (code == 0 || c.code == code);
            }));
    }

    // The pictures of the Backup, Virtual HDD and Safe Removal buttons.
    Pictures DevicePictures() const {
        return {world->PictureOf("Image16"), world->PictureOf("Image17"),
                world->PictureOf("Image19")};
    }
    Pictures StorePictures(const char* backup, const char* virtualHdd,
                           const char* safeRemoval) const {
        return {world->StorePicture(backup), world->StorePicture(virtualHdd),
                world->StorePicture(safeRemoval)};
    }
    Pictures WithEnclosure() const { return StorePictures("Image7", "Image22", "Image13"); }
    Pictures WithoutEnclosure() const { return StorePictures("Image28", "Image29", "Image30"); }

    // What the system does once it has ejected the enclosure: the device and its
    // volume go, and the removal is broadcast to the program's window.
    void PlayTheSystemsRemoval() {
        machine.Unplug(enclosure.usb);
        world->volumes.RemoveVolume(platform::FakeVolumeName(1)); // PutUsbVolume's volume
        world->deviceHook.OnDeviceChange(drives::kDbtDeviceRemoveComplete,
                                         drives::kDbtDevtypVolume);
    }

    // The drive-change watcher settles, rescans and posts one device search.
    void RunTheWatchersDeviceSearch() {
        world->toolkit.headlessDispatcher().waitForWork();
        world->toolkit.dispatcher().processPendingMessages();
    }

    sim::Machine machine;
    sim::RootHub root = sim::AddRootHub(machine, 1, 4);
    sim::Enclosure enclosure =
        sim::AddEnclosure(machine, root, {.diskLetters = u"F", .cdromLetters = u"G"});
    std::optional<AppWorld> world{std::in_place};
};

TEST_F(SafeRemovalEndToEnd, NoLeavesTheEnclosureAlone) {
    Start();
    ASSERT_EQ(world->form1->State().DeviceState, L"ok");
    world->toolkit.messages().answerNext(ui::Answer::No);

    world->Button("Image19").click();
    EXPECT_EQ(world->toolkit.messages().texts(), (Texts{kQuestion}));
    EXPECT_EQ(DevicePictures(), WithEnclosure());

    EndProgram();
    EXPECT_EQ(Count(sim::Op::IoControl, hatchlink::kFsctlLockVolume), 0);
    EXPECT_EQ(Count(sim::Op::RequestEject), 0);
    EXPECT_EQ(machine.OpenHandles(), 0);
}

TEST_F(SafeRemovalEndToEnd, CompletedRemovalEndsInTheNoEnclosurePictures) {
    Start();
    ASSERT_EQ(DevicePictures(), WithEnclosure());

    world->Button("Image19").click();
    EXPECT_EQ(world->toolkit.messages().texts(), (Texts{kQuestion, kDone}));
    EXPECT_EQ(machine.EjectedCount(), 1);
    EXPECT_EQ(machine.LastEjected(), enclosure.usb);
    // Until the system reports the removal the window still shows the enclosure.
    EXPECT_EQ(world->form1->State().DeviceState, L"ok");

    PlayTheSystemsRemoval();
    RunTheWatchersDeviceSearch();
    EXPECT_EQ(world->form1->State().DeviceState, L"non");
    EXPECT_EQ(DevicePictures(), WithoutEnclosure());
    world->toolkit.messages().clear();
    world->Button("Image19").click();
    world->Button("Image16").click();
    EXPECT_TRUE(world->toolkit.messages().shown().empty());
    EXPECT_EQ(world->form1->Pages().activePage(), 0);

    EndProgram();
    EXPECT_EQ(Count(sim::Op::RequestEject), 1);
    EXPECT_EQ(machine.OpenHandles(), 0);
}

struct Refusal {
    const char* name;
    bool lockRefused;  // a program holds the disk's volume open
    int ejectFailures; // the system vetoes the eject
    int refusedEjectRequests;
};

class RefusedRemoval : public SafeRemovalEndToEnd, public ::testing::WithParamInterface<Refusal> {};

// The library refuses; the enclosure stays usable and, once nothing stands in
// the way, a second request removes it.
TEST_P(RefusedRemoval, CanBeAskedAgain) {
    const Refusal& c = GetParam();
    machine.Letter(u'F')->lockRefused = c.lockRefused;
    machine.ejectFailures = c.ejectFailures;
    Start();

    world->Button("Image19").click();
    EXPECT_EQ(world->toolkit.messages().texts(), (Texts{kQuestion, kRedo}));
    EXPECT_EQ(machine.EjectedCount(), 0);
    EXPECT_EQ(world->form1->State().DeviceState, L"ok");
    EXPECT_EQ(DevicePictures(), WithEnclosure());

    machine.Letter(u'F')->lockRefused = false;
    machine.ejectFailures = 0;
    world->Button("Image19").click();
    EXPECT_EQ(world->toolkit.messages().texts(), (Texts{kQuestion, kRedo, kQuestion, kDone}));
    EXPECT_EQ(machine.LastEjected(), enclosure.usb);

    EndProgram();
    EXPECT_EQ(Count(sim::Op::RequestEject), c.refusedEjectRequests + 1);
    EXPECT_EQ(machine.OpenHandles(), 0);
}

INSTANTIATE_TEST_SUITE_P(Refusals, RefusedRemoval,
                         ::testing::Values(Refusal{"VolumeInUse", true, 0, 0},
                                           Refusal{"EjectVetoed", false, 1000, 3}),
                         [](const auto& row) { return std::string(row.param.name); });

} // namespace
} // namespace stowkeep::app
