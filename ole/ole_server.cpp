#include "ole/ole_server.h"

int OleServerRunning = 0;

// Least version until the OLE server lands: no class factory is registered.
ErrorCode OleStartServer()
{
    return kErrNone;
}

void OleStopServer() {}
