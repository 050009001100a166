// A mapi32.dll for the mail tests: MAPISendDocuments writes what it was given,
// and whether each file was there with a drawing's signature, to the file
// named by TESSARY_MAPI_LOG, and answers as TESSARY_MAPI_ANSWER says.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::string Signature(const std::string& path)
{
    char bytes[9] = {};
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return "missing";
    const size_t got = std::fread(bytes, 1, 8, file);
    std::fclose(file);
    return std::string(bytes, got);
}

} // namespace

extern "C" __declspec(dllexport) ULONG WINAPI MAPISendDocuments(ULONG_PTR parent, LPSTR delimiter, LPSTR paths,
                                                                  LPSTR names, ULONG reserved)
{
    char log[MAX_PATH] = "";
    char answer[16] = "0";
    GetEnvironmentVariableA("TESSARY_MAPI_LOG", log, MAX_PATH);
    GetEnvironmentVariableA("TESSARY_MAPI_ANSWER", answer, sizeof(answer));
    FILE* out = log[0] ? std::fopen(log, "w") : nullptr;
    if (!out)
        return 2;
    std::fprintf(out, "parent=%d\ndelimiter=%s\npaths=%s\nnames=%s\nreserved=%lu\n", parent != 0 ? 1 : 0,
                 delimiter, paths, names, reserved);
    std::string list = paths ? paths : "";
    size_t start = 0;
    while (!list.empty() && start <= list.size()) {
        const size_t end = list.find(';', start);
        const std::string path = list.substr(start, end == std::string::npos ? std::string::npos : end - start);
        std::fprintf(out, "file=%s\n", Signature(path).c_str());
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    std::fclose(out);
    return static_cast<ULONG>(std::atoi(answer));
}
