// The synthetic source tree the benchmarks run on.
#pragma once

#include <functional>
#include <string>

#include "platform/cstring.h"

// The tree's shape and where it is made, as the benchmarks take them.
struct CTreeOptions {
  long nEntries = 100000;
  long nFolders = 10000;
  int nDepth = 8;
  CString strRoot;  // empty: the current directory
};

// Takes "--entries", "--folders", "--depth" or "--root" with its value;
// false for any other key.
bool TakeTreeOption(const std::string& key, const char* value, CTreeOptions& o);
// True when the numbers make a tree.
bool IsValidTree(const CTreeOptions& o);
// Reads the "--key value" pairs of a command line: a benchmark's own keys go
// to takeOwn (true when it took one), the rest to TakeTreeOption. False for
// an unknown key, a key without a value, or numbers that make no tree.
bool ParseBenchOptions(int argc, char** argv, CTreeOptions& o,
                       const std::function<bool(const std::string&, const char*)>& takeOwn);

// Makes src with o.nFolders folders (src included, depth <= o.nDepth, 1% of
// them named Debug) and o.nEntries - o.nFolders files of ten bytes spread
// over them, 10% of them *.obj (their number goes to objFiles); the same tree
// for the same numbers. False when something cannot be made.
bool BuildBenchTree(const CString& src, const CTreeOptions& o, long& objFiles);
