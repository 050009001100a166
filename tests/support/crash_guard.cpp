#include "support/crash_guard.h"

#include <windows.h>

#include <cstdio>

#include "support/test_paths.h"

namespace {

// What the handler needs, kept ready so that it allocates nothing.
struct GuardState {
    PVOID handler = nullptr;
    std::string reader;
    std::string what;
    std::string savePath;
    const std::vector<uint8_t>* bytes = nullptr;
};

GuardState guard;

// The process exit code of a guarded crash.
const UINT kCrashExitCode = 3;

bool IsCrash(DWORD code)
{
    switch (code) {
    case EXCEPTION_ACCESS_VIOLATION:
    case EXCEPTION_ILLEGAL_INSTRUCTION: // what a trapped undefined-behaviour check raises
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_INT_OVERFLOW:
    case EXCEPTION_STACK_OVERFLOW:
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
        return true;
    default:
        return false;
    }
}

void SaveInput()
{
    if (!guard.bytes)
        return;
    HANDLE file = CreateFileA(guard.savePath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, guard.bytes->data(), static_cast<DWORD>(guard.bytes->size()), &written, nullptr);
    CloseHandle(file);
}

LONG CALLBACK OnException(EXCEPTION_POINTERS* pointers)
{
    const DWORD code = pointers->ExceptionRecord->ExceptionCode;
    if (!IsCrash(code))
        return EXCEPTION_CONTINUE_SEARCH;
    SaveInput();
    std::fprintf(stderr, "CRASH 0x%08lx at %p in %s while reading %s; input saved to %s\n",
                 static_cast<unsigned long>(code), pointers->ExceptionRecord->ExceptionAddress, guard.reader.c_str(),
                 guard.what.c_str(), guard.bytes ? guard.savePath.c_str() : "(none)");
    std::fflush(stderr);
    std::fflush(stdout);
    TerminateProcess(GetCurrentProcess(), kCrashExitCode);
    return EXCEPTION_CONTINUE_SEARCH;
}

} // namespace

CrashGuard::CrashGuard(const std::string& reader)
{
    guard.reader = reader;
    guard.what = "(nothing yet)";
    guard.savePath = TestOutputFolder() + "crash-" + reader + ".bin";
    guard.bytes = nullptr;
    guard.handler = AddVectoredExceptionHandler(1, OnException);
}

CrashGuard::~CrashGuard()
{
    if (guard.handler)
        RemoveVectoredExceptionHandler(guard.handler);
    guard = GuardState{};
}

void CrashGuard::Reading(const std::string& what, const std::vector<uint8_t>& bytes)
{
    guard.what = what;
    guard.bytes = &bytes;
}
