#include "documents/open_failure.h"

#include "common/results.h"
#include "documents/stream_errors.h"
#include "resources/resource_ids.h"
#include "store/store_errors.h"

namespace {

struct OpenFailure {
    ErrorCode code;
    int message;
};

// A short or garbled drawing, or a store that is broken or holds no drawing,
// is the file's fault: saying "low on memory" would send the user the wrong way.
const OpenFailure kOpenFailures[] = {
    {kErrDiskFull, IDS_DISK_FULL},
    {kStoreErrNotStore, IDS_NOT_VERSION_1},
    {kErrLaterVersion, IDS_LATER_VERSION},
    {kErrStreamRead, IDS_DAMAGED_DRAWING},
    {kErrStreamSignature, IDS_DAMAGED_DRAWING},
    {kStoreErrSizeMismatch, IDS_DAMAGED_DRAWING},
    {kStoreErrOffsetMismatch, IDS_DAMAGED_DRAWING},
    {kStoreErrParentMismatch, IDS_DAMAGED_DRAWING},
    {kStoreErrBaseMismatch, IDS_DAMAGED_DRAWING},
    {kStoreErrFreeMap, IDS_DAMAGED_DRAWING},
    {kStoreErrNotFound, IDS_DAMAGED_DRAWING},
    {kStoreErrTooSmall, IDS_DAMAGED_DRAWING},
    {kStoreErrNoEntry, IDS_DAMAGED_DRAWING},
    {kStoreErrSameOffset, IDS_DAMAGED_DRAWING},
    {kStoreErrOverlap, IDS_DAMAGED_DRAWING},
    {kStoreErrLostBytes, IDS_DAMAGED_DRAWING},
    {kStoreErrKeyOrder, IDS_DAMAGED_DRAWING},
    {kStoreErrFileLength, IDS_DAMAGED_DRAWING},
    {kStoreErrBlockCount, IDS_DAMAGED_DRAWING},
};

} // namespace

int OpenFailureMessage(ErrorCode code)
{
    for (const OpenFailure& failure : kOpenFailures) {
        if (failure.code == code)
            return failure.message;
    }
    return IDS_OPEN_FAILED;
}

void WarnOpenFailed(ErrorCode code)
{
    WarnById(OpenFailureMessage(code));
}
