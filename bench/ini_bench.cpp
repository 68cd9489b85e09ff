// The INI store against the Win32 profile functions on one file of many sections: read every
// key, and write every key into a new file. Prints times and ratios, for several sizes, so that
// the growth shows as well.
//   ini_bench [SECTIONS...]   (default: 1000 10000 100000)
// Above 10,000 sections only the store is timed: the profile functions would take hours.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/ini_store.h"

namespace {

constexpr int kKeysPerSection = 5;

using Clock = std::chrono::steady_clock;
double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

std::string SectionName(int i) { return "slide" + std::to_string(i); }
std::string KeyName(int k) { return "key" + std::to_string(k); }
std::string Value(int i, int k) { return "C:\\PICTURES\\HOLIDAY\\PIC" + std::to_string(i * 10 + k) + ".BMP"; }

std::string MakeFile(int sections) {
    std::string text;
    for (int i = 0; i < sections; ++i) {
        text.append("[").append(SectionName(i)).append("]\r\n");
        for (int k = 0; k < kKeysPerSection; ++k) text.append(KeyName(k)).append("=").append(Value(i, k)).append("\r\n");
    }
    return text;
}

struct Figures {
    double read = 0;
    double write = 0;
    long checksum = 0;  // keeps the reads from being optimised away, and proves they found values
};

Figures OurStore(const std::string& source, const std::string& target, int sections) {
    Figures f;
    auto start = Clock::now();
    morvel::ini::File in(source);
    in.Load();
    for (int i = 0; i < sections; ++i) {
        for (int k = 0; k < kKeysPerSection; ++k) {
            if (auto v = in.Get(SectionName(i), KeyName(k))) f.checksum += static_cast<long>(v->size());
        }
    }
    f.read = Seconds(start);
    DeleteFileA(target.c_str());
    start = Clock::now();
    morvel::ini::File out(target);
    out.Load();
    for (int i = 0; i < sections; ++i) {
        for (int k = 0; k < kKeysPerSection; ++k) out.Set(SectionName(i), KeyName(k), Value(i, k));
    }
    out.Save();
    f.write = Seconds(start);
    return f;
}

// Writes through the profile functions are timed for at most `budget` seconds; the rest is
// estimated from the rate of the last tenth measured, since each write costs more as the file
// grows.
Figures ProfileFunctions(const std::string& source, const std::string& target, int sections, double budget,
                         bool& estimated) {
    Figures f;
    char buffer[1024];
    auto start = Clock::now();
    for (int i = 0; i < sections; ++i) {
        for (int k = 0; k < kKeysPerSection; ++k) {
            f.checksum += static_cast<long>(GetPrivateProfileStringA(SectionName(i).c_str(), KeyName(k).c_str(), "",
                                                                     buffer, sizeof buffer, source.c_str()));
        }
    }
    f.read = Seconds(start);
    DeleteFileA(target.c_str());
    estimated = false;
    start = Clock::now();
    const int total = sections * kKeysPerSection;
    std::vector<double> at;
    at.reserve(static_cast<size_t>(total));
    int done = 0;
    for (int i = 0; i < sections && !estimated; ++i) {
        for (int k = 0; k < kKeysPerSection; ++k) {
            WritePrivateProfileStringA(SectionName(i).c_str(), KeyName(k).c_str(), Value(i, k).c_str(),
                                       target.c_str());
            ++done;
            at.push_back(Seconds(start));
            if (at.back() > budget) {
                estimated = true;
                break;
            }
        }
    }
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, target.c_str());  // flush the cache
    f.write = Seconds(start);
    if (estimated && done > 10) {
        const int from = done - done / 10;
        const double rate = (at.back() - at[static_cast<size_t>(from)]) / (done - from);
        f.write += rate * (total - done) * 1.0;
    }
    return f;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty()) sizes = {1000, 10000, 100000};
    constexpr int kLargestForProfileFunctions = 10000;
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = temp;
    std::printf("%-9s %-7s %12s %12s %10s\n", "sections", "what", "store (s)", "profile (s)", "ratio");
    for (int sections : sizes) {
        const std::string source = folder + "bench-source.ini";
        const std::string ours = folder + "bench-ours.ini";
        const std::string theirs = folder + "bench-profile.ini";
        morvel::ini::WriteFileBytes(source, MakeFile(sections));
        const Figures store = OurStore(source, ours, sections);
        if (sections > kLargestForProfileFunctions) {
            std::printf("%-9d %-7s %12.4f %12s %10s\n", sections, "read", store.read, "-", "-");
            std::printf("%-9d %-7s %12.4f %12s %10s\n", sections, "write", store.write, "-", "-");
            std::fflush(stdout);
            continue;
        }
        bool estimated = false;
        const Figures profile = ProfileFunctions(source, theirs, sections, 60.0, estimated);
        if (store.checksum != profile.checksum) {
            std::printf("MISMATCH: the store read %ld characters, the profile functions %ld\n", store.checksum,
                        profile.checksum);
        }
        std::printf("%-9d %-7s %12.4f %12.4f %10.1f\n", sections, "read", store.read, profile.read,
                    profile.read / store.read);
        std::printf("%-9d %-7s %12.4f %12.4f %10.1f%s\n", sections, "write", store.write, profile.write,
                    profile.write / store.write, estimated ? "  (profile time partly estimated)" : "");
        const double ourTotal = store.read + store.write;
        const double theirTotal = profile.read + profile.write;
        std::printf("%-9d %-7s %12.4f %12.4f %10.1f\n", sections, "both", ourTotal, theirTotal, theirTotal / ourTotal);
        std::fflush(stdout);
    }
    return 0;
}
