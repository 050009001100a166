#include "frame/file_menu_texts.h"

#include <cstdio>

#include "common/string_helpers.h"
#include "common/window_helpers.h"
#include "documents/ole_document_state.h"
#include "documents/view_children.h"
#include "ole/ole_documents.h"
#include "resources/menu_ids.h"
#include "resources/resource_ids.h"

namespace {

const int kEmbedded = 1;

struct FileText {
    int id;
    int embeddedString;
    int ownString;
};

const FileText kFileTexts[] = {
    {IDM_FILE_CLOSE, IDS_MENU_CLOSE_AND_RETURN, IDS_MENU_CLOSE},
    {IDM_FILE_SAVE, IDS_MENU_UPDATE, IDS_MENU_SAVE},
    {IDM_FILE_SAVE_AS, IDS_MENU_SAVE_COPY_AS, IDS_MENU_SAVE_AS},
};

} // namespace

void SetMenuItemText(HMENU popup, int id, const char* text)
{
    const UINT state = GetMenuState(popup, static_cast<UINT>(id), MF_BYCOMMAND);
    if (!text[0] || state == static_cast<UINT>(-1))
        return;
    // A new text must not bring back an item its rules greyed.
    const UINT kept = state & (MF_GRAYED | MF_DISABLED | MF_CHECKED);
    ModifyMenuA(popup, static_cast<UINT>(id), MF_BYCOMMAND | MF_STRING | kept, static_cast<UINT_PTR>(id), text);
}

void InitFileTexts(HMENU popup, bool embedded, const char* containerName)
{
    for (const FileText& item : kFileTexts) {
        char pattern[kStringBufferSize];
        LoadStrOrBlank(embedded ? item.embeddedString : item.ownString, pattern);
        // A container may call itself anything: the text is cut, never overrun.
        char text[2 * kStringBufferSize];
        std::snprintf(text, sizeof(text), pattern, containerName ? containerName : "");
        SetMenuItemText(popup, item.id, text);
    }
}

void InitFileTextsForActiveDocument(HMENU popup)
{
    HWND document = GetActiveDocWindow(nullptr);
    HWND view = document ? DocumentViewOf(document) : nullptr;
    if (!view)
        return;
    const bool embedded = GetOleObjectState(view) == kEmbedded;
    char container[kStringBufferSize] = "";
    if (embedded)
        GetOleContainerName(container, view, sizeof(container));
    InitFileTexts(popup, embedded, container);
}
