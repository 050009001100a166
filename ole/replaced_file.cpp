#include "ole/replaced_file.h"

#include <cstring>

#include "common/io_seam.h"

namespace {

const char kTemporaryPrefix[] = "VXE";

} // namespace

ReplacedFile::ReplacedFile(const char* path)
{
    lstrcpynA(target_, path, MAX_PATH);
}

ReplacedFile::~ReplacedFile()
{
    if (made_)
        SeamDeleteFile(temporary_);
}

ErrorCode ReplacedFile::Begin()
{
    if (std::strlen(target_) >= MAX_PATH - 1)
        return kErrFile;
    // The temporary file lies in the target's folder, so the replacement is
    // a rename on one volume.
    char folder[MAX_PATH];
    lstrcpynA(folder, target_, MAX_PATH);
    char* slash = std::strrchr(folder, '\\');
    if (slash)
        slash[1] = '\0';
    else
        lstrcpynA(folder, ".", MAX_PATH);
    if (!GetTempFileNameA(folder, kTemporaryPrefix, 0, temporary_))
        return kErrFile;
    made_ = true;
    return kErrNone;
}

ErrorCode ReplacedFile::Commit()
{
    if (!made_ || !MoveFileExA(temporary_, target_, MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED))
        return kErrFile;
    made_ = false;
    return kErrNone;
}
