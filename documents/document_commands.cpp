#include "documents/document_commands.h"

// Least version until the document windows land: nothing opens.
HWND CreateDocumentWindow(const char*, int) { return nullptr; }
int CheckDocumentLimit(BOOL, int* windowCount)
{
    if (windowCount)
        *windowCount = 0;
    return 0;
}
HWND FindDocumentWindow(const char*) { return nullptr; }
ErrorCode OpenOrActivateDocument(const char*, int) { return kErrNoMemory; }
ErrorCode NewDocument(int) { return 0; }
ErrorCode OpenDocument(const char*, BOOL, int) { return 0; }
int SaveDocument(HWND) { return 1; }
ErrorCode SaveDocumentAsCommand() { return 0; }
ErrorCode SaveDocumentAs(HWND, const char*, BOOL, int) { return kErrFile; }
int SaveDocumentInPlace(HWND) { return -1; }
ErrorCode SaveDocumentToFile(HWND, const char*, int) { return kErrFile; }
void SetDocumentFile(HWND, const char*) {}
int QuerySaveDocument(HWND, BOOL) { return IDNO; }
void CloseActiveDocument() {}
int CloseAllDocuments() { return 1; }
void PrepareDocumentClose(HWND) {}
LRESULT HandleDriveRemoval(WPARAM, LPARAM) { return TRUE; }
