#include "support/unix_command.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

const char* const kShell = "/bin/sh";
const DWORD kPollMs = 5;

} // namespace

// Wine cannot wait for a Linux process it started (the handle is signalled at
// once), so the shell leaves a marker file when the command is done.
bool RunUnixCommand(const std::string& command, DWORD timeoutMs)
{
    static unsigned sequence = 0;
    const std::string marker = "/tmp/tessary-command-" + std::to_string(GetCurrentProcessId()) + "-" +
                               std::to_string(++sequence);
    std::string commandLine = std::string(kShell) + " -c \"" + command + "; touch " + marker + "\"";
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        std::fprintf(stderr, "cannot start %s (error %lu)\n", command.c_str(), GetLastError());
        return false;
    }
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    const std::string windowsMarker = "Z:" + marker;
    const DWORD start = GetTickCount();
    while (GetFileAttributesA(windowsMarker.c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (GetTickCount() - start > timeoutMs) {
            std::fprintf(stderr, "%s did not finish\n", command.c_str());
            return false;
        }
        Sleep(kPollMs);
    }
    DeleteFileA(windowsMarker.c_str());
    return true;
}

std::string UnixBuildFolder()
{
    const char* folder = std::getenv("TESSARY_BUILD");
    return folder ? folder : ".";
}
