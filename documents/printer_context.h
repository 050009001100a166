// Each document's printer: its printer string and DEVMODE, and what they give
// the document: page size, device margins and a measuring context. Measures
// are in 1/600 inch.
#pragma once
#include <windows.h>

#include "common/error_codes.h"

// How OpenPrinterContext treats the DEVMODE it is given.
enum PrinterContextMode : int {
    kPrinterUseStored = 0,        // the stored DEVMODE as it is
    kPrinterNewDefault = 1,       // a fresh default DEVMODE
    kPrinterKeepPaper = 2,        // the driver's defaults, stored orientation and paper size
    kPrinterKeepOrientation = 3,  // the driver's defaults, stored orientation
};

const int kPrinterStringChars = 261;
const DWORD kDevModePublicSize = 156;
const DWORD kDevNamesSize = 270;
const int kUnusableDevModePage = 2400;   // a page that measures 2400 x 2400
const int kLetterPageWidth = 5100;
const int kLetterPageHeight = 6600;

// WIN.INI "Intl" "iMeasure": 0 makes new printer settings A4, else Letter.
extern int MeasureSystem;
// The driver of the Windows default printer when it was last looked at.
extern char RememberedDefaultDriver[262];

static_assert(sizeof(DEVMODEA) == kDevModePublicSize, "public DEVMODE bytes");

// The document's measuring context (a memory DC at 600 units per inch,
// never null in practice). `printer` (262 bytes) may be replaced by the
// default printer; `devMode` may be reallocated; the page and margins are
// filled when the printer can be measured (and for a new default DEVMODE).
HDC OpenPrinterContext(char* printer, HGLOBAL* devMode, RECT* deviceMargins, SIZE* pageSize, int mode, int ignored,
                       int* isDefault, void* ignoredPointer);
// Page size from the DEVMODE's paper, refined by the printer context's
// escapes when there is one; device margins 0 without a context.
void GetPageMetrics(HDC printerContext, HGLOBAL devMode, SIZE* pageSize, RECT* deviceMargins);
// With a driver an information context of the printer, without one a memory
// context compatible with the screen; either set to 600 units per inch,
// baseline alignment, transparent background and colour-on-colour stretching.
HDC CreatePrinterIC(const char* driver, const char* device, const char* port, HGLOBAL devMode);
// A printer device (or information) context for the string, or the default
// printer when it is empty; none when no driver is named.
HDC CreatePrinterDC(const char* printer, HGLOBAL devMode, int informationOnly);
// 1 when the default printer's driver differs from the remembered one (or
// the remembered one is "SHELLPRT"); with `remember` it is remembered.
int HasDefaultPrinterChanged(int remember);
// 1 when the printer (the default one for an empty string, which is then
// filled in) has a port other than "None" and opens.
int IsPrinterAvailable(char* printer);
// Makes `destination` a copy of `source`; nothing when it cannot grow.
void CopyDevModeBlock(HGLOBAL* destination, HGLOBAL source);
// The printer string of a DEVNAMES block; 1 (nothing changed) for an empty
// part or more than 260 characters.
int ParseDevNames(HGLOBAL devNames, char* printer, int* isDefault);
// Fills a DEVNAMES block (270 bytes) from a printer string.
int BuildDevNames(const char* printer, int isDefault, HGLOBAL devNames);
// The default printer of WIN.INI ("windows" "device"), empty when none.
void GetDefaultPrinterString(char* printer);
// Splits a copy of a printer string into device, driver and port (empty
// when missing).
void SplitPrinterString(const char* printer, char* device, char* driver, char* port);
// 1 when the port is "None" in any letter case.
int IsNonePort(const char* port);
