#include "app/DataPaths.h"

#include <climits>
#include <unistd.h>

DataPaths DataPaths::in(std::string directory)
{
    while (directory.size() > 1 && directory.back() == '/')
        directory.pop_back();
    DataPaths p;
    p.directory = directory;
    p.library = directory + "/library.vt2";
    p.club = directory + "/club.vt2";
    p.sequences = directory + "/sequences.vt2";
    p.cues = directory + "/cues.vt2";
    p.generators = directory + "/generators.vt2";
    p.panel = directory + "/panel.vt2";
    p.configuration = directory + "/vt2.cnf";
    p.events = directory + "/events.vt2";
    return p;
}

std::string executableDirectory()
{
    char buffer[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0)
        return ".";
    std::string path(buffer, static_cast<std::size_t>(n));
    auto slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
}
