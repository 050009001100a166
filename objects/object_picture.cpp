#include "objects/object_picture.h"

#include "objects/drawing_layout.h"
#include "objects/packed_dib.h"
#include "objects/picture_chunks.h"

ErrorCode DrawObjectPicture(HDC dc, int store, int group, int firstId, int count, const RECT* rect,
                            PlaybackState* state)
{
    HGLOBAL block = nullptr;
    RECT bounds = {0, 0, 0, 0};
    int colorCount = 0;
    int scanFlags = 0;
    DWORD bytes = 0;
    ErrorCode code =
        LoadPicture(store, group, firstId, count, &block, &bounds, &colorCount, nullptr, &scanFlags, &bytes);
    if (code != kErrNone)
        return code;
    if (group == kBitmapPictureGroup) {
        code = DrawDib(dc, rect, block);
        GlobalFree(block);
        return code;
    }
    PlayMetafileTransformed(dc, rect, block, &bounds, state);
    return kErrNone;
}
