#include "documents/view_options.h"

#include <cstring>

#include "objects/app_options.h"

bool ViewOptionSet(uint16_t flag)
{
    if (!AppOptions)
        return false;
    uint16_t flags;
    std::memcpy(&flags, AppOptions + kOptionsFlags, sizeof(flags));
    return (flags & flag) != 0;
}

void SetViewOption(uint16_t flag, bool on)
{
    if (!AppOptions)
        return;
    uint16_t flags;
    std::memcpy(&flags, AppOptions + kOptionsFlags, sizeof(flags));
    flags = on ? static_cast<uint16_t>(flags | flag) : static_cast<uint16_t>(flags & ~flag);
    std::memcpy(AppOptions + kOptionsFlags, &flags, sizeof(flags));
}

bool RulersShown()
{
    if (!AppOptions)
        return true;
    int32_t shown;
    std::memcpy(&shown, AppOptions + kOptionsRulerScale, sizeof(shown));
    return shown != 0;
}
