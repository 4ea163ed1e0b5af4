// String-table ids of the status bar (res/navbar/StatusBar.rc); a block of
// sixteen of its own, apart from the navigation bar's.
#pragma once

#define IDS_SB_TEXT_PANEL 62208
#define IDS_SB_CONTAINER_PANEL 62209
#define IDS_SB_KEYBOARD_STATE_PANEL 62210
#define IDS_SB_STATE_INDICATOR_PANEL 62211
#define IDS_SB_CANNOT_DELETE_ANCESTOR 62212
