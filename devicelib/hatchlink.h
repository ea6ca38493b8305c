#pragma once
// The four exports of Hatchlink.dll. They take no arguments and return a 32-bit
// integer; the main program looks them up by these undecorated names.

#include <cstdint>

extern "C" {
std::int32_t DllSet();
std::int32_t ButtonStatus();
std::int32_t SafelyRemove();
std::int32_t DllEnd();
}
