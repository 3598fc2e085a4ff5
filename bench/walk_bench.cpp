// Builds a synthetic source tree and measures a cleanup run on it, side by
// side: the count pass against `find SRC -type f -name '*.obj' | wc -l`, the
// dry runs of files (obj) and folders (Debug) without and with --older-than
// (0 days: the tree, made just before, is old enough all through, so every
// Debug folder's tree is read whole; one run each), the work pass (one move
// and one flushed log record per item), and the peak memory of the process.
// Not part of the test command.
//
//   walk_bench [--entries N] [--folders N] [--depth N] [--root DIR] [--rounds N]
//
// Defaults: 100000 entries (folders included) in 10000 folders, depth <= 8,
// 10% of the files named *.obj, 1% of the folders named Debug; the tree is
// made under DIR (default: the current directory) and removed afterwards.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "app/engine/actions.h"
#include "app/engine/cleanup_run.h"
#include "app/engine/dry_run.h"
#include "app/engine/trash_folder.h"
#include "app/engine/walk.h"
#include "bench/bench_tree.h"
#include "log/log_file.h"
#include "platform/encoding.h"
#include "platform/fs/file_system.h"
#include "platform/sys/process.h"
#include "testing/test_files.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double>(to - from).count();
}

double MiB(uint64_t bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

struct COptions : CTreeOptions {
  int nRounds = 3;
};

long FindCount(const CString& src, const CString& out) {
  const std::string command =
      "find '" + NarrowToAnsi(src) + "' -type f -name '*.obj' | wc -l > '" + NarrowToAnsi(out) + "'";
  if (std::system(command.c_str()) != 0) return -1;
  std::ifstream in(NarrowToAnsi(out));
  long n = -1;
  in >> n;
  return n;
}

// A front end that keeps quiet and notes when each pass ends.
class CTimedView : public CCleanupView {
 public:
  CTimedView(const CString& source, const CString& list) : m_strSource(source), m_strList(list) {}
  bool PrepareRun(CleanupKind, CString& source, CString& list) override {
    source = m_strSource;
    list = m_strList;
    m_start = Clock::now();
    return true;
  }
  void SetProgressRange(int32_t) override { m_counted = Clock::now(); }
  void SetStatusText(const CString&) override {
    m_worked = Clock::now();
    // Nothing counted: no progress range was set, and the count pass ended here.
    if (m_counted < m_start) m_counted = m_worked;
  }
  void AddLine(const CString&) override {}
  void ErrorBox(const CString& text) override { std::fprintf(stderr, "error: %s\n", NarrowToAnsi(text).c_str()); }

  CString m_strSource, m_strList;
  Clock::time_point m_start, m_counted, m_worked;
};

void ReportRun(const char* what, const CTimedView& view, const CCleanupOutcome& outcome) {
  const double work = Seconds(view.m_counted, view.m_worked);
  std::printf("%-22s counted %6d  moved %6d  errors %d   count pass %.3f s   work pass %.3f s (%.0f moves/s)\n", what,
              outcome.nCounted, outcome.nMoved, outcome.nErrors, Seconds(view.m_start, view.m_counted), work,
              outcome.nMoved / (work > 0 ? work : 1e-9));
}

// One dry run without and one with --older-than 0, same session, warm cache.
void CompareDryRuns(const char* what, CleanupKind kind, const CString& src, const CString& list) {
  const Clock::time_point t0 = Clock::now();
  const CDryRunOutcome plain = DryRunCleanup(kind, src, CString(), list, nullptr);
  const Clock::time_point t1 = Clock::now();
  const CDryRunOutcome aged = DryRunCleanup(kind, src, CString(), list, nullptr, RealDisk(), CAgeRule(0));
  const Clock::time_point t2 = Clock::now();
  std::printf("dry run %-16s %.3f s (%d items, %llu bytes)   --older-than 0: %.3f s (%d items, %llu bytes)   ratio %.2f\n",
              what, Seconds(t0, t1), plain.nItems, static_cast<unsigned long long>(plain.nTotalSize), Seconds(t1, t2),
              aged.nItems, static_cast<unsigned long long>(aged.nTotalSize), Seconds(t1, t2) / Seconds(t0, t1));
}

bool Parse(int argc, char** argv, COptions& o) {
  return ParseBenchOptions(argc, argv, o, [&o](const std::string& key, const char* value) {
    if (key != "--rounds") return false;
    o.nRounds = std::max(1, std::atoi(value));
    return true;
  });
}

}  // namespace

int main(int argc, char** argv) {
  COptions o;
  if (!Parse(argc, argv, o)) {
    std::fprintf(stderr, "usage: walk_bench [--entries N] [--folders N] [--depth N] [--root DIR] [--rounds N]\n");
    return 2;
  }
  CScopedTempFolder work(o.strRoot);
  if (!work.IsValid()) return 1;
  const CString src = work / L"src";
  long objFiles = 0;
  const Clock::time_point built0 = Clock::now();
  if (!BuildBenchTree(src, o, objFiles)) {
    std::fprintf(stderr, "cannot build the tree under %s\n", NarrowToAnsi(work.Path()).c_str());
    return 1;
  }
  std::printf("tree: %ld entries in %ld folders (depth <= %d), %ld *.obj files, built in %.2f s\n", o.nEntries,
              o.nFolders, o.nDepth, objFiles, Seconds(built0, Clock::now()));
  const uint64_t peakBuilt = GetProcessPeakMemory();

  // Count pass against find, warm cache, best of the rounds.
  double bestWalk = 1e9, bestFind = 1e9;
  int32_t counted = 0;
  long found = 0;
  for (int round = 0; round < o.nRounds; ++round) {
    CExtCount count(L"obj", nullptr);
    const Clock::time_point t0 = Clock::now();
    WalkFolder(src, count);
    const Clock::time_point t1 = Clock::now();
    found = FindCount(src, work / L"find.out");
    const Clock::time_point t2 = Clock::now();
    counted = count.m_nCount;
    bestWalk = std::min(bestWalk, Seconds(t0, t1));
    bestFind = std::min(bestFind, Seconds(t1, t2));
  }
  std::printf("count pass: %.3f s (%d found)   find | wc -l: %.3f s (%ld found)   ratio %.2f\n", bestWalk, counted,
              bestFind, found, bestWalk / bestFind);
  const uint64_t peakCounted = GetProcessPeakMemory();

  CompareDryRuns("files (obj):", CleanupKind::kFiles, src, L"obj");
  CompareDryRuns("folders (Debug):", CleanupKind::kFolders, src, L"Debug");

  // Work passes: the log flushes one record per move to the disk.
  g_strTrash = work / L"Trush";
  CreateFolder(g_strTrash);
  CLogFile log;
  if (!log.Open(work / L"Velmora.log")) return 1;
  CTimedView files(src, L"obj");
  const CCleanupOutcome filesRun = RunCleanup(CleanupKind::kFiles, files);
  ReportRun("files run (obj):", files, filesRun);
  CTimedView folders(src, L"Debug");
  const CCleanupOutcome foldersRun = RunCleanup(CleanupKind::kFolders, folders);
  ReportRun("folders run (Debug):", folders, foldersRun);
  log.Close();
  const uint64_t peakWorked = GetProcessPeakMemory();

  std::printf("peak memory: %.1f MiB after building, %.1f MiB after counting, %.1f MiB after both runs\n",
              MiB(peakBuilt), MiB(peakCounted), MiB(peakWorked));
  return counted == found && filesRun.nErrors == 0 ? 0 : 1;
}
