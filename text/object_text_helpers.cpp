#include "text/object_text_helpers.h"

#include <cstring>

#include "objects/view_record.h"
#include "objects/object_links.h"

int FindTextHolder(void* objectTable, int index)
{
    if (!objectTable || index < 0 || index >= TableCount(objectTable))
        return -1;
    DrawingObject* object = ObjectAt(objectTable, index);
    if (!(object->textRoleFlags & kGuestTextFlags) || (object->optionFlags & kOptionOwnText))
        return index;
    if (object->labelPartnerId == kNoObjectId)
        return object->labelPartnerHint;
    const int guest = FindObjectIndex(objectTable, object->labelPartnerId, object->labelPartnerHint);
    if (guest < 0 || !(ObjectAt(objectTable, guest)->stateFlags & kStateAttached)) {
        object->labelPartnerId = kNoObjectId;
        object->labelPartnerHint = -1;
        return -1;
    }
    object->labelPartnerHint = guest;
    return guest;
}

void AnchorCode(int horizontal, int vertical, int* code, int* boxPoint)
{
    int column = 2;
    int point = 300;
    if (horizontal == 0) {
        column = 0;
        point = 0;
    } else if (horizontal == 2) {
        column = 1;
        point = 600;
    }
    static const int kCodes[3][3] = {{203, 201, 207}, {204, 202, 208}, {206, 205, 209}};
    const int row = vertical == 0 ? 0 : (vertical == 8 ? 1 : 2);
    if (code)
        *code = kCodes[column][row];
    if (boxPoint)
        *boxPoint = point;
}

TextEffect ObjectTextEffect(const DrawingRecord* drawing, const DrawingObject* object)
{
    TextEffect effect = {};
    const ColorStyle& style = drawing->style;
    if (!(style.flags & 2) || (object && (object->optionFlags & kOptionHideTextShadow)))
        return effect;
    effect.shadowDx = style.shadowDx;
    effect.shadowDy = style.shadowDy;
    effect.kind = style.shadowKind;
    if (style.flags & 4) {
        if (effect.kind == 1)
            effect.kind = 2;
        else if (effect.kind == 2)
            effect.kind = 1;
    }
    effect.shadowColor = style.shadowColor;
    effect.secondColor = style.highlightColor;
    return effect;
}

void ClearTextBlockFonts(void* block, SIZE_T size)
{
    if (!block || !IsTextBlockSound(block, size))
        return;
    TextBlockHeader header;
    std::memcpy(&header, block, sizeof(header));
    auto* formats = reinterpret_cast<TextFormat*>(static_cast<unsigned char*>(block) + TextBlockFormatsOffset(header));
    for (int i = 0; i < header.formatCount; ++i)
        formats[i].font = 0;
}

DrawingRecord* LockViewDrawing(void* viewRecord, HGLOBAL* handle)
{
    *handle = viewRecord ? GetViewDrawingHandle(viewRecord) : nullptr;
    return *handle ? static_cast<DrawingRecord*>(GlobalLock(*handle)) : nullptr;
}
