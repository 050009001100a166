// The native block: the one byte layout in which a whole drawing goes to OLE,
// as the stream "CONTENTS" of a container's storage and as the native
// clipboard format. A u32 total size (itself included, at least 12), then a
// drawing stream or an earlier version's record-store image.
#pragma once
#include <windows.h>
#include <ole2.h>

#include <cstdint>

#include "common/error_codes.h"

const DWORD kNativeSizeBytes = sizeof(uint32_t);
const DWORD kNativeMinimumSize = 12;
// Far beyond any drawing the program can hold; a larger size field is damage.
const DWORD kNativeMaximumSize = 64u * 1024u * 1024u;
// The OLE 1 stream puts a header of its own before the block.
const DWORD kOle1HeaderBytes = 4;

enum NativePayload : int {
    kPayloadNone,
    kPayloadDrawingStream,
    kPayloadStoreImage,
};

// What a native block of `size` bytes carries.
NativePayload NativePayloadKind(const unsigned char* block, DWORD size);
// Reads a native block from the stream's position into a new global block
// (the caller's). The size field is checked against the bytes the stream has
// left and the maximum before anything is allocated. 1 when refused.
ErrorCode ReadNativeStream(IStream* stream, bool ole1, HGLOBAL* block);
// Writes the used bytes of a native block (its size field says how many).
ErrorCode WriteNativeStream(IStream* stream, HGLOBAL block);
