#include "platform/win32/library_search.h"

#include <windows.h>

namespace stowkeep::platform::win32 {

bool ConfineLibrarySearchToSystem() {
    return ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32) != FALSE;
}

} // namespace stowkeep::platform::win32
