#include "imaging/image_file_bytes.h"

#include <new>

#include "common/io_seam.h"
#include "imaging/decoded_picture.h"
#include "imaging/image_errors.h"
#include "imaging/image_info.h"

ErrorCode ReadImageFile(const char* path, std::vector<uint8_t>* bytes)
{
    bytes->clear();
    HFILE file = SeamCreateFile(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
    if (file == HFILE_ERROR)
        return kImageCannotOpen;
    ErrorCode code = kImageOk;
    const LONG length = SeamSeek(file, 0, FILE_END);
    if (length < 0 || static_cast<uint32_t>(length) > kImageMaxFileBytes || SeamSeek(file, 0, FILE_BEGIN) != 0) {
        code = kImageReadFault;
    } else {
        try {
            bytes->resize(static_cast<size_t>(length));
        } catch (const std::bad_alloc&) {
            code = kImageNoMemory;
        }
        if (code == kImageOk && length > 0 &&
            SeamRead(file, bytes->data(), static_cast<UINT>(length)) != static_cast<UINT>(length))
            code = kImageReadFault;
    }
    SeamClose(file);
    if (code != kImageOk)
        bytes->clear();
    return code;
}

ErrorCode WriteImageFile(const char* path, ByteSpan bytes)
{
    HFILE file = SeamCreateFile(path, GENERIC_READ | GENERIC_WRITE, 0, CREATE_ALWAYS);
    if (file == HFILE_ERROR)
        return kImageWriteFault;
    const UINT count = static_cast<UINT>(bytes.size());
    const bool written = count == 0 || SeamWrite(file, bytes.data(), count) == count;
    SeamClose(file);
    if (!written) {
        SeamDeleteFile(path);
        return kImageWriteFault;
    }
    return kImageOk;
}

ErrorCode InfoOfFile(const char* path, InfoReader reader, ImageFileInfo* info)
{
    std::vector<uint8_t> bytes;
    ErrorCode code = ReadImageFile(path, &bytes);
    return code != kImageOk ? code : reader(bytes, info);
}

ErrorCode LoadIntoImage(const char* path, PictureDecoder decoder, RasterImage* image)
{
    std::vector<uint8_t> bytes;
    DecodedPicture picture;
    ErrorCode code = ReadImageFile(path, &bytes);
    if (code == kImageOk)
        code = decoder(bytes, &picture);
    return code != kImageOk ? code : StoreDecoded(picture, image);
}
