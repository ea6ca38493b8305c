#include "tests/platform/contract_world.h"

namespace stowkeep::contract {

std::unique_ptr<ContractWorld> MakeFakeWorld();
#ifdef _WIN32
std::unique_ptr<ContractWorld> MakeWin32World();
#endif

std::vector<WorldKind> AvailableWorlds() {
#ifdef _WIN32
    return {WorldKind::Fake, WorldKind::Win32};
#else
    return {WorldKind::Fake};
#endif
}

std::unique_ptr<ContractWorld> MakeWorld([[maybe_unused]] WorldKind kind) {
#ifdef _WIN32
    if (kind == WorldKind::Win32) {
        return MakeWin32World();
    }
#endif
    return MakeFakeWorld();
}

std::string WorldName(WorldKind kind) {
    return kind == WorldKind::Fake ? "Fake" : "Win32";
}

} // namespace stowkeep::contract
