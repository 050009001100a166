// The Help menu, the one-time hints and help mode.
#include <windows.h>
#include <shellapi.h>

#include "common/help_context.h"
#include "common/help_mode.h"
#include "common/info_dialog.h"
#include "common/results.h"
#include "common/string_helpers.h"
#include "frame/about_box.h"
#include "common/app_globals.h"
#include "frame/menu_commands.h"
#include "frame/menu_hints.h"
#include "frame/welcome_dialog.h"
#include "resources/dialog_ids.h"
#include "resources/menu_ids.h"
#include "resources/resource_ids.h"

namespace {

const int kSearchTopic = -1;
const int kContentsTopic = 30010;
const int kMenusTopic = 30005;

int OpenWebPage()
{
    char address[kStringBufferSize];
    LoadStrOrBlank(IDS_WEB_PAGE_ADDRESS, address);
    INT_PTR result = reinterpret_cast<INT_PTR>(ShellExecuteA(MainWindow, "open", address, nullptr, nullptr,
                                                             SW_SHOWNORMAL));
    if (result < 32) {
        WarnById(IDS_NO_BROWSER);
        return 1;
    }
    return 0;
}

} // namespace

int DoHelpCommand(int id)
{
    switch (id) {
    case IDM_HELP_SEARCH:
        ShowHelpTopic(kSearchTopic);
        return 0;
    case IDM_HELP_CONTENTS:
        ShowHelpTopic(kContentsTopic);
        return 0;
    case IDM_HELP_MENUS:
        ShowHelpTopic(kMenusTopic);
        return 0;
    case IDM_HELP_USING_HELP:
        return ShowHelpOnHelp();
    case IDM_HELP_ABOUT:
        return static_cast<int>(RunAboutBox(TEMPLATE_ABOUT));
    case IDM_HELP_TIPS: {
        int choice = 0;
        return static_cast<int>(RunWelcomeDialog("TIPDLG", &choice, 0));
    }
    case IDM_HELP_WEB_PAGE:
        return OpenWebPage();
    case IDM_HINT_CONNECTOR:
        return ShowInfoDialog("HINT_CONN", 207);
    case IDM_HINT_SHAPE_LINK:
        return ShowInfoDialog("HINT_SHAPELINK", 118);
    case IDM_HINT_LINE_LINK:
        return ShowInfoDialog("HINT_LINELINK", 118);
    case IDM_HINT_MENU_SELECTION:
        return ShowPendingMenuHint();
    case IDM_HELP_MODE_ON:
        HelpMode = 1;
        SetAppCursor(2);
        return 0;
    case IDM_HELP_MODE_OFF:
        EndHelpMode();
        return 0;
    case IDM_CONTEXT_HELP:
        return ShowContextHelp();
    default:
        return 0;
    }
}
