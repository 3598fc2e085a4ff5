#include "platform/fs/win32_long_path.h"

#include <vector>

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// The end of the name that starts at start.
size_t NameEnd(const CString& path, size_t start) {
  while (start < path.size() && !IsSeparator(path[start])) ++start;
  return start;
}

// root followed by the names of rest, each after one "\"; empty, "." and
// ".." parts are resolved, and ".." stops at root.
CString Joined(const CString& root, const CString& rest) {
  std::vector<CString> names;
  for (size_t start = 0; start <= rest.size();) {
    const size_t end = NameEnd(rest, start);
    const CString name = rest.substr(start, end - start);
    if (name == L"..") {
      if (!names.empty()) names.pop_back();
    } else if (!name.empty() && name != L".") {
      names.push_back(name);
    }
    start = end + 1;
  }
  CString joined = root;
  for (const CString& name : names) joined += L"\\" + name;
  return joined;
}

// "\\server\share\rest" as "\\?\UNC\server\share" and the names of rest, or
// the path as it is when it names no share.
CString LongNetworkPath(const CString& path) {
  const size_t serverEnd = NameEnd(path, 2);
  if (serverEnd == 2 || serverEnd >= path.size()) return path;
  const size_t shareEnd = NameEnd(path, serverEnd + 1);
  if (shareEnd == serverEnd + 1) return path;
  const CString root = L"\\\\?\\UNC\\" + path.substr(2, serverEnd - 2) + L"\\" +
                       path.substr(serverEnd + 1, shareEnd - serverEnd - 1);
  return Joined(root, shareEnd < path.size() ? path.substr(shareEnd + 1) : CString());
}

}  // namespace

bool IsDriveLetterPath(const CString& path) {
  if (path.size() < 3 || path[1] != L':' || !IsSeparator(path[2])) return false;
  return (path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z');
}

CString LongPathOf(const CString& path) {
  if (IsDriveLetterPath(path)) {
    // "\\?\C:" without its "\" would name the volume, not its root folder.
    const CString joined = Joined(L"\\\\?\\" + path.substr(0, 2), path.substr(3));
    return joined.size() == 6 ? joined + L"\\" : joined;
  }
  if (path.size() < 3 || !IsSeparator(path[0]) || !IsSeparator(path[1])) return path;
  // "\\?\" and "\\.\" are there already.
  if ((path[2] == L'?' || path[2] == L'.') && (path.size() == 3 || IsSeparator(path[3]))) return path;
  return LongNetworkPath(path);
}
