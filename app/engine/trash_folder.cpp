#include "app/engine/trash_folder.h"

#include <chrono>
#include <thread>

#include "app/engine/run_types.h"
#include "platform/sys/clock.h"
#include "platform/fs/folder_handle.h"
#include "platform/sys/process.h"
#include "platform/fs/volume.h"
#include "text/format.h"

CString g_strTrash = GetDefaultDrive() + PlatformPathSeparator() + L"Trush";
CString g_strBatch;

namespace {

// The batch folder of the most recent run, held open for its moves.
CFolderHandle g_batchFolder;

const int kMaxLevels = 4096;

// How many taken names a run passes over before it gives up.
const int kMaxBatchAttempts = 60;

// t one second later, as a calendar counts.
CLocalTime NextSecond(CLocalTime t);

// Waits until the clock shows a second after t (at most a little over one
// second, as a pinned clock never moves) and returns the later of that
// second and the clock's time.
CLocalTime WaitForSecondAfter(const CLocalTime& t) {
  const CLocalTime next = NextSecond(t);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(1100);
  CLocalTime now;
  while (GetLocalTimeNow(now) && SecondsBetween(next, now) < 0 && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  return GetLocalTimeNow(now) && SecondsBetween(next, now) > 0 ? now : next;
}

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeapYear(y) ? 29 : kDays[m - 1];
}

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar.
int64_t DaysFromCivil(int64_t y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

int64_t CalendarSeconds(const CLocalTime& t) {
  return DaysFromCivil(t.nYear, t.nMonth, t.nDay) * 86400 + t.nHour * 3600 + t.nMinute * 60 + t.nSecond;
}

CLocalTime NextSecond(CLocalTime t) {
  if (++t.nSecond < 60) return t;
  t.nSecond = 0;
  if (++t.nMinute < 60) return t;
  t.nMinute = 0;
  if (++t.nHour < 24) return t;
  t.nHour = 0;
  if (t.nMonth < 1 || t.nMonth > 12 || ++t.nDay <= DaysInMonth(t.nYear, t.nMonth)) return t;
  t.nDay = 1;
  if (++t.nMonth <= 12) return t;
  t.nMonth = 1;
  ++t.nYear;
  return t;
}

}  // namespace

void CreateFolder(const CString& path, CDiskInterface& disk) {
  CFolderHandle folder;
  if (!disk.OpenPrivateFolder(nullptr, path, true, folder)) throw new CActException(L"Cannot create folder " + path);
}

void MakeTrashFolder(const CString& source, CDiskInterface& disk) {
  g_strTrash = TrashFolderOf(source);
  CreateFolder(g_strTrash, disk);
}

CString GetTrashFolder() { return g_strTrash; }

bool TryMakeTrashFolder(const CString& source, CString& error, CDiskInterface& disk) {
  try {
    MakeTrashFolder(source, disk);
    return true;
  } catch (CActException* e) {
    error = e->m_strError;
    delete e;
    return false;
  }
}

CString TrashFolderOf(const CString& source) {
  return GetSourceDrive(source) + PlatformPathSeparator() + L"Trush";
}

CString FormatBatchFolderName(const CLocalTime& t) {
  return Format(L"%04d_%02d_%02d_%02d_%02d_%02d", t.nYear, t.nMonth, t.nDay, t.nHour, t.nMinute, t.nSecond);
}

bool ParseBatchFolderName(const CString& name, CLocalTime& t) {
  // "yyyy_mm_dd_hh_mm_ss": digits, with '_' at 4, 7, 10, 13 and 16.
  if (name.size() != 19) return false;
  int fields[6] = {0};
  for (size_t i = 0, field = 0; i < name.size(); ++i) {
    if (i == 4 || i == 7 || i == 10 || i == 13 || i == 16) {
      if (name[i] != L'_') return false;
      ++field;
    } else if (name[i] >= L'0' && name[i] <= L'9') {
      fields[field] = fields[field] * 10 + (name[i] - L'0');
    } else {
      return false;
    }
  }
  t = CLocalTime{fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]};
  return t.nMonth >= 1 && t.nMonth <= 12 && t.nDay >= 1 && t.nDay <= DaysInMonth(t.nYear, t.nMonth) &&
         t.nHour <= 23 && t.nMinute <= 59 && t.nSecond <= 60;
}

int64_t SecondsBetween(const CLocalTime& from, const CLocalTime& to) {
  return CalendarSeconds(to) - CalendarSeconds(from);
}

void MakeBatchFolder(CDiskInterface& disk) {
  CLocalTime t;
  if (!GetLocalTimeNow(t)) t = CLocalTime();
  g_strBatch = g_strTrash + PlatformPathSeparator() + FormatBatchFolderName(t);
  CFolderHandle trash;
  if (!disk.OpenPrivateFolder(nullptr, g_strTrash, false, trash))
    throw new CActException(L"Cannot create folder " + g_strBatch);
  for (int attempt = 0;; ++attempt) {
    const CString name = FormatBatchFolderName(t);
    g_strBatch = g_strTrash + PlatformPathSeparator() + name;
    const CFolderResult made = disk.MakePrivateFolder(trash, name, g_batchFolder);
    if (made == CFolderResult::kDone && disk.LockFolder(g_batchFolder, false) == CFolderResult::kDone) return;
    g_batchFolder.Close();
    if (made != CFolderResult::kTaken || attempt == kMaxBatchAttempts)
      throw new CActException(L"Cannot create folder " + g_strBatch);
    t = WaitForSecondAfter(t);
  }
}

CString GetBatchFolder() { return g_strBatch; }

const CFolderHandle& GetBatchFolderHandle() { return g_batchFolder; }

void CloseBatchFolder() { g_batchFolder.Close(); }

bool IsInsideFolder(const CString& path, const CString& folder, CDiskInterface& disk) {
  // "/." follows a final link; each "/.." then climbs the real tree, not the
  // text, so no spelling of the path escapes the comparison.
  const CString sep(1, PlatformPathSeparator());
  CFileIdentity target, here, previous;
  if (!disk.GetIdentity(folder + sep + L".", target)) return false;
  CString p = path + sep + L".";
  for (int level = 0; level < kMaxLevels && disk.GetIdentity(p, here); ++level) {
    if (here == target) return true;
    if (level > 0 && here == previous) return false;  // the root is its own parent
    previous = here;
    p += sep + L"..";
  }
  return false;
}

bool IsInsideTrashFolder(const CString& source, CDiskInterface& disk) {
  return IsInsideFolder(source, GetTrashFolder(), disk) || IsInsideFolder(source, TrashFolderOf(source), disk);
}
