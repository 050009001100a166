// Writing a file the user named without risking the one already there: the
// new bytes go to a temporary file beside it, which replaces the old one only
// when everything was written.
#pragma once
#include <windows.h>

#include "common/error_codes.h"

class ReplacedFile {
public:
    explicit ReplacedFile(const char* path);
    ~ReplacedFile();  // a temporary file not committed is deleted
    ReplacedFile(const ReplacedFile&) = delete;
    ReplacedFile& operator=(const ReplacedFile&) = delete;

    // Makes the temporary file; 10003 when none can be made.
    ErrorCode Begin();
    // Where the new bytes go.
    const char* temporaryPath() const { return temporary_; }
    // The temporary file becomes the named one; 10003 when it cannot.
    ErrorCode Commit();

private:
    char target_[MAX_PATH] = {};
    char temporary_[MAX_PATH] = {};
    bool made_ = false;
};
