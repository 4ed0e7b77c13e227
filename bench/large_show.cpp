// vantorel-large-show: writes the large show into a folder, or loads one as the program's
// start-up does and reports the time it took, the page faults it caused and the process's peak
// memory beside the size of the files. Figures for the notes; nothing here is a test.
//   vantorel-large-show write DIR
//   vantorel-large-show load DIR
#include "LargeShow.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <sys/resource.h>

namespace {

rusage usage()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u;
}

double peakMiB()
{
    return double(usage().ru_maxrss) / 1024.0;
}

double cpuMs()
{
    const rusage u = usage();
    auto ms = [](const timeval& t) { return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3; };
    return ms(u.ru_utime) + ms(u.ru_stime);
}

int load(const std::string& dir)
{
    const double before = peakMiB();
    const double cpuBefore = cpuMs();
    const long faultsBefore = usage().ru_minflt;
    const auto start = std::chrono::steady_clock::now();
    KyShow show(DataPaths::in(dir));
    std::vector<std::string> warnings;
    show.loadAll(warnings);
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    const double files = double(large_show::filesSize(dir)) / (1024.0 * 1024.0);
    const double peak = peakMiB();
    std::printf("load %.1f ms (%.1f ms of processor time, %ld page faults); peak %.1f MiB (%.1f before loading); files "
                "%.1f MiB; peak/files %.2f\n",
                took.count(), cpuMs() - cpuBefore, usage().ru_minflt - faultsBefore, peak, before, files, peak / files);
    std::printf("%zu types, %zu devices, %zu sequences, %zu cues, %zu warnings\n", show.library.deviceCount(),
                show.library.club.clubDeviceCount(), show.seque.sequenceCount(), show.seque.cueCount(),
                warnings.size());
    return warnings.empty() ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "write") == 0) {
        std::string error;
        if (!large_show::write(argv[2], &error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 1;
        }
        std::printf("%.1f MiB written\n", double(large_show::filesSize(argv[2])) / (1024.0 * 1024.0));
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "load") == 0)
        return load(argv[2]);
    std::fprintf(stderr, "usage: vantorel-large-show write|load DIR\n");
    return 2;
}
