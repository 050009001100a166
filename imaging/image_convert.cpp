#include "imaging/image_codecs.h"

namespace {

ErrorCode ConvertInto(const RasterImage* source, RasterImage* target)
{
    if (!source || !source->bits || !target || !target->bits || target->bitCount != 8 ||
        target->width != source->width || target->height != source->height)
        return kImageBadRange;
    DecodedPicture picture;
    ErrorCode code = ImageToDecoded(*source, &picture);
    if (code == kImageOk)
        code = StoreDecoded(picture, target);
    return code;
}

} // namespace

ErrorCode convertrgbtopal(int colours, const RasterImage* source, RasterImage* target)
{
    // The target's table holds 256 entries; fewer are not asked for.
    if (colours != ImageColorCount(8))
        return kImageBadRange;
    return ConvertInto(source, target);
}

ErrorCode convert1bitto8bit(const RasterImage* source, RasterImage* target)
{
    if (!source || source->bitCount != 1)
        return kImageBadRange;
    return ConvertInto(source, target);
}
