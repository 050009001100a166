// Where tests put their files: a scratch folder per test program and the
// shared output folder for screenshots.
#pragma once
#include <string>

// A fresh Windows path for a scratch file named after the running test.
std::string ScratchPath(const char* leaf);
// The build folder (Windows path, ending in a backslash).
std::string BuildFolder();
// The folder (Windows path, ending in a backslash) for files people look at.
std::string TestOutputFolder();
// A Unix path as Wine sees it (Z: drive).
std::string WindowsPathOf(const std::string& unixPath);
