// The ways into the drawing record stream: reading drawings, templates and
// library symbols into a document, telling whether a file is a drawing and
// fetching its preview, and writing a document as a drawing or a symbol
// stream to a file or a new memory block.
//
// A read never leaves half a drawing in the document: the stream is read
// completely and checked first, and only then handed to the document.
#pragma once
#include <windows.h>

#include "common/error_codes.h"
#include "objects/view_record.h"

// The name of the default template file, without folder and extension.
extern const char kDefaultTemplateName[];

// Fills a new document from a drawing or template stream: from `memory`
// (`size` bytes, its u32 prefix included) when given, else from the open
// `file` (HFILE_ERROR for none), else from `path`. 0; 1 when the path cannot
// be opened; 1003 for a stream that is not a drawing or is damaged; 10008
// for one of a later version; 10004; or a code of the stream or the store.
ErrorCode ReadDrawingFile(HFILE file, const char* path, HGLOBAL memory, DWORD size, HWND view,
                          ViewRecord* viewRecord, int* olderFormat, int templateFlag);
// Fills a document from a library symbol's stream: `memory` is the symbol's
// record (203, id) and `size` the u32 at its offset 16.
ErrorCode ReadLibrarySymbol(HFILE file, const char* path, HGLOBAL memory, DWORD size, ViewRecord* viewRecord);
// -1 when the file cannot be opened, 0 when it is not a drawing stream, 1
// when it is. With `preview` the answer is 1 only when the stream begins with
// a preview picture, which comes back as a new block the caller frees.
int CheckDrawingFile(const char* path, HGLOBAL* preview);
// Writes the document to `path`, or with `block` to a new memory block (the
// caller's) whose used size comes back in `size`. 0; 1 when the file cannot
// be opened; 1002; 10004; or a code of the store.
ErrorCode WriteDrawingFile(const char* path, HGLOBAL* block, DWORD* size, ViewRecord* viewRecord);
ErrorCode WriteLibrarySymbol(const char* path, HGLOBAL* block, DWORD* size, ViewRecord* viewRecord);
