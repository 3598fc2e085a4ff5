#include "bench/bench_tree.h"

#include <cstdlib>
#include <random>
#include <vector>

#include "platform/encoding.h"
#include "platform/fs/file_system.h"
#include "platform/sys/process.h"
#include "testing/test_files.h"

namespace {

// The tree's shape is kept as parent indices only, so that building it costs
// memory in proportion to the folders, not to the paths.
struct CFolderNode {
  int nParent;
  int nDepth;
  bool bDebug;
};

CString FolderPath(const CString& src, const std::vector<CFolderNode>& nodes, int index) {
  CString path;
  for (int i = index; i > 0; i = nodes[i].nParent)
    path = PlatformPathSeparator() + (nodes[i].bDebug ? L"Debug" : L"d" + std::to_wstring(i)) + path;
  return src + path;
}

}  // namespace

bool TakeTreeOption(const std::string& key, const char* value, CTreeOptions& o) {
  if (key == "--entries") o.nEntries = std::atol(value);
  else if (key == "--folders") o.nFolders = std::atol(value);
  else if (key == "--depth") o.nDepth = std::atoi(value);
  else if (key == "--root") o.strRoot = WidenFromAnsiWithPathBytes(value);
  else return false;
  return true;
}

bool IsValidTree(const CTreeOptions& o) { return o.nFolders >= 1 && o.nEntries > o.nFolders && o.nDepth >= 1; }

bool ParseBenchOptions(int argc, char** argv, CTreeOptions& o,
                       const std::function<bool(const std::string&, const char*)>& takeOwn) {
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string key = argv[i];
    if (!takeOwn(key, argv[i + 1]) && !TakeTreeOption(key, argv[i + 1], o)) return false;
  }
  return argc % 2 == 1 && IsValidTree(o);
}

bool BuildBenchTree(const CString& src, const CTreeOptions& o, long& objFiles) {
  std::mt19937 random(12345);
  std::vector<CFolderNode> nodes{{-1, 0, false}};  // node 0 is src itself
  if (!PlatformCreateDirectory(src)) return false;
  for (long i = 1; i < o.nFolders; ++i) {
    int parent = 0;
    do parent = static_cast<int>(random() % nodes.size());
    while (nodes[parent].nDepth >= o.nDepth);
    nodes.push_back({parent, nodes[parent].nDepth + 1, random() % 100 == 0});
    if (PlatformCreateDirectory(FolderPath(src, nodes, static_cast<int>(i)))) continue;
    nodes.back().bDebug = false;  // its parent has a Debug folder already
    if (!PlatformCreateDirectory(FolderPath(src, nodes, static_cast<int>(i)))) return false;
  }
  static const wchar_t* const kOther[] = {L".cpp", L".h", L".txt", L".rc"};
  objFiles = 0;
  for (long i = 0; i < o.nEntries - o.nFolders; ++i) {
    const bool obj = random() % 10 == 0;
    objFiles += obj;
    const int folder = static_cast<int>(random() % nodes.size());
    const CString path = FolderPath(src, nodes, folder) + PlatformPathSeparator() + L"f" + std::to_wstring(i) +
                         (obj ? L".obj" : kOther[random() % 4]);
    if (!WriteFileForTesting(path, "0123456789")) return false;
  }
  return true;
}

