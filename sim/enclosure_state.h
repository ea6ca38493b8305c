#pragma once
// What a person does to the simulated enclosure from outside the program: plug
// it in at a drive letter or pull it out, press its button or hold it down.
// The state is kept as a few lines of text ("plugged 1", "letter E",
// "presses 3", "held 0") that the demo's command writes and the program and
// its device library read.

#include <cstdint>
#include <string>
#include <string_view>

namespace stowkeep::sim {

struct EnclosureState {
    bool plugged = true;
    wchar_t letter = L'E';
    std::uint32_t presses = 0; // every press so far; a reader reacts to the increase
    bool held = false;

    bool operator==(const EnclosureState&) const = default;
};

std::string FormatEnclosureState(const EnclosureState& state);
// Lines it does not know, and values out of range, leave the defaults in place.
EnclosureState ParseEnclosureState(std::string_view text);

} // namespace stowkeep::sim
