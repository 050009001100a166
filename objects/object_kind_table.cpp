#include "objects/object_kind_table.h"

#include "lines/array_kind.h"
#include "lines/connector_kind.h"
#include "lines/straight_line_kind.h"
#include "objects/shape_kind.h"
#include "text/text_background.h"

ObjectKindHandler ObjectKindTable[kObjectKindSlots];

ErrorCode InitObjectKinds()
{
    ObjectKindTable[kKindShape] = DEV_IradeDududir;
    ObjectKindTable[kKindLine] = RUV_OvadERovazad;
    ObjectKindTable[kKindConnector] = VIZ_OvaVOzediru;
    ObjectKindTable[kKindArray] = VAD_OzudiZaravoz;
    // Slot 4 is the text editor's background painter, read back by the text code
    // under its own type; it is never called as a kind.
    ObjectKindTable[kKindTextPainter] = reinterpret_cast<ObjectKindHandler>(reinterpret_cast<void (*)()>(VOR_EDAZovu));
    return kErrNone;
}

void TermObjectKinds()
{
    for (ObjectKindHandler& slot : ObjectKindTable)
        slot = nullptr;
}

int32_t CallKind(int kind, HDC dc, void* drawing, void* table, int index, int message, INT_PTR a, INT_PTR b,
                 INT_PTR c)
{
    if (kind < kKindShape || kind > kKindArray || !ObjectKindTable[kind])
        return 0;
    return ObjectKindTable[kind](dc, drawing, table, index, message, a, b, c);
}

int32_t CallObjectKind(HDC dc, void* drawing, void* table, int index, int message, INT_PTR a, INT_PTR b,
                       INT_PTR c)
{
    return CallKind(KindObject(table, index)->kind, dc, drawing, table, index, message, a, b, c);
}

ErrorCode CallKindCode(int kind, HDC dc, void* drawing, void* table, int index, int message, INT_PTR a, INT_PTR b,
                       INT_PTR c)
{
    return ErrorCode{CallKind(kind, dc, drawing, table, index, message, a, b, c)};
}

ErrorCode CallObjectKindCode(HDC dc, void* drawing, void* table, int index, int message, INT_PTR a, INT_PTR b,
                             INT_PTR c)
{
    return ErrorCode{CallObjectKind(dc, drawing, table, index, message, a, b, c)};
}
