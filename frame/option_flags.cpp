#include "frame/option_flags.h"

#include <cstring>

#include "objects/app_options.h"

bool OptionsExist()
{
    return AppOptions != nullptr;
}

uint16_t GetOptionFlags()
{
    if (!AppOptions)
        return 0;
    uint16_t flags = 0;
    memcpy(&flags, AppOptions + kOptionsFlags, sizeof(flags));
    return flags;
}

void SetOptionFlagBits(uint16_t mask, bool on)
{
    if (!AppOptions)
        return;
    uint16_t flags = GetOptionFlags();
    flags = on ? static_cast<uint16_t>(flags | mask) : static_cast<uint16_t>(flags & ~mask);
    memcpy(AppOptions + kOptionsFlags, &flags, sizeof(flags));
}

bool HintsShown()
{
    return (GetOptionFlags() & kFlagShowHints) != 0;
}

void SetHintsShown(bool on)
{
    SetOptionFlagBits(kFlagShowHints, on);
}
