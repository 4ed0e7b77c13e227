#include "LargeShow.h"

#include "cue/CueFile.h"
#include "library/LibraryFile.h"
#include "sequence/SequenceFile.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <sys/resource.h>

namespace {

// The page faults the process has taken so far that needed no reading from disk.
long minorFaults()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_minflt;
}

// The large show's files, written once into a temporary folder for all benchmarks.
const std::string& showDirectory()
{
    static const large_show::TemporaryShow show("vantorel-large-show");
    return show.directory();
}

} // namespace

// Every data file into the models, as the start-up reads them, with the page faults that
// loading takes (per load).
static void BM_StartUpLoad(benchmark::State& state)
{
    const std::string& dir = showDirectory();
    long faults = 0;
    for (auto _ : state) {
        const long before = minorFaults();
        auto show = std::make_unique<KyShow>(DataPaths::in(dir));
        std::vector<std::string> warnings;
        show->loadAll(warnings);
        benchmark::DoNotOptimize(show->seque.sequenceCount());
        faults += minorFaults() - before;
        state.PauseTiming(); // freeing the models is left out of the figure
        show.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(std::int64_t(state.iterations() * large_show::filesSize(dir)));
    state.counters["page_faults"] = benchmark::Counter(double(faults), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_StartUpLoad)->Unit(benchmark::kMillisecond);

// The bytes of every data file, as saving the show makes them.
static void BM_SaveBytes(benchmark::State& state)
{
    KyShow show(DataPaths::in(showDirectory()));
    std::vector<std::string> warnings;
    show.loadAll(warnings);
    for (auto _ : state) {
        std::size_t bytes = libraryToBytes(show.library).size() + show.library.club.toBytes().size() +
                            sequencesToBytes(show.seque).size() + cuesToBytes(show.seque).size() +
                            show.panel.toBytes().size();
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_SaveBytes)->Unit(benchmark::kMillisecond);

// The exit save and the library's save, written to disk.
static void BM_SaveFiles(benchmark::State& state)
{
    KyShow show(DataPaths::in(showDirectory()));
    std::vector<std::string> warnings;
    show.loadAll(warnings);
    for (auto _ : state) {
        auto failures = show.saveAtExit();
        failures.push_back(show.saveLibrary());
        benchmark::DoNotOptimize(failures.data());
    }
}
BENCHMARK(BM_SaveFiles)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
