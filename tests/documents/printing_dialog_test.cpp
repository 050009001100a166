#include <gtest/gtest.h>

#include <string>

#include "documents/printing_dialog.h"
#include "common/app_globals.h"

namespace {

std::string ItemText(HWND dialog, int id)
{
    char text[300] = {};
    GetDlgItemTextA(dialog, id, text, sizeof(text));
    return text;
}

class PrintingProgress : public testing::Test {
protected:
    void SetUp() override
    {
        savedMain_ = MainWindow;
        savedInstance_ = AppInstance;
        AppInstance = GetModuleHandleA(nullptr);
        MainWindow = CreateWindowA("STATIC", "main", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                                   AppInstance, nullptr);
        document_ = CreateWindowA("STATIC", "Plan.tyr", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                                  AppInstance, nullptr);
    }
    void TearDown() override
    {
        DestroyWindow(document_);
        DestroyWindow(MainWindow);
        MainWindow = savedMain_;
        AppInstance = savedInstance_;
    }

    HWND document_ = nullptr;
    HWND savedMain_ = nullptr;
    HINSTANCE savedInstance_ = nullptr;
};

} // namespace

TEST_F(PrintingProgress, DialogTellsThePagesAndCancels)
{
    HWND dialog = OpenPrintingDialog(MainWindow, document_, 2, 5, "Laser, winspool, LPT1:");
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(dialog, PrintingDialog);
    EXPECT_FALSE(IsWindowEnabled(MainWindow)) << "the main window waits for the job";
    EXPECT_EQ("2", ItemText(dialog, 102));
    EXPECT_EQ("2", ItemText(dialog, 105));
    EXPECT_EQ("5", ItemText(dialog, 109));
    EXPECT_EQ("Plan.tyr", ItemText(dialog, 107));
    EXPECT_EQ("On the Laser on LPT1:", ItemText(dialog, 108));
    ShowPrintingPage(dialog, 4);
    EXPECT_EQ("4", ItemText(dialog, 102));
    EXPECT_TRUE(IsWindowVisible(dialog));

    EXPECT_EQ(TRUE, PrintAbort(nullptr, 0));
    EXPECT_EQ(TRUE, PrintAbort(nullptr, SP_OUTOFDISK));
    EXPECT_EQ(FALSE, PrintAbort(nullptr, SP_ERROR));
    SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(1, PrintAborted);
    EXPECT_EQ("Printing Cancelled", ItemText(dialog, 108));
    EXPECT_EQ(FALSE, PrintAbort(nullptr, 0)) << "the job stops once cancelled";

    ClosePrintingDialog(dialog);
    EXPECT_TRUE(IsWindowEnabled(MainWindow));
    EXPECT_EQ(nullptr, PrintingDialog);
    EXPECT_FALSE(IsWindow(dialog));
}

TEST_F(PrintingProgress, WithoutAPrinterTheLineIsEmpty)
{
    HWND dialog = OpenPrintingDialog(MainWindow, document_, 1, 1, "");
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(0, PrintAborted);
    EXPECT_EQ("", ItemText(dialog, 108));
    ClosePrintingDialog(dialog);
}
