#include "common/message_crackers.h"

LPARAM CrackCommand(WPARAM wParam, LPARAM lParam, int* id, UINT* code, HWND* control)
{
    *id = LOWORD(wParam);
    *code = HIWORD(wParam);
    *control = reinterpret_cast<HWND>(lParam);
    return lParam;
}

void CrackScroll(WPARAM wParam, LPARAM lParam, int* code, int* position, HWND* scrollBar)
{
    *code = LOWORD(wParam);
    *position = HIWORD(wParam);
    *scrollBar = reinterpret_cast<HWND>(lParam);
}

HWND CrackActivate(LPARAM lParam, WPARAM wParam, int* state)
{
    *state = LOWORD(wParam);
    return reinterpret_cast<HWND>(lParam);
}

HWND CrackActivate(WPARAM wParam, LPARAM lParam, int* state)
{
    return CrackActivate(lParam, wParam, state);
}

int CrackActivate(WPARAM wParam, LPARAM lParam, HWND* other)
{
    int state = 0;
    *other = CrackActivate(lParam, wParam, &state);
    return state;
}
