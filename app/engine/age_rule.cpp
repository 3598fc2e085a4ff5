#include "app/engine/age_rule.h"

#include <memory>
#include <vector>

#include "platform/sys/clock.h"
#include "platform/fs/file_find.h"
#include "text/format.h"

namespace {

constexpr uint64_t kDay = 86400 * CFileTime::kSecond;

// One level of a folder's tree being read.
struct CScanLevel {
  CFileFind find;
  bool bMore = true;
};

int32_t CountNamed(const CFileFind& entry, const CStringArray& names) {
  const CString name = entry.GetFileName();
  int32_t count = 0;
  for (const CString& token : names)
    if (CompareNoCase(name, token) == 0) ++count;
  return count;
}

}  // namespace

CAgeRule::CAgeRule(int days) : m_nDays(days < 0 ? kAnyAge : days) {
  if (!IsActive()) return;
  if (m_nDays > kMaxAgeDays) return;  // older than the clock: nothing is
  const uint64_t now = GetFileTimeNow().GetTime();
  const uint64_t age = static_cast<uint64_t>(m_nDays) * kDay;
  m_limit = now > age ? now - age : 0;
}

bool CAgeRule::IsOld(const CFileTime& lastWrite) const {
  if (!IsActive()) return true;
  return lastWrite.GetTime() != 0 && lastWrite < m_limit;
}

bool CAgeRule::IsOldEntry(const CFileFind& entry) const {
  if (!IsActive()) return true;
  CFileTimeHalves time;
  return entry.GetLastWriteTime(time) && IsOld(CFileTime(time));
}

CFolderScan ScanFolder(const CFileFind& folder, CDiskInterface& disk, const CAgeRule& rule,
                       const CStringArray* names) {
  CFolderScan scan;
  std::vector<std::unique_ptr<CScanLevel>> levels;
  levels.push_back(std::make_unique<CScanLevel>());
  if (!disk.ListSubfolder(folder, levels.back()->find)) {
    scan.bOld = !rule.IsActive();
    return scan;
  }
  while (!levels.empty()) {
    CScanLevel& level = *levels.back();
    if (!level.bMore) {
      levels.pop_back();
      continue;
    }
    CFileFind& find = level.find;
    level.bMore = find.FindNextFile();
    if (find.IsDots()) continue;
    if (!rule.IsOldEntry(find)) {
      scan.bOld = false;
      return scan;
    }
    if (!find.IsDirectory() || find.IsReparsePoint()) {
      scan.nSize += find.GetLength();
      continue;
    }
    if (names != nullptr) scan.nNamed += CountNamed(find, *names);
    auto sub = std::make_unique<CScanLevel>();
    if (disk.ListSubfolder(find, sub->find)) {
      levels.push_back(std::move(sub));
    } else if (rule.IsActive()) {
      scan.bOld = false;
      return scan;
    }
  }
  return scan;
}

bool IsOldFolder(const CFileFind& folder, CDiskInterface& disk, const CAgeRule& rule) {
  return !rule.IsActive() || ScanFolder(folder, disk, rule).bOld;
}

bool IsOldItem(const CFileFind& entry, CDiskInterface& disk, const CAgeRule& rule) {
  if (!rule.IsActive()) return true;
  if (entry.IsDirectory() && !entry.IsReparsePoint()) return IsOldFolder(entry, disk, rule);
  return rule.IsOldEntry(entry);
}

CString FormatAgeLimit(int days) {
  if (days < 0) return CString();
  return Format(days == 1 ? L" older than %d day" : L" older than %d days", static_cast<int32_t>(days));
}
