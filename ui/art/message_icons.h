#pragma once

#include "ui/artwork.h"

namespace stowkeep::ui {

// The question, warning and error signs of message boxes.
void addMessageIcons(PictureStore& store);

} // namespace stowkeep::ui
