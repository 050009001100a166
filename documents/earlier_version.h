// Conversion of the two earlier versions' records into the current layouts:
// drawings kept as record stores and old options records.
#pragma once
#include <windows.h>

#include <cstdint>

#include "common/error_codes.h"
#include "objects/app_options.h"
#include "objects/color_style.h"
#include "documents/recent_files.h"

const int kOldColorStyleSize = 68;
const int kOldOptionsRecordMinimum = 16 + 3376 + 18 * 21;  // through the last toolbar slot
const DWORD kOldOptionsReservedSize = 4138;

// Rewrites the view record in `viewBlock` (the old record's payload, at least
// 400 bytes) and every record of the store into the current layouts.
ErrorCode ConvertOldDocument(HGLOBAL viewBlock, int storeSlot);
// Clears the palette data of the picture chunks of groups 113 and 112 and
// sets the view record's version word to 1.
ErrorCode ClearPictureCaches(HGLOBAL viewBlock, int storeSlot);

// A 68-byte earlier style into a ColorStyle.
void WidenColorStyle(ColorStyle* target, const unsigned char* old);
// Four i16 into a RECT.
void WidenRect16(RECT* target, const unsigned char* old);

// Records passed from their start, 16-byte header included, with their size;
// fields beyond the record's end keep what the defaults made.
void WidenOldOptions(OptionsRecord* options, const unsigned char* old, DWORD oldSize);
void WidenOldRecentFiles(RecentFileList* list, const unsigned char* old, DWORD oldSize);
// The style record (51,102) into the style list: 1 when the list cannot be
// resized, 0 otherwise; a count the record cannot hold is cut to what it holds.
ErrorCode WidenOldStyles(HGLOBAL* styles, const unsigned char* old, DWORD oldSize);
