// "Find missing files..." on a large tree: the search of a folder tree for the files of missing
// slides (one walk, names looked up in hash tables), against the bare enumeration of the same
// tree with FindFirstFileA/FindNextFileA, which no search can beat. Also the existence check of
// the missing rows that the command makes before it searches.
//   find_missing_bench TREE MISSING_LIST
// TREE is the folder made by scripts/bench.sh; MISSING_LIST holds the missing slides' stored
// paths, one a line, and on its first line the number of them the search should find.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "common/win/win_file_system.h"
#include "editor/missing_files.h"

namespace {

using namespace morvel;
using Clock = std::chrono::steady_clock;
double Millis(Clock::time_point since) {
    return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

// Processor time of the calling thread, user and kernel, in milliseconds: a loaded machine
// distorts it less than the wall clock (Wine's own server is not in it).
double ThreadCpuMillis() {
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    const auto ms = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
    };
    return ms(kernel) + ms(user);
}

struct Counts {
    long files = 0;
    long folders = 0;
};

// The floor: every entry of the tree visited once, nothing else done.
Counts BareWalk(const std::string& root) {
    Counts counts;
    std::vector<std::string> pending{root + "\\"};
    while (!pending.empty()) {
        const std::string folder = std::move(pending.back());
        pending.pop_back();
        WIN32_FIND_DATAA data{};
        const HANDLE search = FindFirstFileA((folder + "*").c_str(), &data);
        if (search == INVALID_HANDLE_VALUE) continue;
        do {
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                if (std::string_view(data.cFileName) == "." || std::string_view(data.cFileName) == "..") continue;
                ++counts.folders;
                pending.push_back(folder + data.cFileName + "\\");
            } else {
                ++counts.files;
            }
        } while (FindNextFileA(search, &data));
        FindClose(search);
    }
    return counts;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: find_missing_bench TREE MISSING_LIST\n");
        return 2;
    }
    const std::string root = argv[1];
    std::ifstream list(argv[2]);
    int expected = -1;
    list >> expected;
    std::vector<std::string> stored;
    for (std::string line; std::getline(list, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) stored.push_back(line);
    }

    editor::SlideTable table;
    for (const std::string& path : stored) table.AddFile(path, RealFileSystem());

    auto start = Clock::now();
    const std::vector<int> missing = editor::MissingRows(table, RealFileSystem());
    const double check = Millis(start);

    // The search runs first, on a tree nobody has read since it was made, as the user's first
    // search would; then the two take turns, so that neither gains from the other's caching.
    bool ok = missing.size() == stored.size();
    double slowest = 0;
    Counts counts;
    for (int round = 1; round <= 3; ++round) {
        start = Clock::now();
        double cpu = ThreadCpuMillis();
        const std::vector<editor::Relink> relinks = editor::FindMissingFiles(table, missing, RealFileSystem(), root);
        const double search = Millis(start);
        const double searchCpu = ThreadCpuMillis() - cpu;
        start = Clock::now();
        cpu = ThreadCpuMillis();
        counts = BareWalk(root);
        const double bare = Millis(start);
        const double bareCpu = ThreadCpuMillis() - cpu;
        if (round == 1) {
            std::printf("tree: %ld files in %ld folders; %zu missing slides, found by the existence check in %.1f ms\n",
                        counts.files, counts.folders + 1, missing.size(), check);
        }
        std::printf(
            "round %d: search %7.1f ms (processor %7.1f), bare enumeration %7.1f ms (processor %7.1f): "
            "%.2fx; found %zu of %zu (expected %d)\n",
            round, search, searchCpu, bare, bareCpu, search / bare, relinks.size(), missing.size(), expected);
        slowest = std::max(slowest, search);
        ok = ok && static_cast<int>(relinks.size()) == expected;
    }
    std::printf("slowest search: %.0f ms (goal: under 2000 ms)\n", slowest);
    if (!ok) std::printf("MISMATCH: the search did not find what the tree holds\n");
    return ok ? 0 : 1;
}
