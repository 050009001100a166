// The program's OLE server: started at start-up, stopped at shut-down.
#pragma once
#include "common/error_codes.h"

extern int OleServerRunning;

// 0; -1 for an OLE library of another major version; 1 on any other failure.
ErrorCode OleStartServer();
void OleStopServer();
// Withdraws the class factory: containers can make no new objects.
void OleRevokeServer();
// The class factory's counts, for the record.
long ClassFactoryLocks();
