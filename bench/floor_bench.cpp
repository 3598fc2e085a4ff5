// Times the work pass of a files run against the floor it cannot go below:
// a bare program that makes the same moves, each a descriptor-relative
// renameat2 followed by one appended log record and its fdatasync. The two
// run in pairs (the run, then the floor), each on a fresh copy of the same
// tree and in a process of its own. Not part of the test command; Linux
// only (the floor calls the kernel directly, as nothing else in the program
// does).
//
//   floor_bench [--entries N] [--folders N] [--depth N] [--root DIR] [--pairs N]
//   floor_bench --step build|run|floor --work DIR [tree options]
//                                  one step: the tree made as DIR/src, or
//                                  one side run on it (bench/syscalls_per_item)
//
// Each step prints "work-seconds moved-items peak-bytes cpu-seconds" (build:
// the *.obj files made). The processor time (user and system) of the work
// is what the run itself spends: on a shared disk the flushes' waits vary
// several-fold between runs of one program, the processor time much less.
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/engine/cleanup_run.h"
#include "app/engine/trash_folder.h"
#include "bench/bench_tree.h"
#include "log/log_file.h"
#include "platform/encoding.h"
#include "platform/sys/process.h"
#include "testing/test_files.h"
#include "testing/test_process.h"

namespace {

using Clock = std::chrono::steady_clock;

struct COptions : CTreeOptions {
  int nPairs = 3;
  std::string strStep;  // a step of a child process; empty in the parent
  std::string strWork;  // the child's work folder
};

// A quiet files run (obj) that notes when its work pass starts and ends.
class CTimedView : public CCleanupView {
 public:
  explicit CTimedView(const CString& source) : m_strSource(source) {}
  bool PrepareRun(CleanupKind, CString& source, CString& list) override {
    source = m_strSource;
    list = L"obj";
    return true;
  }
  void SetProgressRange(int32_t) override {
    m_counted = Clock::now();
    m_dCpuCounted = GetProcessCpuSeconds();
  }
  void SetStatusText(const CString&) override {
    m_worked = Clock::now();
    m_dCpuWorked = GetProcessCpuSeconds();
  }
  void AddLine(const CString&) override {}
  void ErrorBox(const CString& text) override { std::fprintf(stderr, "error: %s\n", NarrowToAnsi(text).c_str()); }

  CString m_strSource;
  Clock::time_point m_counted, m_worked;
  double m_dCpuCounted = 0, m_dCpuWorked = 0;
};

struct CTimes {
  double dSeconds = -1;
  double dCpu = 0;
};

CTimes StepRun(const std::string& work, long& moved) {
  const CString root = WidenFromAnsiWithPathBytes(work);
  g_strTrash = root + L"/Trush";
  CreateFolder(g_strTrash);
  if (!CLogFile().Open(root + L"/Velmora.log")) return {};
  CTimedView view(root + L"/src");
  const CCleanupOutcome outcome = RunCleanup(CleanupKind::kFiles, view);
  CLogFile().Close();
  moved = outcome.nMoved;
  if (outcome.nErrors != 0 || outcome.nMoved != outcome.nCounted) return {};
  return {std::chrono::duration<double>(view.m_worked - view.m_counted).count(),
          view.m_dCpuWorked - view.m_dCpuCounted};
}

// The floor: the walk and the moves with nothing else, a record of the
// length the run writes.
struct CFloor {
  int nBatch;
  int nLog;
  long nMoved = 0;
  bool bFailed = false;

  void Walk(int folder, const std::string& path) {
    DIR* dir = ::fdopendir(::dup(folder));
    if (dir == nullptr) {
      bFailed = true;
      return;
    }
    std::vector<std::pair<std::string, unsigned char>> names;
    while (const dirent* e = ::readdir(dir))
      if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0) names.emplace_back(e->d_name, e->d_type);
    ::closedir(dir);
    for (const auto& [name, type] : names) {
      if (type == DT_DIR) {
        const int sub = ::openat(folder, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (sub < 0) bFailed = true;
        if (sub < 0) continue;
        Walk(sub, path + "/" + name);
        ::close(sub);
      } else if (type == DT_REG && name.size() > 4 && name.compare(name.size() - 4, 4, ".obj") == 0) {
        Move(folder, path + "/" + name, name);
      }
    }
  }

