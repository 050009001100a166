#include "support/real_input.h"

#include "support/unix_command.h"

#include <cstdio>
#include <vector>

namespace {

// Input goes through xdotool (XTEST) on the X server, so Wine receives it the
// way it receives a person's: the pointer moves, buttons press where it is.
// Wine starts Linux programs itself when given their path.
const char* const kXdotool = "/usr/bin/xdotool";
const DWORD kToolWaitMs = 20000;
const DWORD kEventPauseMs = 30;        // lets Wine hand each event to the program
const DWORD kDragStartPauseMs = 300;   // past the program's wait before a move becomes a drag
const int kWheelUpButton = 4;
const int kWheelDownButton = 5;

void RunXdotool(const std::string& arguments, bool pause = true)
{
    if (!RunUnixShell(std::string(kXdotool) + " " + arguments, kToolWaitMs))
        std::fprintf(stderr, "real input: xdotool %s failed\n", arguments.c_str());
    if (pause)
        Sleep(kEventPauseMs);
}

std::string Coordinates(POINT screen)
{
    return std::to_string(screen.x) + " " + std::to_string(screen.y);
}

// xdotool's --sync waits for the pointer to move, about 16 s when it is
// already there; Wine's idea of the pointer tells which case this is.
std::string MoveTo(POINT screen)
{
    POINT at = {};
    const bool there = GetCursorPos(&at) && at.x == screen.x && at.y == screen.y;
    return std::string(there ? "mousemove " : "mousemove --sync ") + Coordinates(screen);
}

// xdotool's names of the keys tests press.
std::string KeyName(WORD virtualKey)
{
    switch (virtualKey) {
    case VK_RETURN: return "Return";
    case VK_ESCAPE: return "Escape";
    case VK_TAB: return "Tab";
    case VK_BACK: return "BackSpace";
    case VK_DELETE: return "Delete";
    case VK_LEFT: return "Left";
    case VK_RIGHT: return "Right";
    case VK_UP: return "Up";
    case VK_DOWN: return "Down";
    case VK_HOME: return "Home";
    case VK_END: return "End";
    case VK_PRIOR: return "Prior";
    case VK_NEXT: return "Next";
    case VK_F1: return "F1";
    default: break;
    }
    if ((virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9'))
        return std::string(1, static_cast<char>(virtualKey >= 'A' && virtualKey <= 'Z' ? virtualKey - 'A' + 'a'
                                                                                         : virtualKey));
    if (virtualKey >= VK_F1 && virtualKey <= VK_F12)
        return "F" + std::to_string(virtualKey - VK_F1 + 1);
    return std::string();
}

} // namespace

POINT ClientToScreenPoint(HWND window, POINT client)
{
    ClientToScreen(window, &client);
    return client;
}

void RealMouseMove(POINT screen)
{
    RunXdotool(MoveTo(screen));
}

void RealClick(POINT screen)
{
    RunXdotool(MoveTo(screen) + " click 1");
}

void RealDoubleClick(POINT screen)
{
    RunXdotool(MoveTo(screen) + " click --repeat 2 --delay 60 1");
}

void RealRightClick(POINT screen)
{
    RunXdotool(MoveTo(screen) + " click 3");
}

void RealDrag(POINT from, POINT to, int steps, DWORD stepPauseMs)
{
    RunXdotool(MoveTo(from) + " mousedown 1");
    Sleep(kDragStartPauseMs);
    std::string moves;
    POINT previous = from;
    for (int i = 1; i <= steps; ++i) {
        const POINT next = {from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps};
        // A step that stays put would stall --sync.
        const bool moved = next.x != previous.x || next.y != previous.y;
        moves += std::string(moved ? "mousemove --sync " : "mousemove ") + Coordinates(next) + " sleep " +
                 std::to_string(stepPauseMs / 1000.0) + " ";
        previous = next;
    }
    RunXdotool(moves + "mouseup 1");
}

void RealButton(bool down)
{
    RunXdotool(down ? "mousedown 1" : "mouseup 1", false);
}

void RealWheel(POINT screen, int notches)
{
    const int button = notches > 0 ? kWheelUpButton : kWheelDownButton;
    const int count = notches > 0 ? notches : -notches;
    RunXdotool(MoveTo(screen) + " click --repeat " + std::to_string(count) +
               " --delay 50 " + std::to_string(button));
}

void RealKey(WORD virtualKey, bool shift, bool ctrl)
{
    const std::string name = KeyName(virtualKey);
    if (name.empty()) {
        std::fprintf(stderr, "real input: no key name for virtual key %u\n", virtualKey);
        return;
    }
    RunXdotool("key " + std::string(ctrl ? "ctrl+" : "") + (shift ? "shift+" : "") + name);
}

void RealType(const std::string& text)
{
    // Single quotes for the shell; tests type plain words.
    RunXdotool("type --delay 40 '" + text + "'");
}
