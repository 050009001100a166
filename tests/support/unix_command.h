// Linux programs run from a test under Wine: xdotool for real input,
// ImageMagick and Ghostscript as independent readers of what was written.
#pragma once
#include <windows.h>

#include <string>

// Runs `script` with /bin/sh and waits until it ends; false when it could not
// be started or did not end within the timeout.
bool RunUnixShell(const std::string& script, DWORD timeoutMs = 60000);
// The standard output of `script`, empty when it failed to run.
std::string UnixOutputOf(const std::string& script);
// The Linux path of a Windows path on Wine's Z: drive (the path unchanged
// otherwise).
std::string UnixPathOf(const std::string& windowsPath);
// The Unix build folder the test runner names, "." without one.
std::string UnixBuildFolder();
