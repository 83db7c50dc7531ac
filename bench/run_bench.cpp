// A whole run of 10,000 records on the simulated system, where the waits pass on the virtual
// clock: what is left is the tool's own time per record. And the sends of the prebuilt
// batches, which must not allocate.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "input/Uicontroller.h"
#include "platform/simulated_system.h"
#include "run/entry_run.h"
#include "run/entry_sequence.h"

// Every heap allocation of the program is counted at the C allocator, underneath whatever
// operator new the benchmarks use: the calls go on to glibc's own implementation.
namespace {
std::uint64_t heapAllocations = 0;
}  // namespace

// glibc's own names for its allocator, reserved to it and used as it documents.
// NOLINTBEGIN(bugprone-reserved-identifier)
extern "C" void* __libc_malloc(std::size_t size);
extern "C" void* __libc_calloc(std::size_t count, std::size_t size);
extern "C" void* __libc_realloc(void* block, std::size_t size);
// NOLINTEND(bugprone-reserved-identifier)

extern "C" void* malloc(std::size_t size) noexcept {
    ++heapAllocations;
    return __libc_malloc(size);
}
extern "C" void* calloc(std::size_t count, std::size_t size) noexcept {
    ++heapAllocations;
    return __libc_calloc(count, size);
}
extern "C" void* realloc(void* block, std::size_t size) noexcept {
    ++heapAllocations;
    return __libc_realloc(block, size);
}

namespace {

constexpr int runRecords = 10'000;
const HWND owner = reinterpret_cast<HWND>(std::uintptr_t{0x5a0});
constexpr RecordedPositions positions{100, 200, 300, 400};

// Records of the usual shape: small counts, Shift-JIS texts of a few characters.
std::string journalOf(int records) {
    std::string journal;
    for (int i = 0; i < records; ++i) {
        journal += std::to_string(i % 7) + "\t" + std::to_string(i % 3) + "\t\x8c\xbb\x8b\xe0 No." +
                   std::to_string(i) + "\t\x94\x84\x8f\xe3\t" + std::to_string(1000 + i) + "\r\n";
    }
    return journal;
}

void BM_RunOfRecords(benchmark::State& state) {
    sim::reset();
    sim::setTracing(false);
    sim::addFile("C:\\Zorvel\\conf.txt", "\x8e\xed\x97\xde\r\n");
    sim::addFile("C:\\Zorvel\\journal.txt", journalOf(runRecords));
    std::uint64_t allocations = 0;
    std::uint64_t waitedMs = 0;
    for (auto _ : state) {
        const std::uint64_t clockBefore = sim::now();
        const std::uint64_t allocationsBefore = heapAllocations;
        runEntry(owner, positions);
        allocations = heapAllocations - allocationsBefore;
        waitedMs = sim::now() - clockBefore;
    }
    const double records = static_cast<double>(state.iterations()) * runRecords;
    // Seconds of the tool's own work per record, shown with an SI prefix (u = microseconds).
    state.counters["s_per_record"] =
        benchmark::Counter(records, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["allocs_per_record"] = static_cast<double>(allocations) / runRecords;
    state.counters["virtual_s_waited"] = static_cast<double>(waitedMs) / 1000.0;
    sim::reset();
}
BENCHMARK(BM_RunOfRecords)->Unit(benchmark::kMillisecond);

// The sends of one record, about 40 of them, on the five batches the run builds.
void BM_SendPrebuiltBatches(benchmark::State& state) {
    sim::reset();
    sim::setTracing(false);
    EntryBatches batches = buildEntryBatches(positions);
    TUIController* const sends[] = {batches.clickFirst.get(), batches.pasteKeys.get(),
                                    batches.tabKey.get(),     batches.downKey.get(),
                                    batches.downKey.get(),    batches.clickNext.get()};
    std::uint64_t sent = 0;
    const std::uint64_t allocationsBefore = heapAllocations;
    for (auto _ : state) {
        for (TUIController* batch : sends) batch->send();
        sent += std::size(sends);
    }
    const std::uint64_t allocations = heapAllocations - allocationsBefore;
    state.counters["allocs_per_send"] =
        static_cast<double>(allocations) / static_cast<double>(sent);
    state.counters["allocations"] = static_cast<double>(allocations);
    state.SetItemsProcessed(static_cast<std::int64_t>(sent));
    sim::reset();
}
BENCHMARK(BM_SendPrebuiltBatches);

}  // namespace
