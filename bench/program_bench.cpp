// The real program on a 16,000-object drawing, driven from outside with real
// X input the way a person drives it: start, open until idle, drag one box,
// draw one box, select all, move all by dragging and by an arrow key, undo
// and redo, save, and the program's memory before and after. The drawing is
// made here through the program's own object code and writer. Run it under
// Xvfb (scripts/bench.sh starts one).
#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <string>

#include "bench/bench_document.h"
#include "documents/drawing_stream.h"
#include "frame/hand_over.h"
#include "resources/menu_ids.h"
#include "support/program_driver.h"
#include "support/real_input.h"
#include "support/screen_image.h"

namespace {

const int kSelectTool = 108;
const int kRectangleTool = 114;
const DWORD kWaitMs = 120000;
const DWORD kPollMs = 1;
const int kUnitsPerPixel = 6;   // 600 units an inch shown at 100 pixels an inch

GridPlan ProgramPlan()
{
    GridPlan plan;
    plan.boxes = 8000;
    plan.texts = 4500;
    plan.connectors = kMaxLinks / 2;
    plan.lines = 500;
    plan.textSize = 8;
    plan.shortLabels = true;
    return plan;
}

bool WriteBenchDrawing(const std::string& path, int* objects)
{
    if (StartBenchModel(true) != kErrNone)
        return false;
    BenchDocument doc;
    if (!doc.Open(1) || !BuildGridDrawing(&doc, ProgramPlan()))
        return false;
    *objects = DrawingObjectCount(doc.Drawing());
    DeleteFileA(path.c_str());
    const bool written = WriteDrawingFile(path.c_str(), nullptr, nullptr, doc.record) == kErrNone;
    doc.Close();
    return written;
}

double Milliseconds(LARGE_INTEGER from)
{
    return Seconds(from, Now()) * 1000.0;
}

// The program as the benchmark drives it.
class Bench {
public:
    bool Start(const std::string& options);
    bool Open(const std::string& path);
    // Everything posted before has been handled and every window of the
    // program has painted what it had to.
    bool AwaitRepainted();
    // A pressed button was let go and the program has handled it.
    bool AwaitReleased();
    POINT BoxCentre(const GridPlan& plan, int box) const;
    double CpuSeconds() const;
    double MemoryMegabytes() const;
    HANDLE Process() const;

    ProgramDriver program;
    HWND palette = nullptr;
    HWND view = nullptr;

private:
    bool Probe();
    DWORD thread_ = 0;
};

HWND ActiveDocument(HWND mainWindow)
{
    HWND client = FindWindowExA(mainWindow, nullptr, "MDICLIENT", nullptr);
    return client ? reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0)) : nullptr;
}

bool Bench::Start(const std::string& options)
{
    if (!program.Start("/o " + options, kWaitMs))
        return false;
    thread_ = GetWindowThreadProcessId(program.MainWindow(), nullptr);
    while (program.FindProgramWindow("#32770", "About Tessary Plus"))
        Sleep(kPollMs);
    palette = FindWindowExA(program.MainWindow(), nullptr, "#32770", nullptr);
    return palette && AwaitRepainted();
}

bool Bench::Open(const std::string& path)
{
    // What a second start of the program with the file does.
    const ATOM atom = GlobalAddAtomA(path.c_str());
    SendMessageA(program.MainWindow(), kMsgHandOver, 0, atom);
    GlobalDeleteAtom(atom);
    HWND document = ActiveDocument(program.MainWindow());
    view = document ? FindWindowExA(document, nullptr, "MDScrollClass", nullptr) : nullptr;
    return view && AwaitRepainted();
}

bool Bench::Probe()
{
    static ULONG_PTR token = 0;
    ++token;
    const UINT probe = RegisterWindowMessageA("TessaryPlus.QueueProbe");
    if (!PostMessageA(program.MainWindow(), probe, static_cast<WPARAM>(token), 0))
        return false;
    const DWORD start = GetTickCount();
    while (reinterpret_cast<ULONG_PTR>(GetPropA(program.MainWindow(), "TessaryPlus.QueueProbe")) != token) {
        if (!program.Running() || GetTickCount() - start > kWaitMs)
            return false;
        Sleep(kPollMs);
    }
    return true;
}

BOOL CALLBACK HasUpdate(HWND window, LPARAM found)
{
    if (IsWindowVisible(window) && GetUpdateRect(window, nullptr, FALSE))
        *reinterpret_cast<bool*>(found) = true;
    return TRUE;
}

bool Bench::AwaitRepainted()
{
    // A posted probe overtakes the paint it caused: wait for the update
    // regions to go, then for the paint that emptied them to end.
    if (!Probe())
        return false;
    const DWORD start = GetTickCount();
    for (;;) {
        bool pending = GetUpdateRect(program.MainWindow(), nullptr, FALSE) != FALSE;
        EnumChildWindows(program.MainWindow(), HasUpdate, reinterpret_cast<LPARAM>(&pending));
        if (!pending)
            break;
        if (GetTickCount() - start > kWaitMs)
            return false;
        Sleep(kPollMs);
    }
    return Probe();
}

bool Bench::AwaitReleased()
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    const DWORD start = GetTickCount();
    while (GetGUIThreadInfo(thread_, &info) && info.hwndCapture) {
        if (GetTickCount() - start > kWaitMs)
            return false;
        Sleep(kPollMs);
    }
    return true;
}

POINT Bench::BoxCentre(const GridPlan& plan, int box) const
{
    const RECT frame = GridBoxFrame(plan, box);
    const POINT client = {(frame.left + frame.right) / 2 / kUnitsPerPixel,
                          (frame.top + frame.bottom) / 2 / kUnitsPerPixel};
    return ClientToScreenPoint(view, client);
}

