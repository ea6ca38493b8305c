// stowkeep-enclosure: works the simulated enclosure from outside, like a
// person with the device in hand.
//   stowkeep-enclosure plug [LETTER]   plug it in (at E: unless told), with the arrival broadcast
//   stowkeep-enclosure unplug          pull it out, with the removal broadcast
//   stowkeep-enclosure press           one press of the button
//   stowkeep-enclosure hold            hold the button down ...
//   stowkeep-enclosure release         ... and let it go
//   stowkeep-enclosure status          print the state
// The state file is the one beside this command, where the flavour's program
// and device library read it.
#include "sim/flavour/state_file.h"
#include "sim/flavour/volume_broadcasts.h"

#include <cstdio>
#include <cwctype>
#include <string>

namespace {

using stowkeep::sim::EnclosureState;

int Usage() {
    std::fputs("usage: stowkeep-enclosure plug [LETTER] | unplug | press | hold | release | "
               "status\n",
               stderr);
    return 2;
}

// Applies the verb; false when it is not one.
bool Change(const std::wstring& verb, const wchar_t* argument, EnclosureState& state) {
    if (verb == L"plug") {
        state.plugged = true;
        if (argument && std::iswalpha(argument[0]))
            state.letter = static_cast<wchar_t>(std::towupper(argument[0]));
    } else if (verb == L"unplug") {
        state.plugged = false;
    } else if (verb == L"press") {
        ++state.presses;
    } else if (verb == L"hold") {
        state.held = true;
    } else if (verb == L"release") {
        state.held = false;
    } else {
        return verb == L"status";
    }
    return true;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    using namespace stowkeep::sim::flavour;
    if (argc < 2)
        return Usage();
    const std::wstring verb = argv[1];
    const std::wstring file = StateFileBeside(nullptr);
    const EnclosureState before = ReadStateFile(file);
    EnclosureState after = before;
    if (!Change(verb, argc > 2 ? argv[2] : nullptr, after))
        return Usage();
    if (!(after == before) && !WriteStateFile(file, after)) {
        std::fputs("stowkeep-enclosure: cannot write the state file\n", stderr);
        return 1;
    }
    if (before.plugged && (!after.plugged || after.letter != before.letter))
        BroadcastVolumeChange(before.letter, false);
    if (after.plugged && (!before.plugged || after.letter != before.letter))
        BroadcastVolumeChange(after.letter, true);
    std::fputs(stowkeep::sim::FormatEnclosureState(after).c_str(), stdout);
    return 0;
}
