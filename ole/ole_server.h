// Layer 9, ole/: OLE server, picture export and mail; uses view/ and below.

// The program's OLE server: started at start-up, stopped at shut-down.
#pragma once
#include "common/error_codes.h"

extern int OleServerRunning;

ErrorCode OleStartServer();
void OleStopServer();
