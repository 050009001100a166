#include "objects/view_record_word.h"

HGLOBAL GetViewRecordHandle(HWND view)
{
    if (!view || !IsWindow(view))
        return nullptr;
    if (GetClassLongPtrA(view, GCL_CBWNDEXTRA) < kViewWindowBytes)
        return nullptr;
    return reinterpret_cast<HGLOBAL>(GetWindowLongPtrA(view, kViewRecordWord));
}

void SetViewRecordHandle(HWND view, HGLOBAL viewRecord)
{
    SetWindowLongPtrA(view, kViewRecordWord, reinterpret_cast<LONG_PTR>(viewRecord));
}
