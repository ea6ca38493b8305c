#pragma once
// One KD-RX710 on a simulated machine, worked from outside: Apply() plugs it in
// or pulls it out as the state says, and its firmware answers button queries
// from the state's button. Apply() must not be called from inside a call of
// the machine; the button answer may be asked for from anywhere.

#include "sim/enclosure_state.h"
#include "sim/machine.h"
#include "sim/scenario.h"

#include <array>
#include <cstdint>
#include <mutex>

namespace stowkeep::sim {

class SimulatedEnclosure {
  public:
    // Presses counted in `initial` are taken as already seen.
    SimulatedEnclosure(Machine& machine, const EnclosureState& initial);
    SimulatedEnclosure(const SimulatedEnclosure&) = delete;
    SimulatedEnclosure& operator=(const SimulatedEnclosure&) = delete;

    void Apply(const EnclosureState& state);
    bool Plugged() const;
    DevInst UsbDevice() const;

    // The state and seconds bytes of one button query: held gives state 2 with
    // 0 seconds at every query, a press not yet seen gives it at one query.
    std::array<std::uint8_t, 2> NextButtonReading();

  private:
    void PlugIn(wchar_t letter);
    void PullOut();
    void UseLetter(wchar_t letter);

    Machine& machine_;
    RootHub root_;
    Enclosure enclosure_;
    bool plugged_ = false;
    wchar_t letter_ = 0;

    mutable std::mutex buttonMutex_;
    bool held_ = false;
    std::uint32_t presses_ = 0;
    std::uint32_t pressesSeen_ = 0;
};

} // namespace stowkeep::sim
