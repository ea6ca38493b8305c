#pragma once

// The system headers in the order they need: windows.h first.
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>
// clang-format on
