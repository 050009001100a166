// What the document commands share: the records of a document window, its
// title, the lock on its file and its modified flag.
#pragma once
#include <windows.h>

#include "common/error_codes.h"
#include "documents/document_record.h"

const int kDocumentLimit = 16;
const int kSaveDrawing = 1;
const int kSaveTemplate = 2;
// A save refused or cancelled, or one whose outcome was already told.
const int kSaveAlreadyTold = -1;

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
// A document whose file could not be held open again: another program may
// change that file, so the document stays modified and the user is told
// (`message`). Returns kSaveAlreadyTold.
ErrorCode ReportFileNotHeld(HWND document, int message);
// Writes the document into a file at `path` (deleted and made anew) and
// flushes it; the modified flag is cleared for a drawing and set again on
// failure, and a half-written file is deleted.
ErrorCode WriteDocumentFile(HWND document, const char* path, int kind);
