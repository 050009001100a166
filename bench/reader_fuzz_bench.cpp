// The long fuzz run of the readers (not CI): seeded mutants of inputs the
// program writes itself (a drawing of every object kind, the options, a
// record store) are read, by default a million per reader; prints mutants per
// second and the findings: codes no reader should answer, accepted drawings
// whose working store does not verify. A crash stops the run, names the
// mutant and keeps its bytes (the crash guard).
// Usage: bench_reader_fuzz_bench [mutants per reader] [seed]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "bench_drawing.h"
#include "documents/drawing_stream.h"
#include "documents/options_file.h"
#include "documents/drawing_file_support.h"
#include "documents/stream_bytes.h"
#include "objects/object_kind_table.h"
#include "store/record_store.h"
#include "support/crash_guard.h"
#include "support/mutation.h"

namespace {

const long kDefaultMutants = 1000000;
const uint32_t kDefaultSeed = 20261211u;
const size_t kSignatureBytes = 8;
const long kProgressEvery = 100000;

std::string TempPath(const char* leaf)
{
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + leaf;
}

// One reader: reads a mutant and returns a finding, or "" when the answer
// was sound.
struct Reader {
    const char* name;
    std::vector<uint8_t> seed;
    size_t keep;
    std::function<std::string(const std::vector<uint8_t>&)> read;
};

std::string JudgeCode(ErrorCode code)
{
    return IsProgramErrorCode(code) ? "" : "answered code " + std::to_string(code.value);
}

// A drawing read from memory, or from `path` when one is given.
std::string ReadDrawing(const std::string& path, const std::vector<uint8_t>& mutant)
{
    DrawingDocument document;
    if (!path.empty())
        WriteWholeFile(path, mutant);
    const ErrorCode code = path.empty() ? document.Read(mutant) : document.ReadFile(path);
    if (code == kErrNone && VerifyStore(document.store()) != kErrNone)
        return "accepted, but its working store does not verify";
    return JudgeCode(code);
}

std::string ReadOptionsAt(const std::string& path, const std::vector<uint8_t>& mutant)
{
    WriteWholeFile(path, mutant);
    return JudgeCode(ReadOptionsFile(path.c_str()));
}

std::string ReadStoreAt(const std::string& path, const std::vector<uint8_t>& mutant)
{
    WriteWholeFile(path, mutant);
    int store = -1;
    int second = 0;
    ErrorCode code = OpenStoreByName(path.c_str(), &store, 0, &second, TRUE);
    if (code == kErrNone) {
        code = VerifyStore(store);
        DiscardError(CloseOrAbandonStore(store), "a store that was only read");
    }
    return JudgeCode(code);
}

void Run(Reader& reader, long mutants, uint32_t seed)
{
    Lcg rng(seed);
    CrashGuard guard(reader.name);
    long findings = 0;
    const LARGE_INTEGER start = Now();
    for (long round = 0; round < mutants; ++round) {
        const std::vector<uint8_t> mutant = MutateBytes(reader.seed, reader.keep, &rng);
        guard.Reading("mutant " + std::to_string(round) + " of seed " + std::to_string(seed), mutant);
        const std::string finding = reader.read(mutant);
        if (!finding.empty()) {
            ++findings;
            if (findings <= 10)
                std::printf("  %s: mutant %ld: %s\n", reader.name, round, finding.c_str());
        }
        if ((round + 1) % kProgressEvery == 0)
            std::printf("  %s: %ld mutants\n", reader.name, round + 1);
    }
    const double seconds = Seconds(start, Now());
    std::printf("%-16s %9ld mutants %9.0f per second %6ld findings\n", reader.name, mutants,
                seconds > 0 ? mutants / seconds : 0.0, findings);
}

} // namespace

int main(int argc, char** argv)
{
    const long mutants = argc > 1 ? std::atol(argv[1]) : kDefaultMutants;
    const uint32_t seed = argc > 2 ? static_cast<uint32_t>(std::strtoul(argv[2], nullptr, 10)) : kDefaultSeed;
    if (InitObjectKinds() != kErrNone || InitRecordStore(kStoreTableSlots) != kErrNone) {
        std::printf("starting the model failed\n");
        return 1;
    }
    DrawingDocument source;
    BuildEveryKindDrawing(&source);
    const std::vector<uint8_t> stream = source.Write();
    const std::string drawingPath = TempPath("reader_fuzz_bench.tyr");
    const std::string optionsPath = TempPath("reader_fuzz_bench.ini");
    const std::string storePath = TempPath("reader_fuzz_bench.tst");
    DeleteFileA(storePath.c_str());
    const ErrorCode codes[] = {
        stream.empty() ? kErrFile : kErrNone,
        WriteDrawingFile(drawingPath.c_str(), nullptr, nullptr, source.view()),
        CreateDefaultOptions(),
        WriteOptionsFile(optionsPath.c_str()),
        CreateStoreFile(storePath.c_str(), 0, kStoreShift, kDocumentMapCapacity),
    };
    for (size_t step = 0; step < sizeof(codes) / sizeof(codes[0]); ++step)
        if (codes[step] != kErrNone) {
            std::printf("writing the seeds failed at step %u: code %d\n", static_cast<unsigned>(step),
                        codes[step].value);
            return 1;
        }
    Reader readers[] = {
        {"drawing-stream", stream, 0, [](const std::vector<uint8_t>& m) { return ReadDrawing("", m); }},
        {"drawing-file", ReadWholeFile(drawingPath), kSignatureBytes,
         [&](const std::vector<uint8_t>& m) { return ReadDrawing(drawingPath, m); }},
        {"options-file", ReadWholeFile(optionsPath), kSignatureBytes,
         [&](const std::vector<uint8_t>& m) { return ReadOptionsAt(optionsPath, m); }},
        {"store-file", ReadWholeFile(storePath), 0,
         [&](const std::vector<uint8_t>& m) { return ReadStoreAt(storePath, m); }},
    };
    std::printf("reader fuzz: %ld mutants per reader, seed %u\n", mutants, seed);
    for (Reader& reader : readers)
        Run(reader, mutants, seed);
    DeleteFileA(drawingPath.c_str());
    DeleteFileA(optionsPath.c_str());
    DeleteFileA(storePath.c_str());
    return 0;
}
