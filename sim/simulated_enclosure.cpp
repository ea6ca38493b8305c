#include "sim/simulated_enclosure.h"

namespace stowkeep::sim {

namespace {

constexpr std::uint32_t kDiskNumber = 1;
// A letter that no longer belongs to the enclosure keeps its entry with a
// device number no storage interface has.
constexpr std::uint32_t kNoDevice = 0xFFFF;
constexpr std::uint8_t kPressedState = 2;

} // namespace

SimulatedEnclosure::SimulatedEnclosure(Machine& machine, const EnclosureState& initial)
    : machine_(machine), root_(AddRootHub(machine, 1, 4)), presses_(initial.presses),
      pressesSeen_(initial.presses) {
    Apply(initial);
}

void SimulatedEnclosure::Apply(const EnclosureState& state) {
    {
        std::lock_guard lock(buttonMutex_);
        held_ = state.held;
        presses_ = state.presses;
    }
    if (state.plugged && (!plugged_ || state.letter != letter_)) {
        PullOut();
        PlugIn(state.letter);
    } else if (!state.plugged) {
        PullOut();
    }
}

bool SimulatedEnclosure::Plugged() const {
    return plugged_;
}

DevInst SimulatedEnclosure::UsbDevice() const {
    return plugged_ ? enclosure_.usb : 0;
}

std::array<std::uint8_t, 2> SimulatedEnclosure::NextButtonReading() {
    std::lock_guard lock(buttonMutex_);
    if (held_)
        return {kPressedState, 0};
    if (presses_ != pressesSeen_) {
        pressesSeen_ = presses_;
        return {kPressedState, 0};
    }
    return {0, 0};
}

void SimulatedEnclosure::PlugIn(wchar_t letter) {
    EnclosurePlan plan;
    plan.withCdrom = false;
    plan.diskLetters.clear();
    plan.diskNumber = kDiskNumber;
    enclosure_ = AddEnclosure(machine_, root_, plan);
    enclosure_.firmware->buttonSource = [this] { return NextButtonReading(); };
    UseLetter(letter);
    plugged_ = true;
}

void SimulatedEnclosure::PullOut() {
    if (!plugged_)
        return;
    machine_.Unplug(enclosure_.usb);
    plugged_ = false;
}

void SimulatedEnclosure::UseLetter(wchar_t letter) {
    const auto wanted = static_cast<char16_t>(letter);
    if (letter_ != 0 && letter_ != letter)
        machine_.Letter(static_cast<char16_t>(letter_))->deviceNumber = kNoDevice;
    if (DriveLetter* existing = machine_.Letter(wanted))
        existing->deviceNumber = kDiskNumber;
    else
        machine_.AddLetter(wanted, hatchlink::kDriveFixed, u"\\Device\\HarddiskVolume9",
                           kDiskNumber);
    letter_ = letter;
}

} // namespace stowkeep::sim
