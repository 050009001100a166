#include "common/results.h"
#include "frame/app_startup.h"

namespace {

// Slot order of AppCursors: resources are numbers, system cursors IDC_ names.
struct CursorSource {
    int resource;
    LPCSTR system;
};

const CursorSource kCursors[18] = {
    {1000, nullptr},    {0, IDC_WAIT},       {1002, nullptr},     {0, IDC_IBEAM},   {0, IDC_CROSS},
    {0, IDC_SIZENESW},  {0, IDC_SIZENWSE},   {0, IDC_SIZENS},     {0, IDC_SIZEWE},  {1009, nullptr},
    {1010, nullptr},    {1011, nullptr},     {1012, nullptr},     {1013, nullptr},  {1014, nullptr},
    {1015, nullptr},    {1016, nullptr},     {1017, nullptr},
};

} // namespace

ErrorCode LoadAppCursors(HINSTANCE instance)
{
    for (int slot = 0; slot < 18; ++slot) {
        const CursorSource& source = kCursors[slot];
        AppCursors[slot] = source.system ? LoadCursorA(nullptr, source.system)
                                         : LoadCursorA(instance, MAKEINTRESOURCEA(source.resource));
        if (!AppCursors[slot])
            return kErrWindowOrCursor;
    }
    return kErrNone;
}
