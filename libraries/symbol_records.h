// Storing a symbol's parts in its library: the name record, the connect
// points kept in the first picture chunk, the objects record, and the
// header item that makes a stored symbol a button.
#pragma once
#include <windows.h>

#include "common/error_codes.h"
#include "libraries/library_records.h"

// Writes the name-and-keywords text of symbol id (record (202,id)); an empty
// text deletes the record. The text is cut in place to what the record holds.
ErrorCode StoreVexletName(int row, int id, char* text);
// The same for a library store of no window.
ErrorCode StoreSymbolText(int store, int id, char* text);
// The whole text of record (202,id), empty when there is none.
void ReadVexletName(int store, int id, char* text, int size);
// The item's connect points into the first picture chunk (group, id): the
// symbol's own in its library, or a placed copy's in the drawing.
ErrorCode WriteChunkConnectPoints(int store, short group, int id, const VexletRecord& item);
// Record (203,id) holding `size` bytes of the stream block.
ErrorCode StoreSymbolObjects(int store, int id, HGLOBAL stream, DWORD size);
// Deletes every record of symbol id; failures after the first chunk are
// ignored, as nothing names those records any more.
ErrorCode DeleteSymbolRecords(int store, int id, int furtherChunks);
// Makes `group` in the store unless it is there.
ErrorCode EnsureLibraryGroup(int store, short group);
// After the header changed its symbols: buttons, layout, colours, the
// documents' palettes, the thumbnail, and the store flushed.
ErrorCode RefreshAfterSymbolChange(int row);
