// Linux programs run from a test under Wine: xdotool for real input,
// ImageMagick as an independent reader of written pictures.
#pragma once
#include <string>

// Runs `script` with /bin/sh and waits until it ends; false when it could not
// be started or did not end in time.
bool RunUnixShell(const std::string& script);
// The standard output of `script`, empty when it failed to run.
std::string UnixOutputOf(const std::string& script);
// The Linux path of a Windows path on Wine's Z: drive (the path unchanged
// otherwise).
std::string UnixPathOf(const std::string& windowsPath);
