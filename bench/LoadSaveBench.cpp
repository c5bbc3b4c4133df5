// Load and save times of data files, as the program does them: LoadContactFile
// reads the file whole, parses every record line, appends the records to the
// list and sorts them by name; WriteDataFile writes the list to a new file and
// moves it into place.  The list is a MemoryListControl, so the times are the
// core's own, without a window.
//
// Loads are timed two ways, each the best of several runs:
// - repeated in this process, with the allocator told to keep the memory the
//   last load gave back, so that every run, whatever the file's size, finds
//   the memory it needs already mapped: the core's own work;
// - each in a new process, as when the program starts with its file: that
//   adds the cost of the system mapping fresh memory page by page.
// (Left to itself the allocator keeps freed memory only up to a limit, which
// would time a small file's repeated loads on mapped memory and a big one's
// on fresh memory.)
//
//   telvara_load_save_bench load FILE
//       Loads the file once and prints "records seconds peak-kB baseline-kB":
//       the load's time, and the process's peak resident size after the load
//       and before it.
//   telvara_load_save_bench times RESULTS FILE...
//       For each file: the load times both ways, the best of several saves,
//       the peak memory of a load in a new process, and checks that the load
//       gives the file's records in order of name (as a plain stable sort
//       orders them) and that the saved file loads the same.  Prints a table
//       and writes a line "records load-s first-load-s save-s peak-kB
//       baseline-kB" a file to RESULTS.

#include "contacts/ContactList.h"
#include "contacts/DataFile.h"
#include "contacts/LineReader.h"
#include "support/MemoryListControl.h"
#include "contacts/TextCompare.h"

#include <malloc.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

