#include "objects/object_kind_table.h"

ObjectKindHandler ObjectKindTable[kObjectKindSlots];

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
