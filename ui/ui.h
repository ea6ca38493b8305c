#pragma once

// The whole control model in one include, for forms.
#include "ui/artwork.h"
#include "ui/buttons.h"
#include "ui/container.h"
#include "ui/control.h"
#include "ui/dispatcher.h"
#include "ui/folder_dialog.h"
#include "ui/list_view.h"
#include "ui/message_dialog.h"
#include "ui/panels.h"
#include "ui/picture.h"
#include "ui/signal.h"
#include "ui/text_controls.h"
#include "ui/timer.h"
#include "ui/toolkit.h"
#include "ui/tray_icon.h"
#include "ui/window.h"
