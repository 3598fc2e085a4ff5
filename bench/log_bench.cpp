// How many records per second the log sustains: each record is composed,
// narrowed, written and flushed to the disk, as in a real run.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "log/log_file.h"
#include "platform/encoding.h"
#include "platform/sys/process.h"

static void BM_LogRecordFlushedToDisk(benchmark::State& state) {
  const CString path = GetProcessCurrentDirectory(4096) + PlatformPathSeparator() + L"log_bench.log";
  std::remove(NarrowToAnsi(path).c_str());
  CLogFile log;
  if (!log.Open(path)) {
    state.SkipWithError("cannot open the log file");
    return;
  }
  const CString item = L" OK  From /home/user/src/project/Debug/a.obj ==> /home/user/Trush/x";
  for (auto _ : state) log.Log(item);
  state.SetItemsProcessed(state.iterations());
  log.Close();
  std::remove(NarrowToAnsi(path).c_str());
}
BENCHMARK(BM_LogRecordFlushedToDisk)->Unit(benchmark::kMicrosecond)->UseRealTime();

BENCHMARK_MAIN();
