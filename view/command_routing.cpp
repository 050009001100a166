#include "view/command_routing.h"

#include "common/window_helpers.h"
#include "objects/kind_messages.h"
#include "objects/selection_attributes.h"
#include "text/object_text_messages.h"
#include "text/text_block.h"
#include "text/ten_messages.h"
#include "view/selection_access.h"
#include "view/view_children.h"

namespace {

const WPARAM kParagraphFormatRelayout = 129;
const WPARAM kEditorParagraphStep = 18;

HWND ActiveDrawingView()
{
    HWND document = GetActiveDocWindow(nullptr);
    return document ? DocumentViewOf(document) : nullptr;
}

// The menu's H digit (0 left, 1 right, 2 centre, 3 flush) as the text
// engine's code.
int HorizontalCode(int horizontal)
{
    static const int kCodes[] = {0, 2, 6, 32};
    const int h = horizontal - 20;
    return h >= 0 && h < 4 ? kCodes[h] : 0;
}

// The menu's V digit (2 top, 3 bottom, 4 centre).
int VerticalCode(int vertical)
{
    switch (vertical - 18) {
    case 3: return 8;
    case 4: return 6;
    default: return 0;
    }
}

void ApplyParagraphFormat(HWND editor, const TextParagraph& format, bool keepParagraphs, bool wholeText)
{
    const LRESULT index = SendMessageA(editor, TENM_FINDPARAGRAPH, 0, reinterpret_cast<LPARAM>(&format));
    if (index < 0)
        return;
    const LRESULT selection = SendMessageA(editor, TENM_GETSEL, 0, 0);
    SendMessageA(editor, TENM_SAVEUNDO, kEditorParagraphStep, 0);
    if (wholeText)
        SendMessageA(editor, TENM_SETSEL, 0, static_cast<LPARAM>(32000) << 16);
    else
        SendMessageA(editor, TENM_SELECTPARAGRAPHS, 0, 0);
    SendMessageA(editor, TENM_SETCHARFORMAT, kParagraphFormatRelayout, index);
    if (wholeText || !keepParagraphs)
        SendMessageA(editor, TENM_SETSEL, 2, selection);
}

} // namespace

int SetTypeface()
{
    return 0;
}

int SetTextAlignment(int horizontal, int vertical)
{
    HWND view = ActiveDrawingView();
    if (!view)
        return 0;
    const int h = HorizontalCode(horizontal);
    const int v = VerticalCode(vertical);
    // An open editor takes it even without the focus.
    HWND editor = ViewEditorOf(view);
    if (editor) {
        TextParagraph format{};
        SendMessageA(editor, TENM_GETPARAGRAPH, 0, reinterpret_cast<LPARAM>(&format));
        format.alignment = h;
        const int before = static_cast<int>(SendMessageA(editor, TENM_GETVALIGN, 0, 0));
        ApplyParagraphFormat(editor, format, before != v, false);
        SendMessageA(editor, TENM_SETVALIGN, 3, v);
        return 0;
    }
    if (!ViewDrawingHandle(view))
        return 0;
    TextAttributeRequest request{};
    request.alignment = h;
    request.verticalAlignment = v;
    ApplyToSelection(view, kMsgTextAlignment, 0, reinterpret_cast<INT_PTR>(&request), 0);
    return 0;
}

int SetBulletStyle(int)
{
    return 0;
}

int InsertSymbol()
{
    return 0;
}

// Least version: the fixed angles on objects outside groups; Set Angle and
// groups come with the arrange commands.
int RotateSelection(int angle)
{
    HWND view = ActiveDrawingView();
    // Nothing while an editor is open over the drawing.
    if (!view || !ViewDrawingHandle(view) || angle < 0 || ViewEditorOf(view))
        return 0;
    ApplyToSelection(view, kMsgSetRotation, angle, 0, 0);
    return 0;
}

int SetTextColorFromList(int)
{
    return 0;
}
