// Printer strings ("device,driver,port"), DEVNAMES blocks, the Windows
// default printer and whether a printer can be opened.
#include <cstring>

#include "common/io_seam.h"
#include "common/string_helpers.h"
#include "documents/printer_context.h"

int MeasureSystem = 1;
char RememberedDefaultDriver[262] = "";

namespace {

const int kDevNamesHeader = 8;

void CopyField(char* target, const char* field)
{
    lstrcpynA(target, field ? field : "", kPrinterStringChars + 1);
}

bool OpensAsPrinter(const char* device)
{
    HANDLE printer = nullptr;
    if (!device[0] || !OpenPrinterA(const_cast<char*>(device), &printer, nullptr))
        return false;
    ClosePrinter(printer);
    return true;
}

} // namespace

void GetDefaultPrinterString(char* printer)
{
    GetProfileStringA("windows", "device", "", printer, kPrinterStringChars);
}

void SplitPrinterString(const char* printer, char* device, char* driver, char* port)
{
    char copy[kPrinterStringChars + 1];
    lstrcpynA(copy, printer ? printer : "", sizeof(copy));
    char* driverPart = nullptr;
    char* devicePart = nullptr;
    char* portPart = nullptr;
    DiscardError(SplitDeviceString(copy, &driverPart, &devicePart, &portPart), "a missing part stays empty");
    CopyField(device, devicePart);
    CopyField(driver, driverPart);
    CopyField(port, portPart);
}

int IsNonePort(const char* port) { return lstrcmpiA(port, "None") == 0 ? 1 : 0; }

int HasDefaultPrinterChanged(int remember)
{
    char value[kPrinterStringChars + 1];
    GetDefaultPrinterString(value);
    if (!value[0]) {
        const int changed = RememberedDefaultDriver[0] != '\0';
        if (remember)
            RememberedDefaultDriver[0] = '\0';
        return changed;
    }
    char device[kPrinterStringChars + 1];
    char driver[kPrinterStringChars + 1];
    char port[kPrinterStringChars + 1];
    SplitPrinterString(value, device, driver, port);
    const int changed =
        lstrcmpiA(driver, RememberedDefaultDriver) != 0 || lstrcmpiA(RememberedDefaultDriver, "SHELLPRT") == 0;
    if (remember && driver[0] && lstrlenA(driver) <= kPrinterStringChars)
        lstrcpynA(RememberedDefaultDriver, driver, sizeof(RememberedDefaultDriver));
    return changed;
}

int IsPrinterAvailable(char* printer)
{
    if (!printer[0])
        GetDefaultPrinterString(printer);
    char device[kPrinterStringChars + 1];
    char driver[kPrinterStringChars + 1];
    char port[kPrinterStringChars + 1];
    SplitPrinterString(printer, device, driver, port);
    if (!port[0] || IsNonePort(port))
        return 0;
    return OpensAsPrinter(device) ? 1 : 0;
}

void CopyDevModeBlock(HGLOBAL* destination, HGLOBAL source)
{
    if (!destination || !*destination || !source)
        return;
    const SIZE_T size = GlobalSize(source);
    HGLOBAL resized = SeamGlobalReAlloc(*destination, size, GMEM_MOVEABLE);
    if (!resized)
        return;
    *destination = resized;
    void* to = GlobalLock(resized);
    const void* from = GlobalLock(source);
    if (to && from)
        std::memcpy(to, from, size);
    if (from)
        GlobalUnlock(source);
    if (to)
        GlobalUnlock(resized);
}

int ParseDevNames(HGLOBAL devNames, char* printer, int* isDefault)
{
    if (!devNames)
        return 1;
    const SIZE_T size = GlobalSize(devNames);
    auto* names = static_cast<const DEVNAMES*>(GlobalLock(devNames));
    if (!names)
        return 1;
    const char* base = reinterpret_cast<const char*>(names);
    const WORD offsets[3] = {names->wDeviceOffset, names->wDriverOffset, names->wOutputOffset};
    char parts[3][kPrinterStringChars + 1] = {};
    int refused = 0;
    for (int i = 0; i < 3 && !refused; ++i) {
        // Each part must lie inside the block and end there.
        if (offsets[i] >= size || !std::memchr(base + offsets[i], 0, size - offsets[i])) {
            refused = 1;
            break;
        }
        const char* part = base + offsets[i];
        if (!part[0] || lstrlenA(part) > kPrinterStringChars - 1)
            refused = 1;
        else
            lstrcpynA(parts[i], part, sizeof(parts[i]));
    }
    const int defaultBit = names->wDefault & 1;
    GlobalUnlock(devNames);
    if (refused)
        return 1;
    const size_t joined = std::strlen(parts[0]) + std::strlen(parts[1]) + std::strlen(parts[2]) + 2;
    if (joined > static_cast<size_t>(kPrinterStringChars - 1))
        return 1;
    lstrcpyA(printer, parts[0]);
    lstrcatA(printer, ",");
    lstrcatA(printer, parts[1]);
    lstrcatA(printer, ",");
    lstrcatA(printer, parts[2]);
    *isDefault = defaultBit;
    return 0;
}

int BuildDevNames(const char* printer, int isDefault, HGLOBAL devNames)
{
    if (!devNames || GlobalSize(devNames) < kDevNamesSize)
        return 0;
    auto* names = static_cast<DEVNAMES*>(GlobalLock(devNames));
    if (!names)
        return 0;
    char* text = reinterpret_cast<char*>(names) + kDevNamesHeader;
    lstrcpynA(text, printer ? printer : "", kPrinterStringChars + 1);
    char* end = text + lstrlenA(text);  // a zero byte for any missing part
    char* driver = nullptr;
    char* device = nullptr;
    char* port = nullptr;
    DiscardError(SplitDeviceString(text, &driver, &device, &port), "a missing part stays empty");
    // The offsets follow where the parts really begin, blanks after the
    // commas skipped.
    auto offsetOf = [names, end](const char* part) {
        return static_cast<WORD>((part ? part : end) - reinterpret_cast<char*>(names));
    };
    names->wDeviceOffset = offsetOf(device);
    names->wDriverOffset = offsetOf(driver);
    names->wOutputOffset = offsetOf(port);
    names->wDefault = isDefault ? DN_DEFAULTPRN : 0;
    GlobalUnlock(devNames);
    return 0;
}
