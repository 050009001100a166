#include "support/program_driver.h"

#include <vector>

#include "documents/options_file.h"
#include "frame/option_flags.h"
#include "support/screen_image.h"
#include "support/test_paths.h"

namespace {

struct WindowSearch {
    DWORD processId;
    const char* className;
    const char* title;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId)
        return TRUE;
    char text[256];
    if (search->className) {
        GetClassNameA(window, text, sizeof(text));
        if (lstrcmpiA(text, search->className) != 0)
            return TRUE;
    }
    if (search->title) {
        GetWindowTextA(window, text, sizeof(text));
        if (lstrcmpA(text, search->title) != 0)
            return TRUE;
    }
    search->found = window;
    return FALSE;
}

std::string ProgramPath()
{
    return BuildFolder() + "tessary.exe";
}

} // namespace

ProgramDriver::~ProgramDriver()
{
    if (process_.hProcess) {
        if (Running())
            Close(5000);
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
}

bool ProgramDriver::Launch(const std::string& arguments)
{
    std::string commandLine = "\"" + ProgramPath() + "\" " + arguments;
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    return CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process_) != FALSE;
}

int ProgramDriver::WaitForExit(DWORD timeoutMs)
{
    if (!process_.hProcess)
        return -1;
    if (WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(process_.hProcess, 255);
        WaitForSingleObject(process_.hProcess, 5000);
        return -1;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<int>(code);
}

bool ProgramDriver::Attach(DWORD timeoutMs)
{
    for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Sleep(50)) {
        HWND found = FindWindowA("TYMainClass", nullptr);
        DWORD id = 0;
        if (!found || !GetWindowThreadProcessId(found, &id))
            continue;
        process_.hProcess = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, id);
        process_.dwProcessId = id;
        mainWindow_ = found;
        return process_.hProcess != nullptr;
    }
    return false;
}

bool ProgramDriver::Start(const std::string& arguments, DWORD timeoutMs)
{
    if (!Launch(arguments))
        return false;
    WaitForInputIdle(process_.hProcess, timeoutMs);
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        mainWindow_ = FindProgramWindow("TYMainClass", nullptr);
        if (mainWindow_)
            return Settle();
        if (!Running())
            return false;
        Sleep(50);
    }
    return false;
}

bool ProgramDriver::Running() const
{
    return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

void ProgramDriver::PostCommand(int id)
{
    PostMessageA(mainWindow_, WM_COMMAND, static_cast<WPARAM>(id), 0);
}

bool ProgramDriver::Settle(DWORD timeoutMs)
{
    // Sent messages overtake posted ones, so a sent probe proves nothing about
    // the commands and clicks posted before it: post one and wait for its answer.
    static ULONG_PTR token = 0;
    ++token;
    const UINT probe = RegisterWindowMessageA("TessaryPlus.QueueProbe");
    if (!PostMessageA(mainWindow_, probe, static_cast<WPARAM>(token), 0))
        return false;
    DWORD start = GetTickCount();
    while (reinterpret_cast<ULONG_PTR>(GetPropA(mainWindow_, "TessaryPlus.QueueProbe")) != token) {
        if (!Running() || GetTickCount() - start > timeoutMs)
            return false;
        Sleep(10);
    }
    WaitForInputIdle(process_.hProcess, timeoutMs);
    Sleep(100); // let the virtual desktop finish painting
    return true;
}

std::string ProgramDriver::WindowText(HWND window) const
{
    char text[512] = "";
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

HWND ProgramDriver::FindProgramWindow(const char* className, const char* title) const
{
    WindowSearch search = {process_.dwProcessId, className, title, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string ProgramDriver::Screenshot(const std::string& name)
{
    return ScreenImage::Grab().Save(name);
}

void ProgramDriver::Kill()
{
    if (!process_.hProcess)
        return;
    TerminateProcess(process_.hProcess, 255);
    WaitForSingleObject(process_.hProcess, INFINITE);
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
    process_ = PROCESS_INFORMATION{};
    mainWindow_ = nullptr;
}

int ProgramDriver::Close(DWORD timeoutMs)
{
    if (!process_.hProcess)
        return -1;
    if (Running() && mainWindow_)
        PostMessageA(mainWindow_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(process_.hProcess, 255);
        WaitForSingleObject(process_.hProcess, 5000);
        return -1;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<int>(code);
}

std::string ScratchOptionsPath()
{
    return ScratchPath("TESSRY3.OPT");
}

namespace {

const uint16_t kTemplateChooserFlag = 0x0200;

} // namespace

std::string WriteQuietOptionsFile(bool showHints)
{
    const std::string path = ScratchOptionsPath();
    if (CreateDefaultOptions() != kErrNone)
        return std::string();
    SetOptionFlagBits(kFlagWelcomeAtStart | kFlagOpenDialogAtStart | kTemplateChooserFlag, false);
    SetOptionFlagBits(kFlagShowHints, showHints);
    ErrorCode code = WriteOptionsFile(path.c_str());
    SaveAndFreeOptions();
    return code == kErrNone ? path : std::string();
}

std::string FileSignature(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::string();
    char bytes[8] = {};
    DWORD read = 0;
    ReadFile(file, bytes, sizeof(bytes), &read, nullptr);
    CloseHandle(file);
    return std::string(bytes, read);
}
