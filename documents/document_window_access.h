// What the document commands share: the records of a document window, its
// title, the lock on its file and its modified flag.
#pragma once
#include <windows.h>

#include "common/error_codes.h"
#include "documents/document_record.h"

const int kDocumentLimit = 16;
const int kSaveDrawing = 1;
const int kSaveTemplate = 2;

DocumentRecord* LockDocumentRecord(HWND document);
void ReleaseDocumentRecord(HWND document);
// The file name and extension of a path, without its folder.
void FileTitleOf(const char* path, char* title, int size);
// Opens the document's file as its lock (writers denied): 10003 when it
// cannot be opened; a lock not kept (removable drives) is closed again.
ErrorCode ReopenDocumentLock(DocumentRecord* record);
void CloseDocumentLock(DocumentRecord* record);
bool IsDocumentModified(HWND view);
void SetDocumentModifiedFlag(HWND view, bool modified);
// Gives back an untitled number; the window is titled with the file.
void TitleDocumentWindow(HWND document, DocumentRecord* record);
// The same path, ignoring case.
bool SamePath(const char* a, const char* b);
// Shows message 6 for a full disk and 10 for any other failure.
void WarnSaveFailed(ErrorCode code);
