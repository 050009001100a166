// A temporary folder of a test's own (TMP pointed at it while the object
// lives), so that working files of other tests and runs do not count.
#pragma once
#include <windows.h>

#include <string>

class PrivateTempFolder {
public:
    PrivateTempFolder();
    ~PrivateTempFolder();
    PrivateTempFolder(const PrivateTempFolder&) = delete;
    PrivateTempFolder& operator=(const PrivateTempFolder&) = delete;

    // Ends in a backslash.
    const std::string& path() const { return folder_; }

private:
    std::string folder_;
    char saved_[MAX_PATH] = {};
    DWORD hadTmp_ = 0;
};

// Working files ("VXT*.tmp") in the current temporary folder.
int CountWorkingFiles();
