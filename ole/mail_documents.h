// File > Send: temporary copies of the active document (0) or of every open
// document (1) handed to the system's simple MAPI, deleted afterwards.
#pragma once
#include <windows.h>

#include <string>

#include "common/error_codes.h"

int SendDocumentsByMail(int all);

// A copy of the document, with its preview picture, in a new file of the
// temporary folder; the document keeps its file, name and modified flag.
ErrorCode SaveTempCopy(HWND document, std::string* path);
