// Waits of the frame's program tests on what the program shows, so that a
// busy machine only makes them slower.
#pragma once
#include <windows.h>

#include "support/program_driver.h"

// The start-up splash (the About box without its OK button) has gone; false
// when it was still up after about ten seconds.
inline bool WaitForSplashToGo(const ProgramDriver& program)
{
    for (int i = 0; i < 200; ++i, Sleep(50)) {
        if (!program.FindProgramWindow("#32770", "About Tessary Plus"))
            return program.Running();
    }
    return false;
}

// A menu of the program is open on the screen; false when none opened within
// about five seconds.
inline bool WaitForOpenMenu(const ProgramDriver& program)
{
    for (int i = 0; i < 100; ++i, Sleep(50)) {
        HWND menu = program.FindProgramWindow("#32768", nullptr);
        if (menu && IsWindowVisible(menu))
            return true;
    }
    return false;
}
