#include <cstring>

#include "common/handle_words.h"
#include "documents/record_stream.h"

const char kDrawingStreamSignature[kStreamSignatureSize + 1] = "QUORVELX";
const char kOptionsStreamSignature[kStreamSignatureSize + 1] = "QRVLOPTI";

ErrorCode WriteStreamStart(HFILE file, const char* signature, const StreamHeader& header)
{
    ErrorCode code = WriteStreamBytes(file, signature, kStreamSignatureSize);
    if (code != kErrNone)
        return code;
    const int16_t words[6] = {header.generation, header.fixed300, header.kind,
                              header.version,    header.fixed100, header.unitsPerInch};
    uint8_t payload[kStreamHeaderSize];
    for (int i = 0; i < 6; ++i)
        WriteLeI16(payload + 2 * i, words[i]);
    StreamUnitsPerInch = kStreamUnitsPerInch;
    return WriteStreamRecord(file, kStreamHeaderTag, kStreamHeaderSize, payload);
}

ErrorCode WriteStreamEnd(HFILE file)
{
    ErrorCode code = WriteStreamRecord(file, kStreamEndTag, 0, nullptr);
    if (code != kErrNone)
        return code;
    return FlushStreamWrites(file);
}

ErrorCode ReadStreamStart(HFILE file, const char* signature, StreamHeader* header)
{
    char found[kStreamSignatureSize];
    if (ReadStreamBytes(file, found, kStreamSignatureSize) != static_cast<UINT>(kStreamSignatureSize))
        return kErrStreamRead;
    if (_strnicmp(found, signature, kStreamSignatureSize) != 0)
        return kErrStreamSignature;
    uint16_t tag = 0;
    uint32_t length = 0;
    ErrorCode code = ReadStreamRecord(file, &tag, &length);
    if (code != kErrNone)
        return code;
    if (tag != kStreamHeaderTag || length < kStreamHeaderSize)
        return kErrStreamSignature;
    const uint8_t* payload = StreamPayload();
    StreamHeader read;
    int16_t* words[6] = {&read.generation, &read.fixed300, &read.kind,
                         &read.version,    &read.fixed100, &read.unitsPerInch};
    for (int i = 0; i < 6; ++i)
        *words[i] = ReadLeI16(payload + 2 * i);
    // Every coordinate would be divided by the units: a stream without any
    // cannot be read.
    if (static_cast<uint16_t>(read.unitsPerInch) == 0)
        return kErrStreamSignature;
    StreamUnitsPerInch = static_cast<uint16_t>(read.unitsPerInch);
    StreamHeaderWord4 = read.fixed100;
    if (header)
        *header = read;
    return kErrNone;
}
