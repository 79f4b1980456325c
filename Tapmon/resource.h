// Resource identifiers of Tapmon.
#pragma once

#define IDR_MAINMENU 101
#define IDD_ABOUT 102
#define IDI_TAPMON 103
#define IDM_EXIT 40001
#define IDM_ABOUT 40002
