// The running program as a person meets it, for tests that drive it with real
// input: started quietly (no hints, Welcome or Open dialog), the splash gone,
// one document window open with its drawing view, the tool palette found.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "support/program_driver.h"

class DesktopProgram : public testing::Test {
protected:
    void SetUp() override { StartWith(""); }
    void TearDown() override;

    // Starts the program on a drawing file, or on a new blank drawing when the
    // path is empty. Fails the test when no document window comes up.
    void StartWith(const std::string& drawingPath);
    // Writes an empty drawing file of that scratch name and starts on it; its path.
    std::string StartOnEmptyDrawing(const std::string& name);
    // The same for a drawing `fill` puts objects into (with the drawing flags
    // `setFlags` added), as ScratchDrawing::Write does.
    std::string StartOnDrawing(const std::string& name, const std::function<void(HWND view)>& fill,
                               int32_t setFlags = 0);
    // Posts a menu command and waits for the program to settle.
    void Command(int id);
    // Clicks a tool button of the palette with the real mouse.
    void ClickTool(int id);
    // A rectangle drawn with the real mouse between two points of the view's
    // client area; the pointer tool is picked again afterwards. Its frame on
    // the screen.
    RECT DrawRectangle(POINT from, POINT to);
    // The open in-place text editor, or null.
    HWND Editor() const;
    // A message box or dialog of the program other than the palette, waited
    // for up to the timeout; null when none came.
    HWND AwaitDialog(const char* title = nullptr, DWORD timeoutMs = 5000) const;
    // The visible tool tip 16 pixels below a resting pointer (screen
    // coordinates), waited for; null when none came.
    HWND AwaitToolTipBelow(POINT pointer) const;
    // Posts a menu command and waits for the dialog of that title to be shown
    // and painted; null when none came.
    HWND OpenDialog(int command, const char* title);
    // Clicks a dialog's button by message and waits for the program to settle.
    void Press(HWND dialog, int id);
    // The texts of a dialog's static controls, joined.
    std::string StaticTexts(HWND dialog) const;
    // Grabs the screen and saves it into the test output under the step's name.
    void Screenshot(const std::string& step);

    ProgramDriver program_;
    // Set before StartWith for a run that shows the one-time hints.
    bool showHints_ = false;
    std::string options_;
    HWND palette_ = nullptr;
    HWND document_ = nullptr;
    HWND view_ = nullptr;
};

// Tool palette buttons and commands that many program tests use.
namespace desktop_ids {
const int kSelectTool = 108;
const int kTextTool = 109;
const int kRectangleTool = 114;
const int kNewBlank = 150;
const int kSave = 104;
}
