// The program's own file opening (OpenFile mode bits, opened through CreateFile)
// and file-length helpers. Everything goes through the I/O seam.
#pragma once
#include <windows.h>

#include "common/error_codes.h"

HFILE OpenFileMode(const char* name, void* ignored, UINT mode);
ErrorCode SetFileLength(HFILE file, LONG length);
ErrorCode GetFileLength(HFILE file, LONG* length);

// _lread/_lwrite/_llseek/_lclose through the seam.
UINT ReadFileBytes(HFILE file, void* buffer, UINT count);
UINT WriteFileBytes(HFILE file, const void* buffer, UINT count);
LONG SeekFile(HFILE file, LONG offset, int origin);
HFILE CloseFile(HFILE file);
// The file carries the read-only attribute. An administrator's process could
// still open it for writing, but the user marked it not to be changed.
bool IsReadOnlyFile(const char* path);
