// A second program of the build folder that a test runs beside the program
// (a container, a drop target), and the marker files they signal with.
#pragma once
#include <windows.h>

#include <string>

const DWORD kHelperFailed = 0xFFFF;

class HelperProgram {
public:
    explicit HelperProgram(const std::string& exeName) : exeName_(exeName) {}
    ~HelperProgram();
    HelperProgram(const HelperProgram&) = delete;
    HelperProgram& operator=(const HelperProgram&) = delete;

    bool Start(const std::string& arguments);
    // Its exit code, or kHelperFailed when it had to be ended after the wait.
    DWORD Finish(DWORD timeoutMs);

private:
    std::string exeName_;
    PROCESS_INFORMATION process_ = {};
};

// Waits for a file another process writes; false when none came in time.
bool AwaitFile(const std::string& path, DWORD timeoutMs);
