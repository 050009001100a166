#include "libraries/library_table.h"

#include <cstdio>
#include <cstring>

LibraryWindowSlot LibraryWindows[kLibraryRowCount];
int SelectedLibraryItem = -1;
int SelectedLibraryRow = -1;
HWND RightClickLibraryWindow = nullptr;

namespace {

bool RowIsFree(int row)
{
    const SavedLibraryWindow* entry = LibraryEntry(row);
    return !LibraryWindows[row].window && (!entry || !entry->fileName[0]);
}

} // namespace

void ResetLibraryRow(int row)
{
    LibraryWindowSlot& slot = LibraryWindows[row];
    slot = LibraryWindowSlot();
    slot.store = -1;
}

void ClearLibraryRows()
{
    for (int row = 0; row < kLibraryRowCount; ++row)
        ResetLibraryRow(row);
}

bool IsValidLibraryRow(int row)
{
    return row >= 0 && row < kLibraryRowCount;
}

SavedLibraryWindow* LibraryEntry(int row)
{
    if (!IsValidLibraryRow(row) || !Options())
        return nullptr;
    return &Options()->libraryWindows[row];
}

bool LibraryEntryPath(int row, char* path, int size)
{
    const SavedLibraryWindow* entry = LibraryEntry(row);
    path[0] = '\0';
    if (!entry || !entry->fileName[0])
        return false;
    std::snprintf(path, size, "%s%s", entry->folder, entry->fileName);
    return true;
}

void SetLibraryEntryPath(int row, const char* path)
{
    SavedLibraryWindow* entry = LibraryEntry(row);
    if (!entry)
        return;
    const char* name = std::strrchr(path, '\\');
    const char* colon = std::strrchr(path, ':');
    if (!name || (colon && colon > name))
        name = colon;
    name = name ? name + 1 : path;
    const size_t folderLength = static_cast<size_t>(name - path);
    if (folderLength >= sizeof(entry->folder) || std::strlen(name) >= sizeof(entry->fileName))
        return;
    std::memcpy(entry->folder, path, folderLength);
    entry->folder[folderLength] = '\0';
    std::snprintf(entry->fileName, sizeof(entry->fileName), "%s", name);
}

void LibraryTitleOf(const char* fileName, char* title, int size)
{
    std::snprintf(title, size, "%s", fileName);
    char* dot = std::strchr(title, '.');
    if (dot)
        *dot = '\0';
}

int FindFirstLibraryWindow()
{
    for (int row = 0; row < kLibraryRowCount; ++row)
        if (LibraryWindows[row].window)
            return row;
    return kNoLibraryRow;
}

int FindFreeLibraryRow()
{
    for (int row = 0; row < kLibraryRowCount; ++row)
        if (RowIsFree(row))
            return row;
    for (int row = 0; row < kLibraryRowCount; ++row)
        if (!LibraryWindows[row].window)
            return row;
    return kNoLibraryRow;
}

bool AnyLibraryMarkedOpen()
{
    for (int row = 0; row < kLibraryRowCount; ++row) {
        const SavedLibraryWindow* entry = LibraryEntry(row);
        if (entry && entry->open)
            return true;
    }
    return false;
}

int FindLibraryEntry(const char* path, bool openOnly)
{
    for (int row = 0; row < kLibraryRowCount; ++row) {
        char entryPath[2 * kOptionsPathSize];
        if (!LibraryEntryPath(row, entryPath, sizeof(entryPath)) || lstrcmpiA(entryPath, path) != 0)
            continue;
        if (!openOnly || (LibraryWindows[row].window && LibraryWindows[row].store >= 0))
            return row;
    }
    return kNoLibraryRow;
}

bool SameLibraryEntry(const SavedLibraryWindow& a, const SavedLibraryWindow& b)
{
    return a.fileName[0] && lstrcmpiA(a.fileName, b.fileName) == 0 && lstrcmpiA(a.folder, b.folder) == 0;
}

bool IsDuplicateLibraryEntry(int row)
{
    SavedLibraryWindow* entry = LibraryEntry(row);
    if (!entry)
        return false;
    for (int earlier = 0; earlier < row; ++earlier) {
        const LibraryWindowSlot& slot = LibraryWindows[earlier];
        if (slot.window && !slot.docked && SameLibraryEntry(*LibraryEntry(earlier), *entry)) {
            entry->open = 0;
            entry->fileName[0] = '\0';
            return true;
        }
    }
    return false;
}
