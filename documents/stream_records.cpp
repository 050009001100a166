#include "common/handle_words.h"
#include "documents/record_stream.h"
#include "documents/stream_state.h"

namespace {

int blockNesting = 0;

} // namespace

ErrorCode ReadStreamRecord(HFILE file, uint16_t* tag, uint32_t* length)
{
    *tag = 0;
    *length = 0;
    uint8_t bytes[4];
    if (StreamSourceRead(file, bytes, 2) != 2)
        return kErrStreamRead;
    *tag = ReadLeU16(bytes);
    if (HasNoPayload(*tag))
        return kErrNone;
    if (StreamSourceRead(file, bytes, 4) != 4)
        return kErrStreamRead;
    *length = ReadLeU32(bytes);
    if (*length == 0)
        return kErrNone;
    // A length beyond the data is a cut-off stream: no point growing for it.
    uint64_t left = 0;
    if (StreamSourceLeft(file, &left) && *length > left)
        return kErrStreamRead;
    if (!StreamPayload())
        return kErrNoMemory;
    if (*length > StreamBufferSize()) {
        ErrorCode code = GrowStreamBuffer(*length);
        if (code != kErrNone)
            return code;
    }
    unsigned char* payload = StreamPayload();
    for (uint32_t done = 0; done < *length;) {
        UINT piece = *length - done < kStreamPieceSize ? *length - done : kStreamPieceSize;
        if (StreamSourceRead(file, payload + done, piece) != piece)
            return kErrStreamRead;
        done += piece;
    }
    return kErrNone;
}

ErrorCode SkipStreamBlock(HFILE file, uint16_t closeTag)
{
    uint16_t tag = 0;
    uint32_t length = 0;
    do {
        ErrorCode code = ReadStreamRecord(file, &tag, &length);
        if (code != kErrNone)
            return code;
    } while (tag != closeTag);
    return kErrNone;
}

ErrorCode WriteStreamRecord(HFILE file, uint16_t tag, uint32_t length, const void* payload)
{
    uint8_t bytes[4];
    WriteLeU16(bytes, tag);
    if (!StreamTargetWrite(file, bytes, 2))
        return kErrStreamWrite;
    if (HasNoPayload(tag))
        return kErrNone;
    WriteLeU32(bytes, length);
    if (!StreamTargetWrite(file, bytes, 4))
        return kErrStreamWrite;
    const auto* source = static_cast<const unsigned char*>(payload);
    for (uint32_t done = 0; done < length;) {
        UINT piece = length - done < kStreamPieceSize ? length - done : kStreamPieceSize;
        if (!StreamTargetWrite(file, source + done, piece))
            return kErrStreamWrite;
        done += piece;
    }
    return kErrNone;
}

ErrorCode ReadStreamBlock(HFILE file, uint16_t closer, StreamRecordHandler handler, void* context)
{
    // Damaged data can nest openers without end; the stack cannot.
    if (blockNesting >= kMaxStreamNesting)
        return kErrStreamRead;
    ++blockNesting;
    ErrorCode code = kErrNone;
    uint16_t tag = 0;
    while (tag != closer) {
        uint32_t length = 0;
        code = ReadStreamRecord(file, &tag, &length);
        if (code != kErrNone || tag == closer)
            break;
        bool recognised = false;
        code = handler ? handler(file, tag, length, context, &recognised) : kErrNone;
        if (code != kErrNone)
            break;
        if (!recognised && IsBlockOpener(tag)) {
            code = SkipStreamBlock(file, CloserOf(tag));
            if (code != kErrNone)
                break;
        }
    }
    --blockNesting;
    return code;
}
