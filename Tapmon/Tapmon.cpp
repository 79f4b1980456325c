// TAPMON: the key-message inspector.
#include <windows.h>

#include "ZEBApp.h"

bool XINIT(std::string_view, int&) {
    return PXDEFXINIT();
}
