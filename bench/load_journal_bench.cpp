// Loading a journal of a million lines and reading every line into a JournalRecord: the
// throughput, and the memory the loaded list needs over the file's own size.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "platform/simulated_system.h"
#include "platform/string_list.h"
#include "run/journal_record.h"

// Heap bytes in use and their high-water mark, counted by replacing the global operator new.
namespace {
// Plain counters: the benchmarks run on one thread.
std::size_t heapInUse = 0;
std::size_t heapPeak = 0;

// Each block carries its size in front, so that freeing it needs no query of the allocator.
constexpr std::size_t header = alignof(std::max_align_t);

void* countedAlloc(std::size_t size) {
    auto* block = static_cast<unsigned char*>(std::malloc(size + header));
    if (!block) throw std::bad_alloc();
    std::memcpy(block, &size, sizeof size);
    heapInUse += size;
    if (heapInUse > heapPeak) heapPeak = heapInUse;
    return block + header;
}

void countedFree(void* pointer) noexcept {
    if (!pointer) return;
    unsigned char* block = static_cast<unsigned char*>(pointer) - header;
    std::size_t size;
    std::memcpy(&size, block, sizeof size);
    heapInUse -= size;
    std::free(block);
}
}  // namespace

void* operator new(std::size_t size) { return countedAlloc(size); }
void* operator new[](std::size_t size) { return countedAlloc(size); }
void operator delete(void* block) noexcept { countedFree(block); }
void operator delete[](void* block) noexcept { countedFree(block); }
void operator delete(void* block, std::size_t) noexcept { countedFree(block); }
void operator delete[](void* block, std::size_t) noexcept { countedFree(block); }

namespace {

constexpr int journalLines = 1'000'000;
const std::string journalPath = "C:\\Zorvel\\journal.txt";

// About 50 bytes a line: two counts, three Shift-JIS texts of varying length, CR LF.
const std::string& journalText() {
    static const std::string text = [] {
        const char* const names[] = {"\x8e\x64\x93\xfc", "\x94\x84\x8f\xe3\x8d\x82",
                                     "\x8c\xbb\x8b\xe0\x8e\x78\x95\xa5\x82\xa2", "ABC"};
        std::string journal;
        journal.reserve(std::size_t{journalLines} * 52);
        for (int i = 0; i < journalLines; ++i) {
            journal += std::to_string(i % 17);
            journal += '\t';
            journal += std::to_string(i % 5);
            journal += '\t';
            journal += names[i % 4];
            journal += " No.";
            journal += std::to_string(i);
            journal += '\t';
            journal += names[(i + 1) % 4];
            journal += "\t2024/01/";
            journal += std::to_string(10 + i % 20);
            journal += " memo text";
            journal += "\r\n";
        }
        return journal;
    }();
    return text;
}

long maxResidentKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Reads every line as the run does; the sum keeps the work from being optimised away.
std::int64_t readAllRecords(const TStringList& lines) {
    std::int64_t sum = 0;
    JournalRecord record;
    for (std::size_t i = 0; i < lines.Count(); ++i) {
        readJournalRecord(lines.Strings(i), record);
        sum += record.firstDownCount + record.secondDownCount +
               static_cast<std::int64_t>(record.thirdText.size());
    }
    return sum;
}

void reportMemory(benchmark::State& state, std::size_t baseline, std::size_t loadedPeak,
                  std::size_t readPeak) {
    const double fileBytes = static_cast<double>(journalText().size());
    state.counters["file_MB"] = fileBytes / 1e6;
    state.counters["load_peak_x_file"] = static_cast<double>(loadedPeak - baseline) / fileBytes;
    state.counters["run_peak_x_file"] = static_cast<double>(readPeak - baseline) / fileBytes;
    state.counters["maxrss_MB"] = static_cast<double>(maxResidentKiB()) / 1024.0;
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(journalText().size()));
}

// The journal as the run reads it: from the (simulated) file system, split, every record cut.
void BM_LoadJournalFileAndReadRecords(benchmark::State& state) {
    sim::reset();
    sim::setTracing(false);
    sim::addFile(journalPath, journalText());
    std::size_t baseline = 0, loadedPeak = 0, readPeak = 0;
    for (auto _ : state) {
        baseline = heapInUse;
        heapPeak = baseline;
        TStringList lines;
        lines.LoadFromFile(journalPath);
        loadedPeak = heapPeak;
        benchmark::DoNotOptimize(readAllRecords(lines));
        readPeak = heapPeak;
    }
    reportMemory(state, baseline, loadedPeak, readPeak);
    sim::reset();
}
BENCHMARK(BM_LoadJournalFileAndReadRecords)->Unit(benchmark::kMillisecond);

// Splitting alone, from a text handed over in memory.
void BM_SplitJournalText(benchmark::State& state) {
    std::size_t baseline = 0, loadedPeak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::string text = journalText();
        state.ResumeTiming();
        baseline = heapInUse;
        heapPeak = baseline;
        TStringList lines;
        lines.SetText(std::move(text));
        loadedPeak = heapPeak;
        benchmark::DoNotOptimize(lines.Count());
    }
    reportMemory(state, baseline, loadedPeak, loadedPeak);
}
BENCHMARK(BM_SplitJournalText)->Unit(benchmark::kMillisecond);

// Cutting every record of a list that is already loaded.
void BM_ReadJournalRecords(benchmark::State& state) {
    TStringList lines;
    lines.SetText(journalText());
    for (auto _ : state) benchmark::DoNotOptimize(readAllRecords(lines));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(journalText().size()));
}
BENCHMARK(BM_ReadJournalRecords)->Unit(benchmark::kMillisecond);

}  // namespace
