// Result codes of the record-stream layer.
#pragma once
#include "common/error_codes.h"

enum RecordStreamError : int {
    kErrStreamRead = 1001,      // a record's tag, length or payload cannot be read completely
    kErrStreamWrite = 1002,     // a record cannot be written completely
    kErrStreamSignature = 1003, // no signature, or the first record is not the stream header
    kErrStreamOptions = 1004,   // an options file of a version this program does not read
};
template <>
struct IsErrorCodeEnum<RecordStreamError> : std::true_type {};
