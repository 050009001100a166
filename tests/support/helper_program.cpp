#include "support/helper_program.h"

namespace {

const DWORD kPollMs = 50;

// Helpers are built beside the test programs.
std::string OwnFolder()
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string own(path, length);
    return own.substr(0, own.find_last_of('\\') + 1);
}

} // namespace

bool HelperProgram::Start(const std::string& arguments)
{
    std::string command = "\"" + OwnFolder() + exeName_ + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    return CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process_) != FALSE;
}

DWORD HelperProgram::Finish(DWORD timeoutMs)
{
    DWORD code = kHelperFailed;
    if (!process_.hProcess)
        return code;
    if (WaitForSingleObject(process_.hProcess, timeoutMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(process_.hProcess, &code);
    else
        TerminateProcess(process_.hProcess, kHelperFailed);
    return code;
}

HelperProgram::~HelperProgram()
{
    if (process_.hProcess) {
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(process_.hProcess, kHelperFailed);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
}

bool AwaitFile(const std::string& path, DWORD timeoutMs)
{
    for (DWORD waited = 0; waited < timeoutMs; waited += kPollMs) {
        if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES)
            return true;
        Sleep(kPollMs);
    }
    return false;
}
