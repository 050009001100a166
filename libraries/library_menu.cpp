#include "libraries/library_menu.h"

#include "libraries/library_table.h"

namespace {

bool ListedRow(int row)
{
    const LibraryWindowSlot& slot = LibraryWindows[row];
    return !(slot.window && slot.docked) && LibraryEntry(row)->fileName[0];
}

} // namespace

bool IsLibraryMenuDuplicate(int row)
{
    const SavedLibraryWindow& entry = *LibraryEntry(row);
    for (int other = 0; other < kLibraryRowCount; ++other) {
        if (other == row || !ListedRow(other) || !SameLibraryEntry(*LibraryEntry(other), entry))
            continue;
        if (other < row || LibraryWindows[other].window)
            return true;
    }
    return false;
}

void BuildLibraryWindowsMenu(HMENU menu, int firstId)
{
    if (!menu || !Options())
        return;
    for (int item = GetMenuItemCount(menu) - 1; item >= kLibrariesMenuFixedItems; --item)
        DeleteMenu(menu, static_cast<UINT>(item), MF_BYPOSITION);
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    for (int row = 0; row < kLibraryRowCount; ++row) {
        if (!ListedRow(row))
            continue;
        char title[kOptionsPathSize];
        LibraryTitleOf(LibraryEntry(row)->fileName, title, sizeof(title));
        const UINT_PTR id = static_cast<UINT_PTR>(firstId + row + 1);
        if (LibraryWindows[row].window)
            AppendMenuA(menu, MF_STRING | MF_CHECKED, id, title);
        else if (!IsLibraryMenuDuplicate(row))
            AppendMenuA(menu, MF_STRING, id, title);
    }
}
