// Linux programs run from a test under Wine (xdotool, Ghostscript).
#pragma once
#include <windows.h>

#include <string>

// Runs `command` with /bin/sh and waits for it to finish; false when it could
// not start or did not finish within the timeout.
bool RunUnixCommand(const std::string& command, DWORD timeoutMs = 20000);
// The Unix build folder the test runner names, "." without one.
std::string UnixBuildFolder();
