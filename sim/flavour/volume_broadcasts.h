#pragma once

namespace stowkeep::sim::flavour {

// Tells every top-level window that the volume at the letter arrived or is
// gone, with the WM_DEVICECHANGE broadcast the system sends on Windows.
void BroadcastVolumeChange(wchar_t letter, bool arrived);

} // namespace stowkeep::sim::flavour
