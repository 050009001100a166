// File > Send with a mapi32.dll of the test's own that records what the
// program handed it: the copies' paths and titles, each copy a drawing file
// at the time of the call, and gone afterwards.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <map>
#include <sstream>
#include <vector>

#include "resources/menu_ids.h"
#include "support/desktop_program.h"
#include "support/scratch_drawing.h"
#include "support/test_paths.h"

namespace {

// What the stand-in wrote, by key; "file" lines in order.
struct MailLog {
    std::map<std::string, std::string> values;
    std::vector<std::string> files;
};

MailLog ReadLog(const std::string& path)
{
    MailLog log;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        const size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        const std::string key = line.substr(0, equals);
        const std::string value = line.substr(equals + 1);
        if (key == "file")
            log.files.push_back(value);
        else
            log.values[key] = value;
    }
    return log;
}

std::vector<std::string> Split(const std::string& list)
{
    std::vector<std::string> parts;
    std::stringstream in(list);
    std::string part;
    while (std::getline(in, part, ';'))
        parts.push_back(part);
    return parts;
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class MailProgram : public DesktopProgram {
protected:
    // The stand-in lies beside the program, where its LoadLibrary looks
    // first, and Wine is told to take it over its own for this start only.
    void SetUp() override
    {
        log_ = ScratchPath("mapi.log");
        stub_ = BuildFolder() + "mapi32.dll";
        ASSERT_TRUE(CopyFileA((BuildFolder() + "mapi-stub\\mapi32.dll").c_str(), stub_.c_str(), FALSE));
        PreferNativeMapi(true);
        SetEnvironmentVariableA("TESSARY_MAPI_LOG", log_.c_str());
        // A drawing with a file: a blank one made next stands beside it.
        const std::string drawing = ScratchPath("mailed.tyr");
        ScratchDrawing scratch;
        ASSERT_EQ(kErrNone, scratch.Write(drawing, false));
        StartWith(drawing);
    }

    // Wine's per-program DLL overrides: the environment's are not handed on
    // to a program another Windows program starts.
    static void PreferNativeMapi(bool native)
    {
        const char* key = "Software\\Wine\\AppDefaults\\tessary.exe\\DllOverrides";
        if (!native) {
            RegDeleteKeyA(HKEY_CURRENT_USER, key);
            return;
        }
        HKEY overrides = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                                 &overrides, nullptr));
        const char value[] = "native";
        RegSetValueExA(overrides, "mapi32", 0, REG_SZ, reinterpret_cast<const BYTE*>(value), sizeof(value));
        RegCloseKey(overrides);
    }

    void TearDown() override
    {
        DesktopProgram::TearDown();
        PreferNativeMapi(false);
        DeleteFileA(stub_.c_str());
        SetEnvironmentVariableA("TESSARY_MAPI_ANSWER", nullptr);
    }

    std::string DocumentTitle(HWND document) const { return program_.WindowText(document); }

    std::string log_;
    std::string stub_;
};

TEST_F(MailProgram, SendOneAttachesACopyUnderTheTitleWithTyrAndDeletesIt)
{
    const std::string title = DocumentTitle(document_);
    Command(IDM_FILE_SEND_ONE);
    const MailLog log = ReadLog(log_);
    ASSERT_FALSE(log.values.empty()) << "MAPISendDocuments was not called";
    EXPECT_EQ("1", log.values.at("parent"));
    EXPECT_EQ(";", log.values.at("delimiter"));
    EXPECT_EQ(title + ".TYR", log.values.at("names"));
    EXPECT_EQ("0", log.values.at("reserved"));
    const std::vector<std::string> paths = Split(log.values.at("paths"));
    ASSERT_EQ(1u, paths.size());
    // GetTempFileName keeps three letters of the prefix.
    EXPECT_NE(std::string::npos, paths[0].find("\\VXT")) << paths[0];
    ASSERT_EQ(1u, log.files.size());
    EXPECT_EQ("QUORVELX", log.files[0]);
    EXPECT_FALSE(FileExists(paths[0])) << "the copy was left behind";
    // The document keeps its own name.
    EXPECT_EQ(title, DocumentTitle(document_));
}

TEST_F(MailProgram, SendAllJoinsEveryDocumentWithOneSemicolon)
{
    Command(IDM_FILE_NEW_BLANK);
    HWND client = FindWindowExA(program_.MainWindow(), nullptr, "MDICLIENT", nullptr);
    int documents = 0;
    for (HWND child = GetWindow(client, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        documents += GetParent(child) == client ? 1 : 0;
    ASSERT_EQ(2, documents);
    Command(IDM_FILE_SEND_ALL);
    const MailLog log = ReadLog(log_);
    ASSERT_FALSE(log.values.empty()) << "MAPISendDocuments was not called";
    const std::vector<std::string> paths = Split(log.values.at("paths"));
    const std::vector<std::string> names = Split(log.values.at("names"));
    ASSERT_EQ(2u, paths.size()) << log.values.at("paths") << " named " << log.values.at("names");
    ASSERT_EQ(2u, names.size()) << log.values.at("names");
    EXPECT_EQ(log.values.at("paths").back() != ';', true);
    for (const std::string& name : names)
        EXPECT_EQ(std::string::npos, name.find(".TYR")) << name;
    for (const std::string& path : paths)
        EXPECT_FALSE(FileExists(path)) << path;
    EXPECT_EQ((std::vector<std::string>{"QUORVELX", "QUORVELX"}), log.files);
}

// A title far longer than the old fixed lists had room for reaches the mail
// whole, and nothing else is overwritten on the way.
TEST_F(MailProgram, LongTitleReachesTheMailWhole)
{
    const std::string longTitle(400, 'T');
    SendMessageA(document_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(longTitle.c_str()));
    Command(IDM_FILE_SEND_ONE);
    ASSERT_TRUE(program_.Running());
    const MailLog log = ReadLog(log_);
    ASSERT_FALSE(log.values.empty());
    EXPECT_EQ(longTitle + ".TYR", log.values.at("names"));
}

// Wine's own mapi32 answers "not supported" at once: the program says so and
// still deletes the copy.
TEST_F(MailProgram, NotSupportedIsShownAndTheCopyStillDeleted)
{
    // The program reads its environment when it starts.
    program_.Close();
    SetEnvironmentVariableA("TESSARY_MAPI_ANSWER", "26");
    SetUp();
    program_.PostCommand(IDM_FILE_SEND_ONE);
    HWND message = AwaitDialog("Tessary Plus");
    ASSERT_NE(nullptr, message);
    EXPECT_NE(std::string::npos, StaticTexts(message).find("MAPI")) << StaticTexts(message);
    Screenshot("mail_not_supported");
    PostMessageA(message, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(program_.Settle());
    const MailLog log = ReadLog(log_);
    ASSERT_FALSE(log.values.empty());
    EXPECT_FALSE(FileExists(log.values.at("paths")));
}

} // namespace
