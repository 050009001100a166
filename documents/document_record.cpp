#include "documents/document_record.h"

int UntitledCount = 0;
const char kWorkingFilePrefix[] = "VXTMP";

HGLOBAL GetDocumentRecordHandle(HWND documentWindow)
{
    if (!documentWindow || !IsWindow(documentWindow))
        return nullptr;
    if (GetClassLongPtrA(documentWindow, GCL_CBWNDEXTRA) < static_cast<LONG_PTR>(sizeof(LONG_PTR)))
        return nullptr;
    return reinterpret_cast<HGLOBAL>(GetWindowLongPtrA(documentWindow, kDocumentRecordWord));
}

void SetDocumentRecordHandle(HWND documentWindow, HGLOBAL record)
{
    SetWindowLongPtrA(documentWindow, kDocumentRecordWord, reinterpret_cast<LONG_PTR>(record));
}
