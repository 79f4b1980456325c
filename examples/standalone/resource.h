// Resource identifiers of standalone.rc.
#pragma once

#define IDR_MENU 101
#define IDM_EXIT 40001
#define IDM_ABOUT 40002
