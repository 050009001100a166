#include "view/view_keyboard.h"

#include "documents/view_record.h"
#include "view/view_children.h"

// Least version until editing by keyboard lands: the scrolling keys, and
// characters for an open editor.
void HandleViewKeyDown(HWND view, int key)
{
    if (!GetWindowLongPtrA(view, sizeof(LONG_PTR)))
        return;
    int code = -1;
    switch (key) {
    case VK_PRIOR: code = SB_PAGEUP; break;
    case VK_NEXT: code = SB_PAGEDOWN; break;
    case VK_END: code = SB_BOTTOM; break;
    case VK_HOME: code = SB_TOP; break;
    default: break;
    }
    if (code >= 0)
        SendMessageA(view, WM_VSCROLL, static_cast<WPARAM>(code), 0);
}

void HandleViewKeyUp(HWND, int) {}

void HandleViewChar(HWND view, int character, LPARAM lParam)
{
    HWND editor = ViewEditorOf(view);
    if (editor && GetFocus() == editor && character >= 32 && character != 127)
        SendMessageA(editor, WM_CHAR, static_cast<WPARAM>(character), lParam);
}
