// Marking a document as changed since it was saved.
#pragma once

// Sets the modified bit of the view record's flags and tells the document's
// OLE clients through the hook.
void SetDocumentModified(void* viewRecord);
// Filled by the OLE server: the clients of a document hear of its change.
extern void (*DocumentChangedCall)(void* viewRecord);
