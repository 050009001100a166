// Writing a text block into its text record (group 114).
#pragma once
#include <windows.h>

#include "common/error_codes.h"

const DWORD kMaxTextRecordBytes = 65000;

// Replaces the record's payload with the block's bytes after its 16-byte
// header room; 1 when the record would pass 65,000 bytes.
ErrorCode StoreTextBlock(HGLOBAL record, HGLOBAL textBlock);
