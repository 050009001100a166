#include "common/string_helpers.h"

#include "common/app_globals.h"

ErrorCode LoadStr(int id, char* buffer)
{
    buffer[0] = '\0';
    HINSTANCE instance = AppInstance ? AppInstance : GetModuleHandleA(nullptr);
    if (LoadStringA(instance, static_cast<UINT>(id), buffer, kStringBufferSize) <= 0) {
        buffer[0] = '\0';
        return kErrStringOrFormat;
    }
    return kErrNone;
}

void LoadStrOrBlank(int id, char* buffer)
{
    if (LoadStr(id, buffer) != kErrNone)
        buffer[0] = '\0';
}

ErrorCode SplitDeviceString(char* text, char** driver, char** device, char** port)
{
    *driver = nullptr;
    *device = nullptr;
    *port = nullptr;
    if (!text)
        return kErrNoMemory;
    *device = text;
    char* walk = text;
    while (*walk) {
        if (*walk != ',') {
            walk = CharNextA(walk);
            continue;
        }
        *walk++ = '\0';
        while (*walk == ' ')
            ++walk;
        if (!*driver)
            *driver = walk;
        else
            *port = walk;
    }
    return kErrNone;
}

LONG GetTextExtentPacked(HDC dc, const char* text, int count)
{
    SIZE extent = {0, 0};
    GetTextExtentPointA(dc, text, count, &extent);
    return static_cast<LONG>((static_cast<DWORD>(extent.cy) << 16) | (static_cast<DWORD>(extent.cx) & 0xFFFF));
}
