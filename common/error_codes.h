// Layer 2, common/: platform helpers and program-wide globals every folder uses.

// Result codes of the whole program. 0 is success; a caller stops at the first
// non-zero code and passes it up. Store codes are 1..33 (store/store_errors.h),
// record-stream codes 1001..1004, the application's own from 10001.
#pragma once

typedef int ErrorCode;

enum AppErrorCode : int {
    kErrNone = 0,
    kErrStringOrFormat = 10001,   // a string or clipboard format fails to load or register
    kErrWindowOrCursor = 10002,   // a window class, window or cursor fails to be made
    kErrFile = 10003,             // a file fails to open, read or write
    kErrNoMemory = 10004,         // out of memory
    kErrNoPrinterContext = 10005, // no printer information context for a new document
    kErrDiskFull = 10006,         // a file's length cannot be set
    kErrLaterVersion = 10008,     // the file was made by a later version
    kErrOutsideDrawing = 10009,   // the change would put objects outside the drawing area
    kErrTooManyObjects = 10010,   // more than 16,000 objects in a drawing
    kErrTooManyLinks = 10011,     // more than 6000 links in a drawing
    kErrBadMetafile = 10013,      // a metafile that cannot be used
};

// Record-stream codes.
enum StreamErrorCode : int {
    kErrStreamFirst = 1001,
    kErrStreamLast = 1004,
};
