// The pure parts of the Open and Save dialogs: filter strings, default
// extensions and the file types of filter positions.
#pragma once
#include <windows.h>

const int kFileDlgDefExtSize = 8;

// Turns every "|" of `filter` into a NUL (the list then ends in two) and
// copies the pattern letters of the type at `position` (from 1), other than
// "*", "." and ";", into `defExt`, at most three when `cutToThree`, else as
// many as fit. An absent position leaves `defExt` empty.
void ConvertFilterString(char* filter, int position, char* defExt, bool cutToThree);
// The extension of a file type index (1, 2, 101..106, 201, 202); none for others.
const char* FileTypeExtension(int typeIndex);
// The file type index of a filter position counted from 1 plus the type
// offset: positions 3 to 99 count from 101.
int FileTypeIndex(int positionWithOffset);
// Replaces the extension of `name` (a buffer of `size` bytes) by `extension`
// when it has one; a name without an extension is left alone. True when changed.
bool SwitchExtension(char* name, size_t size, const char* extension);
// Splits a path into its drive and folder (without a trailing "\") and its
// name and extension; false when the path has no folder part.
bool SplitPathFolder(const char* path, char* folder, size_t folderSize, char* name, size_t nameSize);
