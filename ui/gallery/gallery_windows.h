#pragma once

#include "ui/ui.h"

#include <memory>
#include <vector>

namespace stowkeep::ui::gallery {

// The windows of the gallery; each shows one part of the skin.
std::unique_ptr<Window> mainPage(Toolkit& toolkit);
std::unique_ptr<Window> controls(Toolkit& toolkit);
std::unique_ptr<Window> pictureStates(Toolkit& toolkit);
std::unique_ptr<Window> about(Toolkit& toolkit);
std::unique_ptr<Window> wait(Toolkit& toolkit, const Window& over);

} // namespace stowkeep::ui::gallery
