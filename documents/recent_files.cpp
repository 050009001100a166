#include "documents/recent_files.h"

#include <cstring>

#include "common/handle_tokens.h"
#include "common/io_seam.h"
#include "objects/app_options.h"
#include "documents/options_strings.h"

RecentFileList* RecentFiles = nullptr;

namespace {

void CopyPath(char* target, const char* source)
{
    CopyBoundedString(target, kRecentPathSize, source, kRecentPathSize);
}

int EntryIndexOf(const char* path)
{
    for (int entry = 0; entry < RecentFiles->count; ++entry) {
        if (lstrcmpiA(RecentFiles->paths[entry], path) == 0)
            return entry;
    }
    return -1;
}

// Menu position of an entry, or -1.
int PositionOf(int entry)
{
    for (int position = 0; position < RecentFiles->count; ++position) {
        if (RecentFiles->order[position] == entry)
            return position;
    }
    return -1;
}

// The menu text of one entry: cut to the current folder, ampersands doubled.
void MenuText(const char* path, char* text)
{
    const char* shown = path;
    const size_t folderLength = std::strlen(RecentFiles->folder);
    if (folderLength > 0 && std::strlen(path) >= folderLength &&
        CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, path, static_cast<int>(folderLength),
                       RecentFiles->folder, static_cast<int>(folderLength)) == CSTR_EQUAL)
        shown = path + folderLength;
    CopyPath(text, shown);
    DoubleAmpersands(text);
}

} // namespace

ErrorCode CreateRecentFileList()
{
    HGLOBAL block = SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(RecentFileList));
    if (!block)
        return kErrNoMemory;
    auto* list = static_cast<RecentFileList*>(GlobalLock(block));
    if (!list) {
        GlobalFree(block);
        return kErrNoMemory;
    }
    list->ownHandle = AddHandleToken(block);
    list->changed = 1;
    list->firstId = kFirstRecentFileId;
    RecentFiles = list;
    UpdateRecentFolder();
    return kErrNone;
}

void FreeRecentFileList()
{
    if (!RecentFiles)
        return;
    const uint32_t token = RecentFiles->ownHandle;
    HGLOBAL block = TokenHandle(token);
    RecentFiles = nullptr;
    FreeHandleToken(token);
    if (block) {
        GlobalUnlock(block);
        GlobalFree(block);
    }
}

void AppendRecentFile(const char* path)
{
    if (!RecentFiles || RecentFiles->count >= kRecentFileCount)
        return;
    const int entry = RecentFiles->count;
    CopyPath(RecentFiles->paths[entry], path);
    RecentFiles->order[entry] = entry;
    RecentFiles->count = entry + 1;
    RecentFiles->changed = 1;
}

void AddRecentFile(const char* path)
{
    if (!RecentFiles || !path)
        return;
    int entry = EntryIndexOf(path);
    if (entry >= 0 && RecentFiles->order[0] == entry)
        return;
    int held = entry >= 0 ? PositionOf(entry) : -1;
    if (entry < 0) {
        if (RecentFiles->count < kRecentFileCount) {
            entry = RecentFiles->count;
            held = entry;
            RecentFiles->order[held] = entry;
            RecentFiles->count += 1;
        } else {
            held = kRecentFileCount - 1;
            entry = RecentFiles->order[held];
        }
    }
    CopyPath(RecentFiles->paths[entry], path);
    // Everything before the entry's old place moves one down.
    for (int position = held; position > 0; --position)
        RecentFiles->order[position] = RecentFiles->order[position - 1];
    RecentFiles->order[0] = entry;
    RecentFiles->changed = 1;
}

void RemoveRecentFile(int commandId)
{
    if (!RecentFiles)
        return;
    const int position = commandId - RecentFiles->firstId;
    if (position < 0 || position >= RecentFiles->count)
        return;
    const int entry = RecentFiles->order[position];
    const int count = RecentFiles->count;
    for (int moved = entry + 1; moved < count; ++moved)
        std::memcpy(RecentFiles->paths[moved - 1], RecentFiles->paths[moved], kRecentPathSize);
    std::memset(RecentFiles->paths[count - 1], 0, kRecentPathSize);
    for (int at = position; at + 1 < count; ++at)
        RecentFiles->order[at] = RecentFiles->order[at + 1];
    RecentFiles->order[count - 1] = 0;
    for (int at = 0; at + 1 < count; ++at) {
        if (RecentFiles->order[at] > entry)
            RecentFiles->order[at] -= 1;
    }
    RecentFiles->count = count - 1;
    RecentFiles->changed = 1;
}

void GetRecentFile(int commandId, char* path)
{
    path[0] = '\0';
    if (!RecentFiles)
        return;
    const int position = commandId - RecentFiles->firstId;
    if (position >= 0 && position < RecentFiles->count)
        CopyPath(path, RecentFiles->paths[RecentFiles->order[position]]);
}

void BuildRecentFilesMenu(HMENU fileMenu)
{
    if (!RecentFiles || !RecentFiles->changed)
        return;
    RecentFiles->changed = 0;
    for (int position = GetMenuItemCount(fileMenu) - 1; position >= FileMenuBaseCount; --position)
        DeleteMenu(fileMenu, static_cast<UINT>(position), MF_BYPOSITION);
    if (RecentFiles->count == 0)
        return;
    AppendMenuA(fileMenu, MF_SEPARATOR, 0, nullptr);
    for (int position = 0; position < RecentFiles->count; ++position) {
        char text[kRecentPathSize];
        MenuText(RecentFiles->paths[RecentFiles->order[position]], text);
        AppendMenuA(fileMenu, MF_STRING | MF_ENABLED, static_cast<UINT_PTR>(RecentFiles->firstId + position), text);
    }
}

void UpdateRecentFolder()
{
    if (!RecentFiles)
        return;
    char folder[kRecentPathSize];
    DWORD length = GetCurrentDirectoryA(kRecentPathSize - 1, folder);
    if (length == 0 || length >= kRecentPathSize - 1)
        folder[0] = '\0';
    length = static_cast<DWORD>(std::strlen(folder));
    if (length > 0 && folder[length - 1] != '\\' && length < kRecentPathSize - 1) {
        folder[length] = '\\';
        folder[length + 1] = '\0';
    }
    if (lstrcmpiA(folder, RecentFiles->folder) != 0) {
        CopyPath(RecentFiles->folder, folder);
        RecentFiles->changed = 1;
    }
}

void DoubleAmpersands(char* text)
{
    // Doubling stops where it would pass 261 characters: the rest is cut.
    char doubled[kRecentPathSize];
    size_t out = 0;
    for (const char* in = text; *in && out < kRecentPathSize - 1; ++in) {
        if (*in == '&') {
            if (out + 2 > kRecentPathSize - 1)
                break;
            doubled[out++] = '&';
        }
        doubled[out++] = *in;
    }
    doubled[out] = '\0';
    std::memcpy(text, doubled, out + 1);
}
