// Writing a text block into its text record (group 114).
#pragma once
#include <windows.h>

#include "common/error_codes.h"

const DWORD kMaxTextRecordBytes = 65000;
const DWORD kTextRecordHeaderBytes = 16;

// Replaces the record's payload with the block (a bare TextBlock whose size
// its header's counts give); 1 when the record with its header would pass
// 65,000 bytes, the record then untouched. The record handle may move.
ErrorCode StoreTextBlock(HGLOBAL* record, HGLOBAL textBlock);
// The same for callers that keep the handle they passed.
ErrorCode StoreTextBlock(HGLOBAL record, HGLOBAL textBlock);
