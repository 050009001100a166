// The notifications a text editor sends or posts to its parent window.
#pragma once
#include <windows.h>

enum TenNotification : UINT {
    TENN_CLICK = 1128,
    TENN_RESIZE = 1133,
    TENN_EMPTIED = 1149,
    TENN_CHARFORMAT = 1153,
    TENN_PARAFORMAT = 1162,   // wParam: change mask (low word), paragraph index (high word)
    TENN_PASTBREAKS = 1165,
    TENN_WORDDRAGCLICK = 1172,
    TENN_CURSOR = 1173,
    TENN_OVERFLOW = 1174,
    TENN_SELCHANGE = 1178,
    TENN_TOOLONG = 1180,
    TENN_GETVISIBLERECT = 1185,
    TENN_DRAGOUT = 1187,
    TENN_UNDOSTEP = 1188,
    TENN_DEFAULTATTR = 1195,
};

// The private scroll code of the WM_HSCROLL and WM_VSCROLL an editor sends
// to have its parent scroll by the amount in the high word.
const int kTenScrollCode = 98;