// The process's peak resident size in kB: VmHWM, which starts afresh with the
// program (getrusage's ru_maxrss would carry over the peak of the process
// that started it).
long PeakRssKb() {
    long kb = -1;
    if (std::FILE* status = std::fopen("/proc/self/status", "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, status))
            if (std::sscanf(line, "VmHWM: %ld kB", &kb) == 1) break;
        std::fclose(status);
    }
    if (kb >= 0) return kb;
    struct rusage usage;
    std::memset(&usage, 0, sizeof usage);
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

long long FileSize(const char* path) {
    struct stat info;
    return stat(path, &info) == 0 ? static_cast<long long>(info.st_size) : -1;
}

// A list over a control held in memory.
struct LoadedList {
    MemoryListControl control;
    MemoryStatusText status;
    ContactList list{control, status};
};

// Fewer runs for the big files: their times vary less, and each takes long.
int RunsFor(long long fileBytes) {
    if (fileBytes < 1000000) return 15;
    if (fileBytes < 10000000) return 7;
    return 3;
}

bool SameRecords(const ContactList& a, const ContactList& b) {
    if (a.Count() != b.Count()) return false;
    for (int i = 0; i < a.Count(); ++i)
        if (!SameContact(*a.ContactAt(i), *b.ContactAt(i))) return false;
    return true;
}

// The list holds the file's record lines, parsed, in the order a plain stable
// sort by name gives.
bool LoadedAsExpected(const ContactList& list, const char* path) {
    LineReader reader(true);
    if (!reader.ReadFile(path)) return false;
    std::string line;
    reader.ReadLine(line);
    reader.ReadLine(line);
    std::vector<Contact> records;
    while (!reader.AtEnd()) {
        reader.ReadLine(line);
        if (!IsRecordLine(line.c_str())) continue;
        records.emplace_back();
        ParseRecordLine(line.c_str(), records.back());
    }
    std::stable_sort(records.begin(), records.end(), [](const Contact& a, const Contact& b) {
        return CompareNoCaseJoined(a.FirstName, a.LastName, b.FirstName, b.LastName) < 0;
    });
    if (list.Count() != static_cast<int>(records.size())) return false;
    for (int i = 0; i < list.Count(); ++i)
        if (!SameContact(*list.ContactAt(i), records[static_cast<std::size_t>(i)])) return false;
    return true;
}

std::string SavedPath(const std::string& path) {
    std::string saved = path;
    std::size_t dot = saved.rfind('.');
    std::size_t slash = saved.rfind('/');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) saved.resize(dot);
    return saved + ".saved.csv";
}

// Never returns when the load succeeds: the process ends at once, without
// releasing the list.
int Load(const char* path) {
    long baseline = PeakRssKb();
    LoadedList loaded;
    Clock::time_point start = Clock::now();
    LoadResult result = LoadContactFile(loaded.list, path);
    Clock::time_point stop = Clock::now();
    if (result != LoadResult::Loaded) {
        std::fprintf(stderr, "%s: not loaded\n", path);
        return 1;
    }
    long peak = PeakRssKb();
    std::printf("%d %.6f %ld %ld\n", loaded.list.Count(), Seconds(start, stop), peak, baseline);
    std::fflush(stdout);
    _exit(0);
}

struct ChildLoad {
    int Records = -1;
    double Seconds = 0;
    long PeakKb = 0;
    long BaselineKb = 0;
};

// Runs `self load path` and reads what it prints.
bool LoadInNewProcess(const std::string& self, const char* path, ChildLoad& out) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return false;
    pid_t pid = fork();
    if (pid < 0) {
        close(pipeFds[0]);
        close(pipeFds[1]);
        return false;
    }
    if (pid == 0) {
        dup2(pipeFds[1], STDOUT_FILENO);
        close(pipeFds[0]);
        close(pipeFds[1]);
        execl(self.c_str(), self.c_str(), "load", path, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeFds[1]);
    std::FILE* child = fdopen(pipeFds[0], "r");
    int got =
        child ? std::fscanf(child, "%d %lf %ld %ld", &out.Records, &out.Seconds, &out.PeakKb, &out.BaselineKb) : 0;
    if (child)
        std::fclose(child);
    else
        close(pipeFds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    return got == 4 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

int Times(const std::string& self, const char* resultsPath, int fileCount, char** files) {
    std::FILE* results = std::fopen(resultsPath, "w");
    if (!results) {
        std::fprintf(stderr, "cannot write %s\n", resultsPath);
        return 1;
    }
    // Freed memory stays in the process for the next run, at every size.
    mallopt(M_MMAP_MAX, 0);
    mallopt(M_TRIM_THRESHOLD, -1);

    std::printf("%10s %8s %5s %9s %11s %9s %12s %12s %7s\n", "records", "file MB", "runs", "load ms", "first load",
                "save ms", "load us/rec", "load peak MB", "checks");
    int failures = 0;
    for (int f = 0; f < fileCount; ++f) {
        const char* path = files[f];
        std::string saved = SavedPath(path);
        int runs = RunsFor(FileSize(path));

        // First loads, each in a new process.
        ChildLoad firstLoad;
        bool loadsOk = true;
        for (int r = 0; r < runs && loadsOk; ++r) {
            ChildLoad run;
            loadsOk = LoadInNewProcess(self, path, run) && (firstLoad.Records < 0 || run.Records == firstLoad.Records);
            if (loadsOk && (firstLoad.Records < 0 || run.Seconds < firstLoad.Seconds)) firstLoad = run;
        }
        if (!loadsOk) {
            std::fprintf(stderr, "%s: a load in a new process failed or differs\n", path);
            ++failures;
            continue;
        }

        // Repeated loads here; the list goes before the next one.
        double bestLoad = 1e30;
        for (int r = 0; r < runs && loadsOk; ++r) {
            LoadedList timed;
            Clock::time_point start = Clock::now();
            LoadResult result = LoadContactFile(timed.list, path);
            Clock::time_point stop = Clock::now();
            loadsOk = result == LoadResult::Loaded && timed.list.Count() == firstLoad.Records;
            bestLoad = std::min(bestLoad, Seconds(start, stop));
        }
        LoadedList first;
        if (!loadsOk || LoadContactFile(first.list, path) != LoadResult::Loaded) {
            std::fprintf(stderr, "%s: a load here failed or differs\n", path);
            ++failures;
            continue;
        }

        // Saves of the loaded list, each to a new file.
        double bestSave = 1e30;
        for (int r = 0; r < runs; ++r) {
            unlink(saved.c_str());
            Clock::time_point start = Clock::now();
            WriteResult result = WriteDataFile(first.list, saved.c_str());
            Clock::time_point stop = Clock::now();
            if (result != WriteResult::Written) {
                std::fprintf(stderr, "%s: save %d failed\n", saved.c_str(), r);
                ++failures;
            }
            bestSave = std::min(bestSave, Seconds(start, stop));
        }

        // The load must be right, and the saved file must give back the same
        // records in the same order.
        bool right = LoadedAsExpected(first.list, path);
        if (!right) std::fprintf(stderr, "%s: the load is not the file's records by name\n", path);
        bool same;
        {
            LoadedList again;
            same =
                LoadContactFile(again.list, saved.c_str()) == LoadResult::Loaded && SameRecords(first.list, again.list);
        }
        if (!same) std::fprintf(stderr, "%s: the saved file does not load the same\n", saved.c_str());
        if (!right || !same) ++failures;
        unlink(saved.c_str());

        std::printf("%10d %8.1f %5d %9.2f %11.2f %9.2f %12.3f %12.1f %7s\n", firstLoad.Records,
                    static_cast<double>(FileSize(path)) / 1e6, runs, bestLoad * 1e3, firstLoad.Seconds * 1e3,
                    bestSave * 1e3, bestLoad * 1e6 / (firstLoad.Records ? firstLoad.Records : 1),
                    firstLoad.PeakKb / 1024.0, right && same ? "ok" : "FAILED");
        std::fflush(stdout);
        std::fprintf(results, "%d %.6f %.6f %.6f %ld %ld\n", firstLoad.Records, bestLoad, firstLoad.Seconds, bestSave,
                     firstLoad.PeakKb, firstLoad.BaselineKb);
    }
    std::fclose(results);
    return failures ? 1 : 0;
}

std::string SelfPath(const char* argv0) {
    char buffer[4096];
    ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return argv0;
    buffer[n] = '\0';
    return buffer;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "load") == 0) return Load(argv[2]);
    if (argc >= 4 && std::strcmp(argv[1], "times") == 0) return Times(SelfPath(argv[0]), argv[2], argc - 3, argv + 3);
    std::fprintf(stderr,
                 "usage: %s load FILE\n"
                 "       %s times RESULTS FILE...\n",
                 argv[0], argv[0]);
    return 2;
}
