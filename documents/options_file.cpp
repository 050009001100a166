#include "documents/options_file.h"

#include "documents/app_options.h"

#include <cstdlib>

// Least version until the options file lands: zeroed options, nothing stored.
ErrorCode CreateDefaultOptions()
{
    if (!AppOptions)
        AppOptions = static_cast<unsigned char*>(calloc(1, kOptionsMinimumSize));
    return AppOptions ? 0 : kErrNoMemory;
}

void SetDefaultToolbarSlots(unsigned char*) {}

ErrorCode LoadOptions(const char*, HMENU, int) { return CreateDefaultOptions(); }

ErrorCode SaveOptions() { return 0; }

void SaveAndFreeOptions()
{
    free(AppOptions);
    AppOptions = nullptr;
}

ErrorCode WriteOptionsFile(const char*) { return 0; }

ErrorCode ReadOptionsFile(const char*) { return 0; }
