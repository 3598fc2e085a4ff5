// Times the restore of a files run against the run itself, on the tree of
// walk_bench, and compares their peak memory. Each step runs in a process of
// its own (this program again, with --step), so that each peak is its own;
// the steps print "seconds peak-bytes start-peak-bytes items" for the first.
// Not part of the test command.
//
//   restore_bench [--entries N] [--folders N] [--depth N] [--root DIR]
//
// Defaults: 100000 entries in 10000 folders, depth <= 8 (walk_bench's tree);
// the run moves its *.obj files with one flushed log record per move, the
// restore reads that log back and moves them home with one record each.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/engine/batch_restore.h"
#include "app/engine/cleanup_run.h"
#include "app/engine/trash_folder.h"
#include "app/engine/trash_listing.h"
#include "bench/bench_tree.h"
#include "log/log_file.h"
#include "platform/encoding.h"
#include "platform/sys/process.h"
#include "testing/test_files.h"
#include "testing/test_process.h"

namespace {

using Clock = std::chrono::steady_clock;

double MiB(double bytes) { return bytes / (1024.0 * 1024.0); }

struct COptions : CTreeOptions {
  CString strStep;  // a step of a child process; empty in the parent
  CString strWork;  // the child's work folder
};

// A quiet run of the files kind, confirmed at once.
class CQuietRunView : public CCleanupView {
 public:
  explicit CQuietRunView(const CString& source) : m_strSource(source) {}
  bool PrepareRun(CleanupKind, CString& source, CString& list) override {
    source = m_strSource;
    list = L"obj";
    return true;
  }
  void AddLine(const CString&) override {}
  void ErrorBox(const CString& text) override { std::fprintf(stderr, "error: %s\n", NarrowToAnsi(text).c_str()); }
  CString m_strSource;
};

class CQuietJobView : public CBatchJobView {
 public:
  bool Confirm(const CString&) override { return true; }
  void AddLine(const CString&) override {}
  void ErrorBox(const CString& text) override { std::fprintf(stderr, "error: %s\n", NarrowToAnsi(text).c_str()); }
};

// One step in this process: prints its time, peaks and items; 0 when it went
// through without an error.
int RunStep(const COptions& o) {
  const uint64_t startPeak = GetProcessPeakMemory();
  const CString src = o.strWork + PlatformPathSeparator() + L"src";
  const CString log = o.strWork + PlatformPathSeparator() + L"Velmora.log";
  g_strTrash = o.strWork + PlatformPathSeparator() + L"Trush";
  long items = 0;
  bool ok = true;
  const Clock::time_point t0 = Clock::now();
  if (o.strStep == L"build") {
    ok = BuildBenchTree(src, o, items);
  } else if (o.strStep == L"run") {
    CreateFolder(g_strTrash);
    ok = CLogFile().Open(log);
    CQuietRunView view(src);
    const CCleanupOutcome outcome = RunCleanup(CleanupKind::kFiles, view);
    items = outcome.nMoved;
    ok = ok && outcome.nErrors == 0 && outcome.nMoved == outcome.nCounted;
  } else {
    CBatchFolder batch;
    CRestorePlan plan;
    CString error;
    ok = FindLastBatch(g_strTrash, batch) && PlanRestore(batch.strPath, src, log, plan, error) && CLogFile().Open(log);
    CQuietJobView view;
    const CBatchJobOutcome outcome = RunRestore(plan, src, view);
    items = outcome.nDone;
    ok = ok && outcome.nErrors == 0 && outcome.nLeft == 0 && !ExistsForTesting(batch.strPath);
  }
  const double seconds = std::chrono::duration<double>(Clock::now() - t0).count();
  CLogFile().Close();
  std::printf("%.3f %llu %llu %ld\n", seconds, static_cast<unsigned long long>(GetProcessPeakMemory()),
              static_cast<unsigned long long>(startPeak), items);
  return ok ? 0 : 1;
}

struct CStepResult {
  double dSeconds = 0, dPeak = 0, dStartPeak = 0;
  long nItems = 0;
};

// Runs a step in a child process of this program.
bool RunChild(const COptions& o, const CString& work, const CString& step, CStepResult& result) {
  const std::vector<CString> arguments{L"--step", step, L"--work", work, L"--entries", std::to_wstring(o.nEntries),
                                       L"--folders", std::to_wstring(o.nFolders), L"--depth",
                                       std::to_wstring(o.nDepth)};
  const CString out = work + PlatformPathSeparator() + L"step.out";
  CTestProcess child;
  if (!child.Start(GetProcessExecutablePath(), arguments, CString(), out, work + PlatformPathSeparator() + L"step.err") ||
      child.Wait() != 0)
    return false;
  std::string text;
  unsigned long long peak = 0, startPeak = 0;
  if (!ReadFileForTesting(out, text) ||
      std::sscanf(text.c_str(), "%lf %llu %llu %ld", &result.dSeconds, &peak, &startPeak, &result.nItems) != 4)
    return false;
  result.dPeak = static_cast<double>(peak);
  result.dStartPeak = static_cast<double>(startPeak);
  return true;
}

bool Parse(int argc, char** argv, COptions& o) {
  return ParseBenchOptions(argc, argv, o, [&o](const std::string& key, const char* value) {
    CString* own = key == "--step" ? &o.strStep : key == "--work" ? &o.strWork : nullptr;
    if (own != nullptr) *own = WidenFromAnsiWithPathBytes(value);
    return own != nullptr;
  });
}

}  // namespace

int main(int argc, char** argv) {
  COptions o;
  if (!Parse(argc, argv, o)) {
    std::fprintf(stderr, "usage: restore_bench [--entries N] [--folders N] [--depth N] [--root DIR]\n");
    return 2;
  }
  if (!o.strStep.empty()) return RunStep(o);
  CScopedTempFolder work(o.strRoot);
  if (!work.IsValid()) return 1;
  CStepResult built, run, restore;
  if (!RunChild(o, work.Path(), L"build", built) || !RunChild(o, work.Path(), L"run", run) ||
      !RunChild(o, work.Path(), L"restore", restore)) {
    std::fprintf(stderr, "a step failed under %s\n", NarrowToAnsi(work.Path()).c_str());
    return 1;
  }
  std::printf("tree: %ld entries in %ld folders (depth <= %d), %ld *.obj files, built in %.2f s\n", o.nEntries,
              o.nFolders, o.nDepth, built.nItems, built.dSeconds);
  const auto report = [](const char* what, const CStepResult& r) {
    std::printf("%-8s %6ld items  %7.3f s (%5.0f items/s)  peak %5.1f MiB (%.1f MiB at its start)\n", what, r.nItems,
                r.dSeconds, r.nItems / (r.dSeconds > 0 ? r.dSeconds : 1e-9), MiB(r.dPeak), MiB(r.dStartPeak));
  };
  report("run:", run);
  report("restore:", restore);
  std::printf("restore / run: time %.2f, peak memory %.2f (growth over the start: %.1f MiB against %.1f MiB)\n",
              restore.dSeconds / run.dSeconds, restore.dPeak / run.dPeak, MiB(restore.dPeak - restore.dStartPeak),
              MiB(run.dPeak - run.dStartPeak));
  return run.nItems == restore.nItems ? 0 : 1;
}
