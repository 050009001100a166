#include "frame/environment_changes.h"

#include "common/app_globals.h"
#include "text/font_cache.h"
#include "text/shared_font_reset.h"

// Least version until environment changes land: only the font cache is
// flushed on request, so that a full cache does not keep growing.
void OnSystemColorsChanged() {}

void OnWinIniChanged(const char*) {}

void OnDeviceModeChanged(const char*) {}

void OnFontsChanged() {}

LRESULT OnQueryNewPalette()
{
    return 0;
}

void OnPaletteChanged(HWND) {}

void ResetSharedFonts(int withEditors)
{
    // Editors and stored texts hold handles the flush deletes.
    if (withEditors)
        DiscardError(ReleaseTextFonts(MainWindow), "texts whose caches were not reached are measured again when drawn");
    FlushFontCache();
    if (withEditors)
        RebuildTextFonts(MainWindow);
}
