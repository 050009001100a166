// The registration a start writes into the registry, the earlier version's
// entries it mends, and which registered servers it takes over.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "frame/registry_check.h"

namespace {

const char kClassKey[] = "Clsid\\{5A3E9D21-7C44-4B19-9E2A-1D6F30B87C55}";
const char kServerKey[] = "TessaryPlus.2\\protocol\\StdFileEditing\\server";

std::string Value(const std::string& key)
{
    char buffer[MAX_PATH * 2] = "";
    LONG size = sizeof(buffer);
    if (RegQueryValueA(HKEY_CLASSES_ROOT, key.c_str(), buffer, &size) != ERROR_SUCCESS)
        return "<missing>";
    return buffer;
}

void Set(const std::string& key, const std::string& value)
{
    RegSetValueA(HKEY_CLASSES_ROOT, key.c_str(), REG_SZ, value.c_str(), static_cast<DWORD>(value.size()));
}

std::string OwnPath()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

// Each test starts on a machine without the program's registration and
// leaves none behind, so that the next start of the program itself writes its
// own path again.
class Registration : public testing::Test {
protected:
    void SetUp() override { Forget(); }
    void TearDown() override { Forget(); }
    static void Forget()
    {
        RegDeleteTreeA(HKEY_CLASSES_ROOT, "TessaryPlus.2");
        RegDeleteTreeA(HKEY_CLASSES_ROOT, kClassKey);
    }
};

TEST_F(Registration, StartWritesTheServerAndTheFileTypes)
{
    ASSERT_EQ(kErrNone, CheckRegistration());
    const std::string path = OwnPath();
    struct Row {
        std::string key, value;
    } const rows[] = {
        {"TessaryPlus.2", "Tessary Plus Drawing"},
        {std::string(kClassKey) + "\\LocalServer32", path},
        {std::string(kClassKey) + "\\LocalServer", path},
        {std::string(kClassKey) + "\\InprocHandler32", "ole32.dll"},
        {std::string(kClassKey) + "\\ProgID", "TessaryPlus.2"},
        {std::string(kClassKey) + "\\DataFormats\\GetSet\\1", "Embed Source,1,8,1"},
        {"TessaryPlus.2\\shell\\print\\command", path + " /p %1"},
        {"TessaryPlus\\CurVer", "TessaryPlus.2"},
        {".TYR", "TessaryPlus.2"},
        {".VXL", "Tessary.Library"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.value, Value(row.key)) << row.key;
}

TEST_F(Registration, EarlierDrawingTypeMendedOtherTypesLeftAlone)
{
    ASSERT_EQ(kErrNone, CheckRegistration());
    Set(".TYR", "TessaryPlus.1");
    Set(".TYT", "SomeoneElse.Template");
    ASSERT_EQ(kErrNone, CheckRegistration());
    EXPECT_EQ("TessaryPlus.2", Value(".TYR"));
    EXPECT_EQ("SomeoneElse.Template", Value(".TYT"));
}

TEST_F(Registration, SiblingServerTakenOverAnyOtherKept)
{
    ASSERT_EQ(kErrNone, CheckRegistration());
    struct Case {
        const char* registered;
        bool takenOver;
    } const cases[] = {{"C:\\old\\QVLEX95.EXE", true}, {"D:\\x\\quorvlex.exe", true}, {"C:\\tools\\other.exe", false}};
    for (const Case& c : cases) {
        Set(kServerKey, c.registered);
        Set(std::string(kClassKey) + "\\LocalServer32", c.registered);
        ASSERT_EQ(kErrNone, CheckRegistration());
        const std::string expected = c.takenOver ? OwnPath() : c.registered;
        EXPECT_EQ(expected, Value(kServerKey)) << c.registered;
        EXPECT_EQ(expected, Value(std::string(kClassKey) + "\\LocalServer32")) << c.registered;
    }
    Set(kServerKey, OwnPath());
    Set(std::string(kClassKey) + "\\LocalServer32", OwnPath());
}

} // namespace
