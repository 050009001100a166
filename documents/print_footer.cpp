#include "documents/print_footer.h"

#include <cstdio>
#include <cstring>

#include "common/string_helpers.h"
#include "documents/document_record.h"
#include "documents/document_window_access.h"
#include "objects/app_options.h"
#include "resources/resource_ids.h"

HFONT FooterFont = nullptr;

namespace {

const char* const kWeekdays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                               "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const int kWeekdayCount = 7;
const int kMonthCount = 12;
const int kYearBase = 1900;

// The 24 characters of asctime, in English whatever the locale.
void FormatWhen(const std::tm& when, char* text, int textSize)
{
    const int weekday = when.tm_wday >= 0 && when.tm_wday < kWeekdayCount ? when.tm_wday : 0;
    const int month = when.tm_mon >= 0 && when.tm_mon < kMonthCount ? when.tm_mon : 0;
    std::snprintf(text, static_cast<size_t>(textSize), "%s %s %02d %02d:%02d:%02d %04d", kWeekdays[weekday],
                  kMonths[month], when.tm_mday, when.tm_hour, when.tm_min, when.tm_sec, when.tm_year + kYearBase);
}

} // namespace

void FormatFooterText(const char* name, const char* extra, const std::tm& when, int page, char* text,
                      int textSize)
{
    char date[64];
    FormatWhen(when, date, sizeof(date));
    char pageWord[kStringBufferSize];
    LoadStrOrBlank(IDS_FOOTER_PAGE, pageWord);
    if (extra && extra[0])
        std::snprintf(text, static_cast<size_t>(textSize), "%s - %s - %s%s%d", name, extra, date, pageWord, page);
    else
        std::snprintf(text, static_cast<size_t>(textSize), "%s - %s%s%d", name, date, pageWord, page);
}

void DocumentFooterName(HWND documentWindow, char* name, int nameSize)
{
    name[0] = '\0';
    DocumentRecord* record = documentWindow ? LockDocumentRecord(documentWindow) : nullptr;
    if (!record)
        return;
    if (record->untitledNumber != 0) {
        char untitled[kStringBufferSize];
        LoadStrOrBlank(IDS_UNTITLED, untitled);
        std::snprintf(name, static_cast<size_t>(nameSize), "%s %d", untitled, record->untitledNumber);
    } else {
        FileTitleOf(record->path, name, nameSize);
    }
    ReleaseDocumentRecord(documentWindow);
}

int FooterPosition()
{
    OptionsRecord* options = Options();
    if (!options)
        return kDefaultFooterPosition;
    if (options->footerPosition == 0)
        options->footerPosition = kDefaultFooterPosition;
    return options->footerPosition;
}

void PrintFooter(HWND documentWindow, HDC dc, const char* extra, int x, int y, int page)
{
    const int position = FooterPosition();
    if (!FooterFont)
        return;
    char name[kStringBufferSize];
    DocumentFooterName(documentWindow, name, sizeof(name));
    const std::time_t now = std::time(nullptr);
    std::tm when = {};
    if (const std::tm* local = std::localtime(&now))
        when = *local;
    char text[kFooterTextSize];
    FormatFooterText(name, extra, when, page, text, sizeof(text));
    const int state = SaveDC(dc);
    SelectObject(dc, FooterFont);
    SetTextAlign(dc, TA_BOTTOM | TA_CENTER);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    TextOutA(dc, x, y - position, text, lstrlenA(text));
    RestoreDC(dc, state);
}
