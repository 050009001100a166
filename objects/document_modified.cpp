#include "objects/document_modified.h"

#include "objects/view_record.h"

void (*DocumentChangedCall)(void* viewRecord) = nullptr;

void SetDocumentModified(void* viewRecord)
{
    if (!viewRecord)
        return;
    WriteViewField(viewRecord, kViewFlags,
                   static_cast<int32_t>(static_cast<uint32_t>(ReadViewField(viewRecord, kViewFlags)) | kViewModified));
    if (DocumentChangedCall)
        DocumentChangedCall(viewRecord);
}
