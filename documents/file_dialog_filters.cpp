#include "documents/file_dialog_filters.h"

#include <cstring>

#include "documents/options_strings.h"

namespace {

struct FileType {
    int index;
    const char* extension;
};
const FileType kFileTypes[] = {
    {1, "TYR"},   {2, "TYT"},   {101, "wmf"}, {102, "bmp"}, {103, "pcx"},
    {104, "tif"}, {105, "gif"}, {106, "jpg"}, {201, "txt"}, {202, "txt"},
};

} // namespace

void ConvertFilterString(char* filter, int position, char* defExt, bool cutToThree)
{
    defExt[0] = '\0';
    // Fields alternate description, pattern; the pattern of `position` is field 2 * position - 1.
    const int wanted = 2 * position - 1;
    int field = 0;
    size_t used = 0;
    const size_t limit = cutToThree ? 3 : kFileDlgDefExtSize - 1;
    for (char* at = filter; *at; ++at) {
        if (*at == '|') {
            *at = '\0';
            ++field;
            continue;
        }
        if (field == wanted && *at != '*' && *at != '.' && *at != ';' && used < limit)
            defExt[used++] = *at;
    }
    defExt[used] = '\0';
}

const char* FileTypeExtension(int typeIndex)
{
    for (const FileType& type : kFileTypes) {
        if (type.index == typeIndex)
            return type.extension;
    }
    return nullptr;
}

int FileTypeIndex(int positionWithOffset)
{
    if (positionWithOffset >= 3 && positionWithOffset <= 99)
        return positionWithOffset + 98;
    return positionWithOffset;
}

bool SwitchExtension(char* name, size_t size, const char* extension)
{
    char* slash = std::strrchr(name, '\\');
    char* dot = std::strrchr(name, '.');
    if (!dot || (slash && dot < slash))
        return false;
    const size_t stem = static_cast<size_t>(dot - name) + 1;
    if (stem + std::strlen(extension) >= size)
        return false;
    std::strcpy(dot + 1, extension);
    return true;
}

bool SplitPathFolder(const char* path, char* folder, size_t folderSize, char* name, size_t nameSize)
{
    const char* slash = std::strrchr(path, '\\');
    const char* colon = std::strchr(path, ':');
    const char* cut = slash ? slash : (colon ? colon : nullptr);
    if (!cut)
        return false;
    size_t length = static_cast<size_t>(cut - path) + (slash ? 0 : 1);
    // "C:\" keeps its backslash so it still names the root.
    if (slash && length == 2 && path[1] == ':')
        length = 3;
    CopyBoundedString(folder, folderSize, path, length);
    CopyBoundedString(name, nameSize, cut + 1, nameSize);
    return true;
}
