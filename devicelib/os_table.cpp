#include "devicelib/os_table.h"

namespace stowkeep::hatchlink {

OsTable& Os() {
    static OsTable table = PlatformOsTable();
    return table;
}

void ResetOs() {
    Os() = PlatformOsTable();
}

} // namespace stowkeep::hatchlink
