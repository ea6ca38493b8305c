// A tiny library for the library-loading contract cases.
#include <cstdint>

extern "C" __declspec(dllexport) std::int32_t StowkeepProbe() {
    return 7;
}
