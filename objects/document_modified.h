// Marking a document as changed since it was saved.
#pragma once

// Sets the modified bit of the view record's flags.
void SetDocumentModified(void* viewRecord);
