// While a CrashGuard lives, a crash of this process (an access violation, a
// trapped undefined-behaviour check, a division by zero, a stack overflow)
// does not vanish into Wine: the guard prints what was being read, saves that
// input into the test output and ends the program with a failing exit code.
// Fuzz loops and benchmarks name each input before they read it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

class CrashGuard {
public:
    // `reader` names what is being fuzzed; it leads the saved file's name.
    explicit CrashGuard(const std::string& reader);
    ~CrashGuard();
    CrashGuard(const CrashGuard&) = delete;
    CrashGuard& operator=(const CrashGuard&) = delete;

    // The input about to be read: a crash names `what` and saves `bytes`.
    void Reading(const std::string& what, const std::vector<uint8_t>& bytes);
};
