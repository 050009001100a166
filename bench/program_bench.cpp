// The real program on a 16,000-object drawing, driven from outside with real
// X input the way a person drives it: start, open until idle, drag one box,
// draw one box, select all, move all by dragging and by an arrow key, undo
// and redo, save, and the program's memory before and after. The drawing is
// made here through the program's own object code and writer. Run it under
// Xvfb (scripts/bench.sh starts one).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/bench_document.h"
#include "documents/drawing_stream.h"
#include "frame/hand_over.h"
#include "resources/menu_ids.h"
#include "support/program_driver.h"
#include "support/real_input.h"
#include "support/screen_image.h"
#include "support/test_paths.h"

namespace {

const int kSelectTool = 108;
const int kRectangleTool = 114;
const DWORD kWaitMs = 120000;
const DWORD kPollMs = 1;
const DWORD kDragStartMs = 300;   // past the program's wait before a move becomes a drag

GridPlan ProgramPlan()
{
    GridPlan plan = SixteenThousandPlan();
    // TESSARY_BENCH_DIVISOR=n runs the same steps on a drawing n times smaller.
    const char* divisor = std::getenv("TESSARY_BENCH_DIVISOR");
    const int n = divisor ? std::atoi(divisor) : 1;
    if (n > 1) {
        plan.boxes /= n;
        plan.texts /= n;
        plan.connectors /= n;
        plan.lines /= n;
    }
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
    // Finds where the drawing lies on screen from the first two boxes.
    bool Calibrate();
    POINT BoxCentre(const GridPlan& plan, int box) const;
    RECT BoxOnScreen(const GridPlan& plan, int box) const;
    double MemoryMegabytes() const;

    ProgramDriver program;
    HWND palette = nullptr;
    HWND view = nullptr;

private:
    bool Probe();
    POINT ToScreen(LONG x, LONG y) const;
    DWORD thread_ = 0;
    double originX_ = 0.0;
    double originY_ = 0.0;
    double pixelsPerUnit_ = 0.0;
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

// Box 0's yellow inside gives the drawing's origin on screen; the step to
// box 1's gives the scale, whatever the view's zoom and scroll.
bool Bench::Calibrate()
{
    const ScreenImage image = ScreenImage::Grab();
    const RECT client = ClientScreenRect(view);
    POINT first = {-1, -1};
    for (int y = client.top; y < client.bottom && first.x < 0; ++y) {
        for (int x = client.left; x < client.right; ++x) {
            if (image.At(x, y) == kGridFill) {
                first = POINT{x, y};
                break;
            }
        }
    }
    if (first.x < 0)
        return false;
    const int row = first.y + 1;
    int x = first.x;
    while (x < client.right && image.At(x, row) == kGridFill)
        ++x;
    while (x < client.right && image.At(x, row) != kGridFill)
        ++x;
    if (x >= client.right)
        return false;
    pixelsPerUnit_ = static_cast<double>(x - first.x) / kGridColumnStep;
    originX_ = first.x - kGridLeft * pixelsPerUnit_;
    originY_ = first.y - kGridTop * pixelsPerUnit_;
    std::printf("drawing on screen at (%.0f, %.0f), %.3f pixels a unit\n", originX_, originY_, pixelsPerUnit_);
    return true;
}

POINT Bench::ToScreen(LONG x, LONG y) const
{
    return POINT{static_cast<LONG>(originX_ + x * pixelsPerUnit_), static_cast<LONG>(originY_ + y * pixelsPerUnit_)};
}

POINT Bench::BoxCentre(const GridPlan& plan, int box) const
{
    const RECT frame = GridBoxFrame(plan, box);
    return ToScreen((frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2);
}

RECT Bench::BoxOnScreen(const GridPlan& plan, int box) const
{
    const RECT frame = GridBoxFrame(plan, box);
    const POINT topLeft = ToScreen(frame.left, frame.top);
    const POINT bottomRight = ToScreen(frame.right, frame.bottom);
    return RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

std::string ReadSmallFile(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::string();
    char bytes[4096];
    DWORD read = 0;
    ReadFile(file, bytes, sizeof(bytes), &read, nullptr);
    CloseHandle(file);
    return std::string(bytes, read);
}

// Wine does not answer memory questions about another process: the resident
// size comes from Linux, from the process whose command line is this build's
// program.
double Bench::MemoryMegabytes() const
{
    const std::string wanted = BuildFolder() + "tessary.exe";
    WIN32_FIND_DATAA found = {};
    HANDLE search = FindFirstFileA("Z:\\proc\\*", &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0.0;
    double megabytes = 0.0;
    do {
        const std::string folder = std::string("Z:\\proc\\") + found.cFileName + "\\";
        if (found.cFileName[0] < '0' || found.cFileName[0] > '9')
            continue;
        const std::string command = ReadSmallFile(folder + "cmdline");
        if (lstrcmpiA(command.substr(0, wanted.size()).c_str(), wanted.c_str()) != 0)
            continue;
        const std::string status = ReadSmallFile(folder + "status");
        const size_t at = status.find("VmRSS:");
        if (at != std::string::npos)
            megabytes = std::atof(status.c_str() + at + 6) / 1024.0;
        break;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return megabytes;
}

// A message box of the program stops everything after it: its figures would be void.
void Row(const char* what, double value, const char* unit);

HWND MessageBoxOf(const ProgramDriver& program)
{
    HWND palette = FindWindowExA(program.MainWindow(), nullptr, "#32770", nullptr);
    HWND found = program.FindProgramWindow("#32770", nullptr);
    return found && found != palette && IsWindowVisible(found) ? found : nullptr;
}

const ProgramDriver* Watched = nullptr;

void Row(const char* what, double value, const char* unit)
{
    if (Watched && MessageBoxOf(*Watched)) {
        std::printf("| %-46s | %14s |\n", what, "void: a message box is up");
        return;
    }
    std::printf("| %-46s | %10.1f %-3s |\n", what, value, unit);
    std::fflush(stdout);
}

// A row whose step left the screen as it was measured nothing.
void RowIfChanged(const char* what, double value, bool changed)
{
    if (changed)
        Row(what, value, "ms");
    else
        std::printf("| %-46s | %14s |\n", what, "void: nothing moved");
}

// A spot just inside a box's top edge, clear of its outline, handles and
// label: yellow while the box is there, paper once it went down. (Counting
// the box's yellow is fooled by its selection handles coming and going.)
bool BoxAt(const RECT& box)
{
    const int outlineAndHandle = 4;
    const POINT spot = {box.left + (box.right - box.left) / 4, box.top + outlineAndHandle};
    return ScreenImage::Grab().At(spot.x, spot.y) == kGridFill;
}

// Press on `from`, move to `to` in steps, and the time from the release
// (once the X server has it) to the finished repaint.
double TimedDrag(Bench* bench, POINT from, POINT to)
{
    RealMouseMove(from);
    RealButton(true);
    // The press is handled (its wait included) before the pointer moves on.
    bench->AwaitRepainted();
    Sleep(kDragStartMs);
    const int steps = 4;
    for (int i = 1; i <= steps; ++i)
        RealMouseMove(POINT{from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps});
    bench->AwaitRepainted();
    RealButton(false);
    LARGE_INTEGER start = Now();
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

    Bench bench;
    Watched = &bench.program;
    std::printf("| %-46s | %14s |\n|---|---|\n", "operation", "figure");
    start = Now();
    if (!bench.Start(options)) {
        std::printf("the program did not start\n");
        return 1;
    }
    Row("start without a drawing until idle (splash)", Milliseconds(start), "ms");
    Row("memory after start", bench.MemoryMegabytes(), "MB");

    start = Now();
    if (!bench.Open(path)) {
        std::printf("the drawing did not open\n");
        return 1;
    }
    Row("open until idle", Milliseconds(start), "ms");
    const double memoryOpen = bench.MemoryMegabytes();
    Row("memory after open", memoryOpen, "MB");
    bench.program.Screenshot("program_bench_opened");

    const GridPlan plan = ProgramPlan();
    if (!bench.Calibrate()) {
        std::printf("the boxes were not found on screen\n");
        return 1;
    }
    ClickTool(&bench, kSelectTool);
    const int dragged = plan.columns + 1;
    const POINT box = bench.BoxCentre(plan, dragged);
    const RECT place = bench.BoxOnScreen(plan, dragged);
    const bool wasThere = BoxAt(place);
    const double dragOne = TimedDrag(&bench, box, POINT{box.x + 12, box.y + 9});
    const bool moved = wasThere && !BoxAt(place);
    bench.program.Screenshot("program_bench_dragged_one");
    RowIfChanged("drag one box: release to repainted", dragOne, moved);
    Row("undo of it", TimedCommand(&bench, IDM_EDIT_UNDO), "ms");

    ClickTool(&bench, kRectangleTool);
    const POINT corner = bench.BoxCentre(plan, 2 * plan.columns + 2);
    const double drawOne = TimedDrag(&bench, corner, POINT{corner.x + 30, corner.y + 20});
    Row("draw one box: release to repainted", drawOne, "ms");
    bench.program.Screenshot("program_bench_drew_one");
    ClickTool(&bench, kSelectTool);

    Row("select all", TimedCommand(&bench, IDM_EDIT_SELECT_ALL), "ms");
    bench.program.Screenshot("program_bench_selected_all");
    const RECT anyBox = bench.BoxOnScreen(plan, 1);
    const POINT any = {anyBox.left + 6, anyBox.top + 5};
    // A box far from the pressed one shows that all of them went.
    const RECT farBox = bench.BoxOnScreen(plan, plan.columns + 5);
    const bool bothThere = BoxAt(anyBox) && BoxAt(farBox);
    const double moveAll = TimedDrag(&bench, any, POINT{any.x + 10, any.y + 10});
    bench.program.Screenshot("program_bench_moved_all");
    RowIfChanged("move all by dragging: release to repainted", moveAll,
                 bothThere && !BoxAt(anyBox) && !BoxAt(farBox));
    Row("undo of the move", TimedCommand(&bench, IDM_EDIT_UNDO), "ms");
    Row("redo of the move", TimedCommand(&bench, IDM_EDIT_UNDO), "ms");
    start = Now();
    RealKey(VK_RIGHT);
    bench.AwaitRepainted();
    Row("move all with an arrow key (with xdotool's start)", Milliseconds(start), "ms");
    bench.program.Screenshot("program_bench_moved");

    start = Now();
    for (int i = 0; i < 25; ++i) {
        RealKey(VK_RIGHT);
        RealKey(VK_LEFT);
    }
    bench.AwaitRepainted();
    Row("memory after 50 more edits", bench.MemoryMegabytes(), "MB");
    Row("save after the edits", TimedCommand(&bench, IDM_FILE_SAVE), "ms");
    bench.program.Close(kWaitMs);
    DeleteFileA(path.c_str());
    DeleteFileA(options.c_str());
    return 0;
}
