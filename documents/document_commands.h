// Layer 7, documents/: documents and their windows, files, options, printing.

// Documents as the user handles them: New, Open, Save, Save As and Close.
#pragma once
#include <windows.h>

#include "common/error_codes.h"

// The open modes of a document window (1 a file the user opens, 2 a new
// drawing from a template, 94 an embedding start, 99 the Open dialog at start).
HWND CreateDocumentWindow(const char* path, int openMode);
int CheckDocumentLimit(BOOL quiet, int* windowCount);
HWND FindDocumentWindow(const char* path);
ErrorCode OpenOrActivateDocument(const char* path, int openMode);
// chooser 1 always runs the template chooser, -1 never, 0 when the options ask.
ErrorCode NewDocument(int chooser);
// 0 on success or when nothing was opened, 1 when the document limit refused.
ErrorCode OpenDocument(const char* path, BOOL withDialog, int openMode);

int SaveDocument(HWND document);
ErrorCode SaveDocumentAsCommand();
ErrorCode SaveDocumentAs(HWND document, const char* path, BOOL sameName, int saveKind);
int SaveDocumentInPlace(HWND document);
ErrorCode SaveDocumentToFile(HWND document, const char* path, int saveKind);
void SetDocumentFile(HWND document, const char* path);
// IDYES, IDNO or IDCANCEL.
int QuerySaveDocument(HWND document, BOOL answerYes);
void CloseActiveDocument();
// 1 when every document window closed, 0 when one stayed open.
int CloseAllDocuments();
void PrepareDocumentClose(HWND document);
// WM_DEVICECHANGE: 1 allows the removal.
LRESULT HandleDriveRemoval(WPARAM event, LPARAM header);
// 2 for a ".TYT" template, 1 for a drawing.
int SaveKindFromExtension(const char* path);
