// Drives the real program from a test: starts tessary.exe, finds its main
// window, sends it commands, waits for it to settle, takes screenshots of the
// virtual desktop and ends it.
#pragma once
#include <windows.h>

#include <string>

class ProgramDriver {
public:
    ~ProgramDriver();

    // Starts the program with the given command-line tail and waits for its
    // main window; false when it does not come up within the timeout.
    bool Start(const std::string& arguments, DWORD timeoutMs = 20000);
    HWND MainWindow() const { return mainWindow_; }
    bool Running() const;

    void PostCommand(int id);
    // Waits until the program has emptied its message queue.
    bool Settle(DWORD timeoutMs = 5000);
    std::string WindowText(HWND window) const;
    // Finds a top-level window of the program by class and title (either may be null).
    HWND FindProgramWindow(const char* className, const char* title) const;

    // Writes a PNG of the whole virtual desktop into the test output folder;
    // returns its Windows path, empty on failure.
    std::string Screenshot(const std::string& name);

    // Starts the program without waiting for a main window (a start that
    // hands over to a running instance, or one that ends by itself).
    bool Launch(const std::string& arguments);
    // Waits for the program to end by itself; its exit code, or -1 when it
    // was still running after the timeout (it is then ended by force).
    int WaitForExit(DWORD timeoutMs = 20000);

    // Asks the program to close (WM_CLOSE) and returns its exit code, or -1 when
    // it had to be ended by force.
    int Close(DWORD timeoutMs = 10000);
    // Takes over a program another process started (OLE starting the server
    // for a container): waits for its main window. False when none comes.
    bool Attach(DWORD timeoutMs = 20000);
    // Ends the program at once, the way a crash or a kill does: nothing of
    // its own runs; the driver can start it again afterwards.
    void Kill();

private:
    PROCESS_INFORMATION process_{};
    HWND mainWindow_ = nullptr;
};

// An options file path for one test run (a fresh scratch path).
std::string ScratchOptionsPath();
// An options file for starting the program without hints, without the Welcome
// or Open dialog and without the template chooser; empty on failure.
std::string WriteQuietOptionsFile(bool showHints = false);
// The first eight bytes of a file, empty when it cannot be read.
std::string FileSignature(const std::string& path);
