// Loading and unloading Hatchlink does nothing by itself: all work begins with DllSet.

#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}