double Bench::CpuSeconds() const
{
    FILETIME created, ended, kernel, user;
    if (!GetProcessTimes(Process(), &created, &ended, &kernel, &user))
        return 0.0;
    const auto ticks = [](const FILETIME& t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 1e7;
}

double Bench::MemoryMegabytes() const
{
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof(counters);
    if (!GetProcessMemoryInfo(Process(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof(counters)))
        return 0.0;
    return static_cast<double>(counters.PrivateUsage) / (1024.0 * 1024.0);
}

HANDLE Bench::Process() const
{
    return program.ProcessHandle();
}

void Row(const char* what, double value, const char* unit)
{
    std::printf("| %-46s | %10.1f %-3s |\n", what, value, unit);
    std::fflush(stdout);
}

// Press on `from`, move to `to` in steps, and the time from the release to
// the finished repaint.
double TimedDrag(Bench* bench, POINT from, POINT to, double* moveMs)
{
    RealMouseMove(from);
    RealButton(true);
    Sleep(300);   // past the program's wait before a move becomes a drag
    const int steps = 4;
    LARGE_INTEGER moving = Now();
    for (int i = 1; i <= steps; ++i)
        RealMouseMove(POINT{from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps});
    bench->AwaitRepainted();
    if (moveMs)
        *moveMs = Milliseconds(moving) / steps;
    LARGE_INTEGER start = Now();
    RealButton(false);
    bench->AwaitReleased();
    bench->AwaitRepainted();
    return Milliseconds(start);
}

double TimedCommand(Bench* bench, int id)
{
    LARGE_INTEGER start = Now();
    bench->program.PostCommand(id);
    bench->AwaitRepainted();
    return Milliseconds(start);
}

void ClickTool(Bench* bench, int id)
{
    const RECT r = ClientScreenRect(GetDlgItem(bench->palette, id));
    RealClick(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    bench->AwaitRepainted();
}

} // namespace

int main()
{
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + "program_bench.tyr";
    const std::string options = WriteQuietOptionsFile();
    if (options.empty()) {
        std::printf("writing the options failed\n");
        return 1;
    }
    int objects = 0;
    LARGE_INTEGER start = Now();
    if (!WriteBenchDrawing(path, &objects)) {
        std::printf("writing the drawing failed\n");
        return 1;
    }
    std::printf("drawing of %d objects written in %.1f s\n", objects, Seconds(start, Now()));
    LARGE_INTEGER xdotool = Now();
    RealMouseMove(POINT{2, 2});
    const double inputMs = Milliseconds(xdotool);

    Bench bench;
    std::printf("| %-46s | %14s |\n|---|---|\n", "operation", "figure");
    start = Now();
    if (!bench.Start(options)) {
        std::printf("the program did not start\n");
        return 1;
    }
    Row("start without a drawing until idle (splash)", Milliseconds(start), "ms");
    const double startCpu = bench.CpuSeconds();
    Row("memory after start", bench.MemoryMegabytes(), "MB");

    start = Now();
    if (!bench.Open(path)) {
        std::printf("the drawing did not open\n");
        return 1;
    }
    Row("open until idle", Milliseconds(start), "ms");
    Row("  of it CPU time of the program", (bench.CpuSeconds() - startCpu) * 1000.0, "ms");
    const double memoryOpen = bench.MemoryMegabytes();
    Row("memory after open", memoryOpen, "MB");
    bench.program.Screenshot("program_bench_opened");

    const GridPlan plan = ProgramPlan();
    ClickTool(&bench, kSelectTool);
    double moveMs = 0.0;
    const POINT box = bench.BoxCentre(plan, plan.columns + 1);
    const double dragOne = TimedDrag(&bench, box, POINT{box.x + 12, box.y + 9}, &moveMs);
    Row("drag one box: move, each step", moveMs, "ms");
    Row("drag one box: release to repainted", dragOne, "ms");
    Row("undo of it", TimedCommand(&bench, IDM_EDIT_UNDO), "ms");

    ClickTool(&bench, kRectangleTool);
    const POINT corner = bench.BoxCentre(plan, 2 * plan.columns + 2);
    const double drawOne = TimedDrag(&bench, corner, POINT{corner.x + 30, corner.y + 20}, nullptr);
    Row("draw one box: release to repainted", drawOne, "ms");
    ClickTool(&bench, kSelectTool);

    Row("select all", TimedCommand(&bench, IDM_EDIT_SELECT_ALL), "ms");
    const POINT any = bench.BoxCentre(plan, 1);
    Row("move all by dragging: release to repainted", TimedDrag(&bench, any, POINT{any.x + 10, any.y + 10}, nullptr),
        "ms");
    Row("undo of the move", TimedCommand(&bench, IDM_EDIT_UNDO), "ms");
    Row("redo of the move", TimedCommand(&bench, IDM_EDIT_UNDO), "ms");
    start = Now();
    RealKey(VK_RIGHT);
    bench.AwaitRepainted();
    Row("move all with an arrow key to repainted", Milliseconds(start) - inputMs, "ms");
    bench.program.Screenshot("program_bench_moved");

    start = Now();
    for (int i = 0; i < 25; ++i) {
        RealKey(VK_RIGHT);
        RealKey(VK_LEFT);
    }
    bench.AwaitRepainted();
    Row("memory after 50 more edits", bench.MemoryMegabytes(), "MB");
    Row("save after the edits", TimedCommand(&bench, IDM_FILE_SAVE), "ms");
    Row("(one xdotool call, inside the figures above)", inputMs, "ms");
    bench.program.Close(kWaitMs);
    DeleteFileA(path.c_str());
    DeleteFileA(options.c_str());
    return 0;
}
