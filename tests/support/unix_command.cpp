#include "support/unix_command.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

const char* const kShell = "/bin/sh";
const DWORD kPollMs = 5;

std::string NextScratch(const char* kind)
{
    static unsigned sequence = 0;
    return "/tmp/tessary-" + std::string(kind) + "-" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(++sequence);
}

} // namespace

// Wine cannot wait for a Linux process it started (the handle is signalled at
// once), so the shell leaves a marker file when the script is done.
bool RunUnixShell(const std::string& script, DWORD timeoutMs)
{
    const std::string marker = NextScratch("done");
    std::string commandLine = std::string(kShell) + " -c \"" + script + "; touch " + marker + "\"";
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        std::fprintf(stderr, "cannot start %s (error %lu)\n", kShell, GetLastError());
        return false;
    }
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    const std::string windowsMarker = "Z:" + marker;
    const DWORD start = GetTickCount();
    while (GetFileAttributesA(windowsMarker.c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (GetTickCount() - start > timeoutMs) {
            std::fprintf(stderr, "%s did not finish\n", script.c_str());
            return false;
        }
        Sleep(kPollMs);
    }
    DeleteFileA(windowsMarker.c_str());
    return true;
}

std::string UnixOutputOf(const std::string& script)
{
    const std::string output = NextScratch("out");
    if (!RunUnixShell("(" + script + ") > " + output + " 2>&1"))
        return "";
    const std::string windowsOutput = "Z:" + output;
    std::ifstream in(windowsOutput, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    in.close();
    DeleteFileA(windowsOutput.c_str());
    return text.str();
}

std::string UnixPathOf(const std::string& windowsPath)
{
    if (windowsPath.size() < 2 || (windowsPath[0] != 'Z' && windowsPath[0] != 'z') || windowsPath[1] != ':')
        return windowsPath;
    std::string path = windowsPath.substr(2);
    for (char& c : path)
        if (c == '\\')
            c = '/';
    return path;
}

std::string UnixBuildFolder()
{
    const char* folder = std::getenv("TESSARY_BUILD");
    return folder ? folder : ".";
}
