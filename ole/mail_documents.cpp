#include "ole/mail_documents.h"

#include <vector>

#include "common/app_globals.h"
#include "common/io_seam.h"
#include "common/results.h"
#include "documents/document_commands.h"
#include "resources/resource_ids.h"

namespace {

const char kMapiLibrary[] = "mapi32.dll";
const char kSendDocuments[] = "MAPISendDocuments";
const char kDelimiter[] = ";";
const char kTemporaryPrefix[] = "VXTMP";
const char kDrawingSuffix[] = ".TYR";
const int kCopyWithPreview = 2;
const ULONG kMapiUserAbort = 1;

using SendDocumentsCall = ULONG(WINAPI*)(ULONG_PTR parent, LPSTR delimiter, LPSTR paths, LPSTR names,
                                          ULONG reserved);

// The lists are built to whatever length the paths and titles have: a long
// window title cannot run past them.
struct Attachments {
    std::vector<std::string> paths;
    std::string pathList;
    std::string titleList;

    void Add(const std::string& path, const std::string& title)
    {
        paths.push_back(path);
        if (!pathList.empty()) {
            pathList += kDelimiter;
            titleList += kDelimiter;
        }
        pathList += path;
        titleList += title;
    }
};

std::string WindowTitle(HWND window)
{
    const int length = GetWindowTextLengthA(window);
    std::vector<char> text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
    return text.data();
}

void Attach(HWND document, const std::string& title, Attachments* attachments)
{
    std::string path;
    // A document whose copy fails is left out; the others still go.
    if (SaveTempCopy(document, &path) == kErrNone)
        attachments->Add(path, title);
}

void CollectDocuments(int all, Attachments* attachments)
{
    if (!MdiClientWindow)
        return;
    if (!all) {
        HWND active = reinterpret_cast<HWND>(SendMessageA(MdiClientWindow, WM_MDIGETACTIVE, 0, 0));
        if (active)
            Attach(active, WindowTitle(active) + kDrawingSuffix, attachments);
        return;
    }
    for (HWND child = GetWindow(MdiClientWindow, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (GetParent(child) == MdiClientWindow)
            Attach(child, WindowTitle(child), attachments);
}

ULONG Send(SendDocumentsCall send, Attachments* attachments)
{
    std::vector<char> delimiter(kDelimiter, kDelimiter + sizeof(kDelimiter));
    std::vector<char> paths(attachments->pathList.begin(), attachments->pathList.end());
    std::vector<char> titles(attachments->titleList.begin(), attachments->titleList.end());
    paths.push_back('\0');
    titles.push_back('\0');
    return send(reinterpret_cast<ULONG_PTR>(MainWindow), delimiter.data(), paths.data(), titles.data(), 0);
}

} // namespace

ErrorCode SaveTempCopy(HWND document, std::string* path)
{
    char folder[MAX_PATH] = "";
    char name[MAX_PATH] = "";
    const DWORD length = GetTempPathA(MAX_PATH, folder);
    if (length == 0 || length >= MAX_PATH || !GetTempFileNameA(folder, kTemporaryPrefix, 0, name))
        return kErrFile;
    const ErrorCode code = SaveDocumentToFile(document, name, kCopyWithPreview);
    if (code != kErrNone) {
        SeamDeleteFile(name);
        return code;
    }
    *path = name;
    return kErrNone;
}

int SendDocumentsByMail(int all)
{
    HMODULE mapi = LoadLibraryA(kMapiLibrary);
    if (!mapi) {
        WarnById(IDS_NO_MAPI);
        return 0;
    }
    auto send = reinterpret_cast<SendDocumentsCall>(reinterpret_cast<void (*)()>(GetProcAddress(mapi, kSendDocuments)));
    if (!send) {
        FreeLibrary(mapi);
        return 0;
    }
    Attachments attachments;
    CollectDocuments(all, &attachments);
    const ULONG result = Send(send, &attachments);
    // The copies go whatever the mail program did with them.
    for (const std::string& path : attachments.paths)
        SeamDeleteFile(path.c_str());
    FreeLibrary(mapi);
    // A system whose mail cannot send (Wine answers "not supported" at
    // once) is told so rather than left wondering.
    if (result != 0 && result != kMapiUserAbort)
        WarnById(IDS_NO_MAPI);
    return 0;
}
