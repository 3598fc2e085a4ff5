// A small program that carries the whole toolkit in its export table and
// prints the description of the running system. The export-table test reads
// this executable.
#include <cstdio>

#include "platform/encoding.h"
#include "toolkit.h"

int main() {
  COSVersion os;
  std::printf("%s\n", NarrowToAnsi(os.GetVersionString()).c_str());
  return 0;
}
