#include "frame/registry_check.h"

#include <windows.h>

#include <string>
#include <vector>

#include "common/string_helpers.h"
#include "resources/resource_ids.h"

namespace {

const char kProgId[] = "TessaryPlus.2";
const char kOlderProgId[] = "TessaryPlus.1";
const char kIndependentProgId[] = "TessaryPlus";
const char kDrawingKey[] = "Clsid\\{5A3E9D21-7C44-4B19-9E2A-1D6F30B87C55}";
const char kDrawingClsid[] = "{5A3E9D21-7C44-4B19-9E2A-1D6F30B87C55}";
const char kNoLinkKey[] = "Clsid\\{5A3E9D22-7C44-4B19-9E2A-1D6F30B87C55}";
const char kTemplateKey[] = "Clsid\\{5A3E9D23-7C44-4B19-9E2A-1D6F30B87C55}";
const char kTemplateClsid[] = "{5A3E9D23-7C44-4B19-9E2A-1D6F30B87C55}";
const char kLibraryKey[] = "Clsid\\{5A3E9D24-7C44-4B19-9E2A-1D6F30B87C55}";
const char kLibraryClsid[] = "{5A3E9D24-7C44-4B19-9E2A-1D6F30B87C55}";
const char kOlderKey[] = "Clsid\\{0004A7E2-0000-0000-C000-000000000046}";
const char kOlderClsid[] = "{0004A7E2-0000-0000-C000-000000000046}";
const char kOlderTypeName[] = "TessaryPlus Drawing 95";
const char kAppPathsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
const char kServerKey[] = "\\protocol\\StdFileEditing\\server";
const char kOpenCommand[] = "\\shell\\open\\command";
const char kPrintCommand[] = "\\shell\\print\\command";
const char* const kSiblingServers[] = {"QVLEX95", "QUORVLEX"};
const char* const kFormats[] = {"Tessary.2,1,1,3", "Embed Source,1,8,1", "3,1,32,1", "2,1,16,1",
                                "Object Descriptor,1,1,1", "Link Source,1,4,1",
                                "Link Source Descriptor,1,1,1"};
// The no-link class offers the formats without the two link ones.
const int kNoLinkFormats = 5;
const int kAllFormats = 7;

struct Row {
    HKEY base;
    std::string key;
    std::string value;
};

std::string Text(int id)
{
    char buffer[kStringBufferSize];
    LoadStrOrBlank(id, buffer);
    return buffer;
}

std::string ProgramPath()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

std::string FileTitle(const std::string& path)
{
    const size_t slash = path.find_last_of("\\/:");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string FileName(const std::string& path)
{
    const size_t slash = path.find_last_of("\\/:");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool ReadDefault(HKEY base, const std::string& key, std::string* value)
{
    char buffer[MAX_PATH * 2] = "";
    LONG size = sizeof(buffer);
    if (RegQueryValueA(base, key.c_str(), buffer, &size) != ERROR_SUCCESS)
        return false;
    if (value)
        *value = buffer;
    return true;
}

bool KeyExists(const std::string& key)
{
    HKEY handle = nullptr;
    if (RegOpenKeyA(HKEY_CLASSES_ROOT, key.c_str(), &handle) != ERROR_SUCCESS)
        return false;
    RegCloseKey(handle);
    return true;
}

// A row that cannot be written is skipped: registration never stops a start.
bool SetDefault(HKEY base, const std::string& key, const std::string& value)
{
    HKEY handle = nullptr;
    if (RegCreateKeyA(base, key.c_str(), &handle) != ERROR_SUCCESS)
        return false;
    RegSetValueA(handle, nullptr, REG_SZ, value.c_str(), static_cast<DWORD>(value.size()));
    RegCloseKey(handle);
    return true;
}

// Only an existing key gets the value.
void UpdateExisting(const std::string& key, const std::string& value)
{
    HKEY handle = nullptr;
    if (RegOpenKeyA(HKEY_CLASSES_ROOT, key.c_str(), &handle) != ERROR_SUCCESS)
        return;
    RegSetValueA(handle, nullptr, REG_SZ, value.c_str(), static_cast<DWORD>(value.size()));
    RegCloseKey(handle);
}

void AddFormatRows(std::vector<Row>* rows, const std::string& classKey, int count)
{
    for (int i = 0; i < count; ++i)
        rows->push_back({HKEY_CLASSES_ROOT, classKey + "\\DataFormats\\GetSet\\" + std::to_string(i), kFormats[i]});
}

void AddProgIdRows(std::vector<Row>* rows, const std::string& path)
{
    const HKEY root = HKEY_CLASSES_ROOT;
    const std::string id = kProgId;
    rows->push_back({root, id, Text(IDS_DRAWING_TYPE_NAME)});
    rows->push_back({root, id + "\\Clsid", kDrawingClsid});
    rows->push_back({root, id + kOpenCommand, path + " %1"});
    rows->push_back({root, id + kPrintCommand, path + " /p %1"});
    rows->push_back({root, id + kServerKey, path});
    rows->push_back({root, id + "\\Insertable", ""});
    rows->push_back({root, id + "\\VXVer", "-1"});
    rows->push_back({root, id + "\\protocol\\StdFileEditing\\verb\\0", Text(IDS_VERB_EDIT)});
    rows->push_back({root, id + "\\protocol\\StdFileEditing\\verb\\1", Text(IDS_VERB_PRINT)});
    const std::string library = Text(IDS_LIBRARY_PROGID);
    rows->push_back({root, library, Text(IDS_LIBRARY_TYPE_NAME)});
    rows->push_back({root, library + "\\Clsid", kLibraryClsid});
    rows->push_back({root, library + kOpenCommand, path + " %1"});
    const std::string templ = Text(IDS_TEMPLATE_PROGID);
    rows->push_back({root, templ, Text(IDS_TEMPLATE_TYPE_NAME)});
    rows->push_back({root, templ + "\\Clsid", kTemplateClsid});
    rows->push_back({root, templ + kOpenCommand, path + " %1"});
    rows->push_back({root, templ + kPrintCommand, path + " /p %1"});
}

void AddClassRows(std::vector<Row>* rows, const std::string& path)
{
    const HKEY root = HKEY_CLASSES_ROOT;
    const std::string key = kDrawingKey;
    rows->push_back({root, key, Text(IDS_DRAWING_TYPE_NAME)});
    rows->push_back({root, key + "\\LocalServer", path});
    // 32-bit COM, and Wine, start a local server only from these two.
    rows->push_back({root, key + "\\LocalServer32", path});
    rows->push_back({root, key + "\\ProgID", kProgId});
    rows->push_back({root, key + "\\Insertable", ""});
    rows->push_back({root, key + "\\MiscStatus", "0"});
    rows->push_back({root, key + "\\VersionIndependentProgID", kIndependentProgId});
    rows->push_back({root, key + "\\InProcHandler", "OLE2.DLL"});
    rows->push_back({root, key + "\\InprocHandler32", "ole32.dll"});
    rows->push_back({root, key + "\\DefaultIcon", path + ",1"});
    rows->push_back({root, key + "\\verb\\0", Text(IDS_VERB_EDIT) + ",0,0"});
    rows->push_back({root, key + "\\verb\\1", Text(IDS_VERB_PRINT) + ",0,0"});
    rows->push_back({root, key + "\\AuxUserType\\2", Text(IDS_SHORT_TYPE_NAME)});
    rows->push_back({root, key + "\\AuxUserType\\3", Text(IDS_FULL_TYPE_NAME)});
    AddFormatRows(rows, key, kAllFormats);
    rows->push_back({root, kTemplateKey, Text(IDS_TEMPLATE_TYPE_NAME)});
    rows->push_back({root, std::string(kTemplateKey) + "\\DefaultIcon", path + ",3"});
    rows->push_back({root, kLibraryKey, Text(IDS_LIBRARY_TYPE_NAME)});
    rows->push_back({root, std::string(kLibraryKey) + "\\DefaultIcon", path + ",4"});
    rows->push_back({root, kNoLinkKey, "SENoLink"});
    AddFormatRows(rows, kNoLinkKey, kNoLinkFormats);
    rows->push_back({root, kOlderProgId, kOlderTypeName});
    rows->push_back({root, std::string(kOlderProgId) + "\\Clsid", kOlderClsid});
    rows->push_back({root, std::string(kOlderProgId) + "\\NotInsertable", ""});
    rows->push_back({root, kOlderKey, kOlderTypeName});
}

std::vector<Row> RegistrationRows()
{
    const std::string path = ProgramPath();
    std::vector<Row> rows;
    rows.push_back({HKEY_LOCAL_MACHINE, "SOFTWARE\\" + Text(IDS_REGISTRY_VERSION_KEY), ""});
    rows.push_back({HKEY_LOCAL_MACHINE, kAppPathsKey + FileName(path), path});
    AddProgIdRows(&rows, path);
    AddClassRows(&rows, path);
    return rows;
}

bool RegistrationComplete()
{
    const std::string keys[] = {kProgId,
                                kDrawingKey,
                                kOlderProgId,
                                std::string(kNoLinkKey) + "\\DataFormats\\GetSet\\0",
                                kOlderKey,
                                kIndependentProgId,
                                ".TYR",
                                ".TYT",
                                ".VXL"};
    for (const std::string& key : keys)
        if (!ReadDefault(HKEY_CLASSES_ROOT, key, nullptr))
            return false;
    return true;
}

// A registered server path that is another program, and one of the siblings.
bool NamesSibling(const std::string& registered, const std::string& path)
{
    return !registered.empty() && lstrcmpiA(registered.c_str(), path.c_str()) != 0 &&
           IsSiblingServer(FileTitle(registered).c_str());
}

bool TakeOverCurrentProgId(const std::string& path)
{
    std::string registered;
    if (!ReadDefault(HKEY_CLASSES_ROOT, std::string(kProgId) + kServerKey, &registered) ||
        !NamesSibling(registered, path))
        return false;
    const std::string id = kProgId;
    const std::string templ = Text(IDS_TEMPLATE_PROGID);
    SetDefault(HKEY_CLASSES_ROOT, id + "\\VXVer", "-1");
    UpdateExisting(id + kServerKey, path);
    UpdateExisting(id + kOpenCommand, path + " %1");
    UpdateExisting(id + kPrintCommand, path + " /p %1");
    UpdateExisting(std::string(kDrawingKey) + "\\LocalServer", path);
    UpdateExisting(std::string(kDrawingKey) + "\\LocalServer32", path);
    UpdateExisting(std::string(kDrawingKey) + "\\DefaultIcon", path + ",1");
    UpdateExisting(templ + kOpenCommand, path + " %1");
    UpdateExisting(templ + kPrintCommand, path + " /p %1");
    UpdateExisting(std::string(kTemplateKey) + "\\DefaultIcon", path + ",3");
    UpdateExisting(Text(IDS_LIBRARY_PROGID) + kOpenCommand, path + " %1");
    UpdateExisting(std::string(kLibraryKey) + "\\DefaultIcon", path + ",4");
    HKEY appPath = nullptr;
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, (kAppPathsKey + FileName(path)).c_str(), &appPath) == ERROR_SUCCESS) {
        RegSetValueA(appPath, nullptr, REG_SZ, path.c_str(), static_cast<DWORD>(path.size()));
        RegCloseKey(appPath);
    }
    return true;
}

bool MendOlderProgId(const std::string& path)
{
    const std::string id = kOlderProgId;
    std::string registered;
    bool takenOver = false;
    if (ReadDefault(HKEY_CLASSES_ROOT, id + kServerKey, &registered) && NamesSibling(registered, path)) {
        UpdateExisting(id + kServerKey, path);
        UpdateExisting(id + kOpenCommand, path + " %1");
        UpdateExisting(id + kPrintCommand, path + " /p %1");
        takenOver = true;
    }
    if (KeyExists(id) && !KeyExists(id + "\\NotInsertable"))
        SetDefault(HKEY_CLASSES_ROOT, id + "\\NotInsertable", "");
    return takenOver;
}

void WriteProgIdAndExtensions()
{
    const HKEY root = HKEY_CLASSES_ROOT;
    if (KeyExists(kOlderKey))
        SetDefault(root, std::string(kOlderKey) + "\\AutoConvertTo", kDrawingClsid);
    const std::string independent = kIndependentProgId;
    std::string current;
    if (!KeyExists(independent)) {
        SetDefault(root, independent, Text(IDS_DRAWING_TYPE_NAME));
        SetDefault(root, independent + "\\CurVer", kProgId);
        SetDefault(root, independent + "\\Clsid", kDrawingClsid);
    } else if (ReadDefault(root, independent + "\\CurVer", &current) && current == kOlderProgId) {
        SetDefault(root, independent + "\\CurVer", kProgId);
        SetDefault(root, independent + "\\Clsid", kDrawingClsid);
    }
    std::string drawings;
    if (!ReadDefault(root, ".TYR", &drawings) || drawings == kOlderProgId)
        SetDefault(root, ".TYR", kProgId);
    if (!KeyExists(".TYT"))
        SetDefault(root, ".TYT", Text(IDS_TEMPLATE_PROGID));
    if (!KeyExists(".VXL"))
        SetDefault(root, ".VXL", Text(IDS_LIBRARY_PROGID));
}

} // namespace

bool IsSiblingServer(const char* fileName)
{
    for (const char* sibling : kSiblingServers)
        if (lstrcmpiA(fileName, sibling) == 0)
            return true;
    return false;
}

void WriteRegistration()
{
    for (const Row& row : RegistrationRows())
        SetDefault(row.base, row.key, row.value);
}

ErrorCode CheckRegistration()
{
    const std::string path = ProgramPath();
    if (!RegistrationComplete())
        WriteRegistration();
    else
        TakeOverCurrentProgId(path);
    MendOlderProgId(path);
    WriteProgIdAndExtensions();
    return kErrNone;
}
