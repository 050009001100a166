#include "support/test_printer.h"

#include <winspool.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

#include "support/test_paths.h"
#include "support/unix_command.h"

namespace {

const char* const kPpdLeaf = "TESSTEST.PPD";
const char* const kPpdSource = "/../tests/data/tessary_test_printer.ppd";
const DWORD kPollMs = 100;
const int kUnitsPerInch = 600;
const int kMaxPages = 64;

std::string PageFile(const std::string& stem, int page) { return stem + std::to_string(page) + ".ppm"; }

bool CopyPpd(std::string* installed)
{
    char folder[MAX_PATH] = "";
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(folder), sizeof(folder), &needed))
        return false;
    CreateDirectoryA(folder, nullptr);
    *installed = std::string(folder) + "\\" + kPpdLeaf;
    const std::string source = WindowsPathOf(UnixBuildFolder() + kPpdSource);
    return CopyFileA(source.c_str(), installed->c_str(), FALSE) != 0;
}

bool AddDriver(const std::string& ppd)
{
    DRIVER_INFO_3A info = {};
    info.cVersion = 3;
    info.pName = const_cast<char*>(kTestPrinterName);
    info.pDriverPath = const_cast<char*>("wineps.drv");
    info.pDataFile = const_cast<char*>(ppd.c_str());
    info.pConfigFile = const_cast<char*>("wineps.drv");
    return AddPrinterDriverExA(nullptr, 3, reinterpret_cast<LPBYTE>(&info), APD_COPY_NEW_FILES) != 0;
}

bool AddTestPrinter(const std::string& port)
{
    PRINTER_INFO_2A printer = {};
    printer.pPrinterName = const_cast<char*>(kTestPrinterName);
    printer.pPortName = const_cast<char*>(port.c_str());
    printer.pDriverName = const_cast<char*>(kTestPrinterName);
    printer.pPrintProcessor = const_cast<char*>("WinPrint");
    printer.pDatatype = const_cast<char*>("RAW");
    printer.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    HANDLE handle = AddPrinterA(nullptr, 2, reinterpret_cast<LPBYTE>(&printer));
    if (!handle)
        return false;
    ClosePrinter(handle);
    return true;
}

void DeleteTestPrinter()
{
    HANDLE handle = nullptr;
    PRINTER_DEFAULTSA access = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    if (OpenPrinterA(const_cast<char*>(kTestPrinterName), &handle, &access)) {
        DeletePrinter(handle);
        ClosePrinter(handle);
    }
    WriteProfileStringA("windows", "device", nullptr);
}

LONGLONG FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<LONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// A binary PPM (P6, maxval 255).
bool ReadPpm(const std::string& path, PrintedPage* page)
{
    std::ifstream in(WindowsPathOf(path), std::ios::binary);
    std::string magic;
    int maxValue = 0;
    in >> magic >> std::ws;
    // Ghostscript names itself in a comment line.
    while (in.peek() == '#') {
        std::string comment;
        std::getline(in, comment);
    }
    in >> page->width >> page->height >> maxValue;
    in.get();
    if (!in || magic != "P6" || maxValue != 255 || page->width <= 0 || page->height <= 0)
        return false;
    page->rgb.resize(static_cast<size_t>(page->width) * page->height * 3);
    in.read(reinterpret_cast<char*>(page->rgb.data()), static_cast<std::streamsize>(page->rgb.size()));
    return static_cast<bool>(in);
}

} // namespace

TestPrinter::TestPrinter(const std::string& output) : output_(output)
{
    static unsigned sequence = 0;
    if (output_.empty()) {
        output_ = "/tmp/tessary-printed-" + std::to_string(GetCurrentProcessId()) + "-" +
                  std::to_string(++sequence) + ".ps";
    }
    DeleteFileA(WindowsPathOf(output_).c_str());
    DeleteTestPrinter();
    std::string ppd;
    installed_ = CopyPpd(&ppd) && AddDriver(ppd) && AddTestPrinter(output_) && SetDefaultPrinterA(kTestPrinterName);
}

TestPrinter::~TestPrinter()
{
    DeleteTestPrinter();
    DeleteFileA(WindowsPathOf(output_).c_str());
}

bool TestPrinter::AwaitOutput(DWORD timeoutMs) const
{
    const std::string path = WindowsPathOf(output_);
    const DWORD start = GetTickCount();
    LONGLONG last = -1;
    while (GetTickCount() - start < timeoutMs) {
        const LONGLONG size = FileSize(path);
        if (size > 0 && size == last)
            return true;
        last = size;
        Sleep(kPollMs);
    }
    return false;
}

bool PrintedPage::Inked(int x, int y) const
{
    const size_t at = (static_cast<size_t>(y) * width + x) * 3;
    return rgb[at] < 0xF0 || rgb[at + 1] < 0xF0 || rgb[at + 2] < 0xF0;
}

int PrintedPage::InkIn(const RECT& pixels) const
{
    int count = 0;
    for (int y = pixels.top < 0 ? 0 : pixels.top; y < pixels.bottom && y < height; ++y) {
        for (int x = pixels.left < 0 ? 0 : pixels.left; x < pixels.right && x < width; ++x)
            count += Inked(x, y) ? 1 : 0;
    }
    return count;
}

std::vector<PrintedPage> RenderPostScript(const std::string& unixPath, const std::string& name)
{
    const std::string stem = "/tmp/tessary-page-" + std::to_string(GetCurrentProcessId()) + "-";
    const std::string gs = "gs -q -dNOPAUSE -dBATCH -dSAFER -r" + std::to_string(kPageDpi);
    const std::string png = UnixBuildFolder() + "/test-output/" + name + "-page%d.png";
    RunUnixShell(gs + " -sDEVICE=ppmraw -sOutputFile=" + stem + "%d.ppm " + unixPath);
    RunUnixShell(gs + " -sDEVICE=png16m -sOutputFile=" + png + " " + unixPath);
    std::vector<PrintedPage> pages;
    for (int n = 1; n <= kMaxPages; ++n) {
        PrintedPage page;
        if (!ReadPpm(PageFile(stem, n), &page))
            break;
        DeleteFileA(WindowsPathOf(PageFile(stem, n)).c_str());
        pages.push_back(std::move(page));
    }
    return pages;
}

std::string PostScriptText(const std::string& unixPath)
{
    const std::string text = "/tmp/tessary-text-" + std::to_string(GetCurrentProcessId()) + ".txt";
    RunUnixShell("gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=txtwrite -sOutputFile=" + text + " " + unixPath);
    std::ifstream in(WindowsPathOf(text));
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    DeleteFileA(WindowsPathOf(text).c_str());
    // Ghostscript reads the fonts' hyphen and space as a soft hyphen and a
    // no-break space (UTF-8).
    const struct {
        const char* read;
        const char* meant;
    } kGlyphs[] = {{"\xC2\xAD", "-"}, {"\xC2\xA0", " "}};
    for (const auto& glyph : kGlyphs) {
        const std::string read = glyph.read;
        for (size_t at = content.find(read); at != std::string::npos; at = content.find(read, at))
            content.replace(at, read.size(), glyph.meant);
    }
    return content;
}

RECT PaperPixels(const RECT& units)
{
    return RECT{units.left * kPageDpi / kUnitsPerInch, units.top * kPageDpi / kUnitsPerInch,
                units.right * kPageDpi / kUnitsPerInch, units.bottom * kPageDpi / kUnitsPerInch};
}
