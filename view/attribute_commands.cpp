#include "view/attribute_commands.h"

#include "common/window_helpers.h"
#include "documents/view_children.h"
#include "objects/color_table.h"
#include "objects/kind_messages.h"
#include "view/arrange_commands.h"
#include "view/end_text_edit.h"
#include "view/selection_access.h"
#include "view/selection_command_report.h"

namespace {

const COLORREF kNoColor = CLR_INVALID;
const int kSelectEditedObject = 1;

struct AttributeRow {
    int message;
    int flag;
    bool isColor;
};

// Widths and fill and border colours carry flag 1: a width makes the line
// solid again, a colour reaches objects that had none.
const AttributeRow kAttributes[] = {
    {kMsgSetFillPattern, 0, false}, {kMsgSetOutlineWidth, 1, false}, {kMsgSetOutlineStyle, 0, false},
    {kMsgSetShapeType, 0, false},   {kMsgArrayStyle, 0, false},      {kMsgSetLineWidth, 1, false},
    {kMsgSetLineStyle, 0, false},   {kMsgLineType, 0, false},        {kMsgSetLineColor, 0, true},
    {kMsgSetFillColor, 1, true},    {kMsgSetOutlineColor, 1, true},
};

// A colour list's swatch: a standard colour, or no colour past the table.
COLORREF ListColor(int index)
{
    return index >= 0 && index < kColorTableSize ? StandardColors()[index] : kNoColor;
}

HWND ActiveView()
{
    HWND document = GetActiveDocWindow(nullptr);
    return document ? DocumentViewOf(document) : nullptr;
}

} // namespace

StyleCommandValue StyleValueFor(int attribute, int index)
{
    StyleCommandValue value{};
    for (const AttributeRow& row : kAttributes) {
        if (row.message != attribute)
            continue;
        value.message = row.message;
        value.flag = row.flag;
        value.isColor = row.isColor;
        value.words[1] = index;
        value.color = row.isColor ? ListColor(index) : kNoColor;
        break;
    }
    return value;
}

int ApplyStyleCommand(int attribute, int index)
{
    const StyleCommandValue value = StyleValueFor(attribute, index);
    HWND view = ActiveView();
    if (!value.message || !view || !ViewDrawingHandle(view))
        return 0;
    // Ending the edit reports its own failure.
    const ErrorCode ended = EndTextEdit(view, kSelectEditedObject);
    if (ended != kErrNone)
        return ended.value;
    const INT_PTR pointer = value.isColor ? reinterpret_cast<INT_PTR>(&value.color)
                                          : reinterpret_cast<INT_PTR>(value.words);
    RunSelectionCommand(view, value.message, value.flag, pointer);
    return 0;
}
