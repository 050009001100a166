#include "documents/options_strings.h"

#include <cstring>

#include "objects/app_options.h"

void CopyBoundedString(char* target, size_t size, const char* source, size_t count)
{
    size_t length = 0;
    while (length < count && length + 1 < size && source[length])
        ++length;
    std::memmove(target, source, length);
    target[length] = '\0';
}

void CopyOptionsPath(char* target, const char* source)
{
    CopyBoundedString(target, kOptionsPathSize, source, kOptionsPathSize);
}

void AppendOptionsPath(char* target, const char* source)
{
    const size_t used = std::strlen(target);
    if (used + 1 >= static_cast<size_t>(kOptionsPathSize))
        return;
    CopyBoundedString(target + used, kOptionsPathSize - used, source, kOptionsPathSize);
}

void CopyFaceName(char* target, const char* source)
{
    CopyBoundedString(target, LF_FACESIZE, source, LF_FACESIZE);
}
