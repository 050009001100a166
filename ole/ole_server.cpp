#include "ole/ole_server.h"

#include <ole2.h>

#include "ole/ole_formats.h"

int OleServerRunning = 0;

namespace {

constexpr ErrorCode kErrOleStart{1};
bool OleStarted = false;

} // namespace

// Until the server lands only OLE itself is started, for the clipboard and
// drag data objects; no class factory is registered.
ErrorCode OleStartServer()
{
    if (FAILED(OleInitialize(nullptr)))
        return kErrOleStart;
    OleStarted = true;
    InitOleFormatTable();
    return kErrNone;
}

void OleStopServer()
{
    if (OleStarted)
        OleUninitialize();
    OleStarted = false;
}
