// A PostScript printer for tests: Wine's PostScript driver with the repo's
// own small PPD (Letter, 1/4 inch side and 1/2 inch top and bottom margins),
// printing into a Unix file, made the Windows default while it exists. The
// printed file is turned into pages with Ghostscript.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

const char* const kTestPrinterName = "Tessary Test Printer";

class TestPrinter {
public:
    // Installs the printer with its output in a fresh file of /tmp, or in
    // `output` (a Unix path) when given.
    explicit TestPrinter(const std::string& output = "");
    // Removes the printer, so that other tests meet a machine without one,
    // and what it printed.
    ~TestPrinter();
    TestPrinter(const TestPrinter&) = delete;
    TestPrinter& operator=(const TestPrinter&) = delete;

    bool Installed() const { return installed_; }
    const std::string& OutputPath() const { return output_; }
    // Waits until the printed file exists and stops growing.
    bool AwaitOutput(DWORD timeoutMs = 20000) const;

private:
    bool installed_ = false;
    std::string output_;
};

// One printed page as 24-bit pixels.
struct PrintedPage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;

    bool Inked(int x, int y) const;
    // Pixels that are not white in [left, right) x [top, bottom).
    int InkIn(const RECT& pixels) const;
};

const int kPageDpi = 50;   // resolution the pages are rendered at

// Renders a PostScript file into pages at kPageDpi; PNG copies go into the
// test output named `<name>-page<n>.png`.
std::vector<PrintedPage> RenderPostScript(const std::string& unixPath, const std::string& name);
// The text of a PostScript file as Ghostscript reads it.
std::string PostScriptText(const std::string& unixPath);
// A page's pixel rectangle from a rectangle in 1/600 inch from the paper's corner.
RECT PaperPixels(const RECT& units);