  void Move(int folder, const std::string& source, const std::string& name) {
    std::string flat = source;
    std::replace(flat.begin(), flat.end(), '/', '_');
    if (::renameat2(folder, name.c_str(), nBatch, flat.c_str(), RENAME_NOREPLACE) != 0) {
      bFailed = true;
      return;
    }
    const std::string record = "...        : '12/07/2026 16:15:00'   OK  From " + source + " ==> /Trush/batch/" + flat + "\r\n";
    if (::write(nLog, record.data(), record.size()) != static_cast<ssize_t>(record.size()) || ::fdatasync(nLog) != 0)
      bFailed = true;
    ++nMoved;
  }
};

CTimes StepFloor(const std::string& work, long& moved) {
  const std::string batch = work + "/Trush/floor";
  ::mkdir((work + "/Trush").c_str(), 0700);
  if (::mkdir(batch.c_str(), 0700) != 0) return {};
  CFloor floor{::open(batch.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC),
               ::open((work + "/floor.log").c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600)};
  const int src = ::open((work + "/src").c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (floor.nBatch < 0 || floor.nLog < 0 || src < 0) return {};
  const Clock::time_point t0 = Clock::now();
  const double cpu0 = GetProcessCpuSeconds();
  floor.Walk(src, work + "/src");
  const CTimes times{std::chrono::duration<double>(Clock::now() - t0).count(), GetProcessCpuSeconds() - cpu0};
  moved = floor.nMoved;
  return floor.bFailed ? CTimes{} : times;
}

CTimes StepBuild(const COptions& o, long& objFiles) {
  const Clock::time_point t0 = Clock::now();
  if (!BuildBenchTree(WidenFromAnsiWithPathBytes(o.strWork + "/src"), o, objFiles)) return {};
  return {std::chrono::duration<double>(Clock::now() - t0).count(), GetProcessCpuSeconds()};
}

int RunStep(const COptions& o) {
  long moved = 0;
  const CTimes times = o.strStep == "build" ? StepBuild(o, moved)
                       : o.strStep == "run" ? StepRun(o.strWork, moved)
                                            : StepFloor(o.strWork, moved);
  std::printf("%.3f %ld %llu %.3f\n", times.dSeconds, moved, static_cast<unsigned long long>(GetProcessPeakMemory()),
              times.dCpu);
  return times.dSeconds < 0 ? 1 : 0;
}

struct CStep {
  double dSeconds = 0;
  double dCpu = 0;
  long nMoved = 0;

  void Add(const CStep& o) {
    dSeconds += o.dSeconds;
    dCpu += o.dCpu;
    nMoved += o.nMoved;
  }
};

// A fresh copy of the tree in work/side, and the step run on it. The copy is
// on the disk before the step starts: its writing back would otherwise land
// in the first flushes of whichever side comes next.
bool RunSide(const std::string& work, const std::string& side, CStep& step) {
  const std::string dir = work + "/" + side;
  const std::string copy = "rm -rf '" + dir + "' && mkdir '" + dir + "' && cp -a '" + work + "/tree' '" + dir + "/src' && sync";
  if (std::system(copy.c_str()) != 0) return false;
  const CString out = WidenFromAnsiWithPathBytes(dir + "/step.out");
  CTestProcess child;
  if (!child.Start(GetProcessExecutablePath(), {L"--step", WidenFromAnsiWithPathBytes(side), L"--work",
                                               WidenFromAnsiWithPathBytes(dir)},
                   CString(), out, out + L".err") ||
      child.Wait() != 0)
    return false;
  std::string text;
  unsigned long long peak = 0;
  return ReadFileForTesting(out, text) &&
         std::sscanf(text.c_str(), "%lf %ld %llu %lf", &step.dSeconds, &step.nMoved, &peak, &step.dCpu) == 4;
}

void PrintPair(const char* label, const CStep& run, const CStep& floor) {
  std::printf("%s: %ld moves   work pass %.3f s (cpu %.3f s)   floor %.3f s (cpu %.3f s)   ratio %.3f (cpu %.3f)\n",
              label, run.nMoved, run.dSeconds, run.dCpu, floor.dSeconds, floor.dCpu, run.dSeconds / floor.dSeconds,
              run.dCpu / floor.dCpu);
}

bool Parse(int argc, char** argv, COptions& o) {
  return ParseBenchOptions(argc, argv, o, [&o](const std::string& key, const char* value) {
    if (key == "--pairs") o.nPairs = std::max(1, std::atoi(value));
    else if (key == "--step") o.strStep = value;
    else if (key == "--work") o.strWork = value;
    else return false;
    return true;
  });
}

}  // namespace

int main(int argc, char** argv) {
  COptions o;
  if (!Parse(argc, argv, o) || (!o.strStep.empty() && (o.strWork.empty() || (o.strStep != "build" && o.strStep != "run" && o.strStep != "floor")))) {
    std::fprintf(stderr,
                 "usage: floor_bench [--entries N] [--folders N] [--depth N] [--root DIR] [--pairs N]\n"
                 "       floor_bench --step build|run|floor --work DIR [tree options]\n");
    return 2;
  }
  if (!o.strStep.empty()) return RunStep(o);
  std::setvbuf(stdout, nullptr, _IOLBF, 0);  // each pair as it ends
  CScopedTempFolder work(o.strRoot);
  if (!work.IsValid()) return 1;
  const std::string dir = NarrowToAnsiWithPathBytes(work.Path());
  long objFiles = 0;
  if (!BuildBenchTree(work.Path() + L"/tree", o, objFiles)) return 1;
  std::printf("tree: %ld entries in %ld folders (depth <= %d), %ld *.obj files\n", o.nEntries, o.nFolders, o.nDepth,
              objFiles);
  bool ok = true;
  CStep runs, floors;  // the sums over the pairs
  for (int pair = 1; pair <= o.nPairs && ok; ++pair) {
    CStep run, floor;
    ok = RunSide(dir, "run", run) && RunSide(dir, "floor", floor) && run.nMoved == floor.nMoved;
    if (ok) PrintPair(("pair " + std::to_string(pair)).c_str(), run, floor);
    runs.Add(run);
    floors.Add(floor);
  }
  if (ok) PrintPair("sum", runs, floors);
  if (!ok) std::fprintf(stderr, "a step failed under %s\n", dir.c_str());
  return ok ? 0 : 1;
}
