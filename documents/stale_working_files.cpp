// Working files left behind by runs that ended without closing their
// documents (killed, crashed). A running instance holds each of its working
// files open without delete sharing, so only the orphans can be deleted.
#include <cstring>

#include "common/io_seam.h"
#include "documents/document_record.h"

namespace {

// GetTempFileName names its files after the prefix's first letters.
const size_t kTempNamePrefixLength = 3;
const char kTempNameEnding[] = "*.tmp";

bool TempFolder(char* folder)
{
    const DWORD length = GetTempPathA(MAX_PATH, folder);
    return length > 0 && length < MAX_PATH;
}

} // namespace

int RemoveStaleWorkingFiles()
{
    char folder[MAX_PATH + 1] = {};
    if (!TempFolder(folder))
        return 0;
    char pattern[MAX_PATH + 1] = {};
    if (std::strlen(folder) + kTempNamePrefixLength + sizeof(kTempNameEnding) > sizeof(pattern))
        return 0;
    std::strcpy(pattern, folder);
    std::strncat(pattern, kWorkingFilePrefix, kTempNamePrefixLength);
    std::strcat(pattern, kTempNameEnding);
    WIN32_FIND_DATAA found = {};
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    int removed = 0;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        char path[MAX_PATH + 1] = {};
        if (std::strlen(folder) + std::strlen(found.cFileName) >= sizeof(path))
            continue;
        std::strcpy(path, folder);
        std::strcat(path, found.cFileName);
        // A file in use by a running instance refuses, which is what keeps it.
        if (SeamDeleteFile(path))
            ++removed;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return removed;
}
