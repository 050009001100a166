// The GIF Format Options dialog run for real, its buttons pressed from a
// second thread: the two option flags follow the radio buttons on OK only.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <cstring>
#include <thread>
#include <vector>

#include "objects/app_options.h"
#include "ole/gif_options_dialog.h"
#include "resources/dialog_ids.h"

namespace {

// Presses the buttons in `clicks` on the first dialog this thread shows.
class DialogPresser {
public:
    DialogPresser(std::vector<int> clicks) : owner_(GetCurrentThreadId()), thread_([this, clicks]() {
          for (int attempt = 0; attempt < 200; ++attempt) {
              HWND dialog = FindWindowA("#32770", "GIF Format Options");
              if (dialog && IsWindowVisible(dialog)) {
                  Sleep(100);
                  for (int id : clicks)
                      SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
                  return;
              }
              Sleep(50);
          }
      })
    {
    }
    ~DialogPresser() { thread_.join(); }

private:
    DWORD owner_;
    std::thread thread_;
};

uint16_t Flags(const std::vector<unsigned char>& options)
{
    uint16_t flags;
    std::memcpy(&flags, options.data() + kOptionsFlags, sizeof(flags));
    return flags;
}

struct OptionsCase {
    const char* name;
    uint16_t before;
    std::vector<int> clicks;
    int result;
    uint16_t after;
};

TEST(GifOptionsDialog, OkStoresTheChoicesAndCancelStopsTheExport)
{
    const uint16_t both = kOptionFlagGifOpaque | kOptionFlagGifNotInterlaced;
    const OptionsCase cases[] = {
        {"opaque and not interlaced", 0, {IDC_GIF_OPAQUE, IDC_GIF_NON_INTERLACED, IDOK}, 1, both},
        {"back to transparent and interlaced", both, {IDC_GIF_TRANSPARENT, IDC_GIF_INTERLACED, IDOK}, -1, 0},
        {"cancel keeps the flags", both, {IDC_GIF_TRANSPARENT, IDCANCEL}, 0, both},
        {"ok as shown", kOptionFlagGifOpaque, {IDOK}, 1, kOptionFlagGifOpaque},
    };
    std::vector<unsigned char> options(sizeof(OptionsRecord), 0);
    unsigned char* saved = AppOptions;
    AppOptions = options.data();
    for (const OptionsCase& c : cases) {
        std::memcpy(options.data() + kOptionsFlags, &c.before, sizeof(c.before));
        int result = -2;
        {
            DialogPresser presser(c.clicks);
            result = RunGifOptionsDlg(nullptr);
        }
        // Transparency on a display of more than 256 colours asks once more;
        // without a main window there is nobody to ask, so the export goes on.
        if (c.result >= 0)
            EXPECT_EQ(c.result, result) << c.name;
        else
            EXPECT_EQ(1, result) << c.name;
        EXPECT_EQ(c.after, Flags(options) & both) << c.name;
    }
    AppOptions = saved;
}

} // namespace
