// The real Open and Save dialogs driven through their hooks from a second
// thread. They show on the one desktop, so they hold its lock.
#include <windows.h>

#include <commdlg.h>
#include <dlgs.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "documents/file_dialog_state.h"
#include "documents/file_dialogs.h"
#include "common/app_globals.h"
#include "resources/resource_ids.h"

namespace {

// Runs `action` on the first file dialog the test thread shows.
class DialogDriver {
public:
    template <typename Action>
    explicit DialogDriver(Action action)
        : owner_(GetCurrentThreadId()), thread_([this, action]() {
              for (int attempt = 0; attempt < 200 && !done_; ++attempt) {
                  HWND dialog = FindDialog();
                  if (dialog) {
                      action(dialog);
                      return;
                  }
                  Sleep(50);
              }
          })
    {
    }
    ~DialogDriver()
    {
        done_ = true;
        thread_.join();
    }

private:
    HWND FindDialog()
    {
        HWND found = nullptr;
        EnumThreadWindows(
            owner_,
            [](HWND window, LPARAM context) {
                char name[32] = {};
                GetClassNameA(window, name, sizeof(name));
                if (std::strcmp(name, "#32770") == 0 && IsWindowVisible(window)) {
                    *reinterpret_cast<HWND*>(context) = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found;
    }
    DWORD owner_;
    std::atomic<bool> done_{false};
    std::thread thread_;
};

HWND FindControl(HWND dialog, int id)
{
    struct Search {
        int id;
        HWND found;
    } search = {id, nullptr};
    EnumChildWindows(
        dialog,
        [](HWND window, LPARAM context) {
            auto* wanted = reinterpret_cast<Search*>(context);
            if (GetDlgCtrlID(window) == wanted->id) {
                wanted->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void Click(HWND dialog, int id)
{
    HWND button = FindControl(dialog, id);
    ASSERT_NE(nullptr, button);
    PostMessageA(GetParent(button), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

class FileDialogRuns : public testing::Test {
protected:
    void TearDown() override { WindowsMajorVersion = 4; }
};

TEST_F(FileDialogRuns, CancelAndNewInBothStyles)
{
    struct Case {
        const char* name;
        int windowsVersion;
        BOOL showNew;
        int button;
        int expected;
    };
    const Case cases[] = {
        {"explorer cancel", 4, TRUE, IDCANCEL, 0},
        {"explorer new", 4, TRUE, 1033, 99},
        {"old-style cancel", 3, FALSE, IDCANCEL, 0},
        {"old-style new", 3, TRUE, 1033, 99},
    };
    for (const Case& test : cases) {
        WindowsMajorVersion = test.windowsVersion;
        char file[261] = {};
        int result = -1;
        {
            DialogDriver driver([&test](HWND dialog) {
                Sleep(100);
                Click(dialog, test.button);
            });
            result = RunOpenFileDlg(nullptr, 1536, file, IDS_FILTER_DRAWINGS, 0, test.showNew, 30022, 1, 0, nullptr);
        }
        EXPECT_EQ(test.expected, result) << test.name;
    }
}

TEST_F(FileDialogRuns, SaveTypeChangeSwitchesTheExtension)
{
    char path[261] = "C:\\windows\\PLAN.tyr";
    std::string seen;
    {
        DialogDriver driver([&seen](HWND dialog) {
            Sleep(100);
            HWND types = FindControl(dialog, cmb1);
            HWND name = FindControl(dialog, cmb13) ? FindControl(dialog, cmb13) : FindControl(dialog, edt1);
            if (types && name) {
                SendMessageA(types, CB_SETCURSEL, 1, 0);
                // Dialogs differ in which notification they act on: send both.
                SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELCHANGE), reinterpret_cast<LPARAM>(types));
                SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELENDOK), reinterpret_cast<LPARAM>(types));
                char text[MAX_PATH] = {};
                GetWindowTextA(name, text, MAX_PATH);
                seen = text;
            }
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        });
        EXPECT_EQ(0, RunSaveFileDlg(nullptr, 1536, path, IDS_FILTER_DRAWINGS, IDS_TITLE_SAVE, 30024, 1, 0, nullptr));
    }
    EXPECT_EQ("PLAN.TYT", seen);
    EXPECT_STREQ("TYT", FileDlgDefExt);
}

} // namespace
