// The program's registry entries, checked at start-up: the OLE server of its
// drawings and the program that opens and prints its drawings, templates and
// libraries.
#pragma once
#include "common/error_codes.h"

// 0 always: missing entries are written, a sibling server's registration is
// taken over, the earlier version's entries are mended; failures are skipped.
ErrorCode CheckRegistration();
// Writes the whole registration (existing values are overwritten).
void WriteRegistration();
// Whether a program file name (no folder, no extension) is one of the two
// sibling servers whose registration this program takes over.
bool IsSiblingServer(const char* fileName);
