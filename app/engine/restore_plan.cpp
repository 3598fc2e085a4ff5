// PlanRestore: which records of the log a restore may act on.
#include <algorithm>
#include <deque>
#include <string_view>
#include <unordered_map>

#include "app/engine/batch_restore.h"
#include "app/engine/lost_characters.h"
#include "app/engine/shown_path.h"
#include "platform/encoding.h"
#include "platform/fs/file_find.h"
#include "platform/sys/process.h"

namespace {

// The items a batch's records leave in it, in the order of their records: a
// move in records the item under its name (a later move under the same name
// replaces it), a move out forgets it. Each name and path is held once.
class CRecordedItems {
 public:
  void Add(const CBatchRecord& record) {
    const auto old = m_byName.find(record.strName);
    if (old != m_byName.end()) {
      const size_t forgotten = old->second;
      m_byName.erase(old);  // before its key's text goes
      m_items[forgotten].strName.clear();
    }
    if (!record.bInto) return;
    m_items.push_back(CBatchItem{record.strName, record.strFrom});
    m_byName.emplace(m_items.back().strName, m_items.size() - 1);
  }

  // Hands over the live items, in the order of their records.
  std::vector<CBatchItem> Take() {
    m_byName.clear();  // its keys are views of the names handed over
    std::vector<CBatchItem> items;
    for (CBatchItem& item : m_items)
      if (!item.strName.empty()) items.push_back(std::move(item));
    m_items.clear();
    return items;
  }

 private:
  std::deque<CBatchItem> m_items;                          // forgotten ones have no name
  std::unordered_map<std::wstring_view, size_t> m_byName;  // live items, by their own names
};

// An entry of the batch folder.
struct CBatchEntry {
  CString strName;
  bool bFolder = false;
  bool bClaimed = false;  // a record names it
};

// The entries of batch, sorted by name.
std::vector<CBatchEntry> ListBatch(const CString& batch, CDiskInterface& disk) {
  std::vector<CBatchEntry> entries;
  CFileFind find;
  if (!disk.ListFolder(batch, find)) return entries;
  for (bool more = true; more;) {
    more = find.FindNextFile();
    if (!find.IsDots()) entries.push_back(CBatchEntry{find.GetFileName(), find.IsDirectory()});
  }
  std::sort(entries.begin(), entries.end(),
            [](const CBatchEntry& a, const CBatchEntry& b) { return a.strName < b.strName; });
  return entries;
}

// Decides, item by item, what the plan does with each record.
class CRestoreMatcher {
 public:
  CRestoreMatcher(const CString& source, CRestorePlan& plan) : m_strSource(source), m_plan(plan) {}

  // items in the order of their records; entries sorted by name.
  void Match(std::vector<CBatchItem> items, std::vector<CBatchEntry> entries) {
    std::reverse(items.begin(), items.end());  // the last moved goes back first
    m_entries = std::move(entries);
    m_state.assign(items.size(), kRefused);
    std::vector<size_t> lost;
    for (size_t i = 0; i < items.size(); ++i) {
      CBatchEntry* entry = Find(items[i].strName);
      if (entry != nullptr) {
        entry->bClaimed = true;
        if (Matches(items[i].strSource, items[i].strName, entry->bFolder)) m_state[i] = kInBatch;
      } else if (AnsiLosesCharacters() && items[i].strName.find(L'?') != CString::npos) {
        lost.push_back(i);
      } else if (MatchesEither(items[i])) {
        m_state[i] = kGone;
      }
    }
    ResolveLost(items, lost);
    Assemble(items);
  }

 private:
  enum State { kRefused, kAmbiguous, kInBatch, kGone };

  CBatchEntry* Find(const CString& name) {
    const auto at = std::lower_bound(m_entries.begin(), m_entries.end(), name,
                                     [](const CBatchEntry& e, const CString& n) { return e.strName < n; });
    return at != m_entries.end() && at->strName == name ? &*at : nullptr;
  }

  bool Matches(const CString& from, const CString& name, bool isFolder) {
    return RecordMatchesItem(m_strSource, from, name, isFolder, m_names);
  }
  // An item no longer in the batch: its kind is not known.
  bool MatchesEither(const CBatchItem& item) {
    return Matches(item.strSource, item.strName, false) || Matches(item.strSource, item.strName, true);
  }

  // The entries no record names that fit the '?' record at index i.
  std::vector<CBatchEntry*> Candidates(const CBatchItem& item) {
    std::vector<CBatchEntry*> fits;
    CStringArray lost;
    for (CBatchEntry& entry : m_entries)
      if (!entry.bClaimed && FitsLostCharacters(item.strName, entry.strName, lost)) fits.push_back(&entry);
    return fits;
  }

  // A '?' record takes the one entry that fits it and that no other record
  // names; one taken is no longer a candidate of the others, which may then
  // be left with one. Two records left with the same one entry, or one left
  // with several, take nothing. The source takes the characters the entry
  // has where the record has '?'.
  void ResolveLost(std::vector<CBatchItem>& items, const std::vector<size_t>& lost) {
    std::vector<std::vector<CBatchEntry*>> fits;
    for (const size_t i : lost) fits.push_back(Candidates(items[i]));
    std::vector<bool> decided(lost.size(), false);
    for (bool taken = true; taken;) {
      taken = false;
      std::unordered_map<CBatchEntry*, int> sole;
      for (const auto& f : fits)
        if (f.size() == 1) ++sole[f[0]];
      for (size_t k = 0; k < lost.size(); ++k) {
        if (fits[k].size() != 1 || sole[fits[k][0]] != 1 || fits[k][0]->bClaimed) continue;
        m_state[lost[k]] = Take(items[lost[k]], *fits[k][0]) ? kInBatch : kRefused;
        decided[k] = true;
        for (auto& f : fits) f.erase(std::remove(f.begin(), f.end(), fits[k][0]), f.end());
        fits[k].clear();
        taken = true;
      }
    }
    for (size_t k = 0; k < lost.size(); ++k) {
      if (decided[k]) continue;
      m_state[lost[k]] = !fits[k].empty() ? kAmbiguous : MatchesEither(items[lost[k]]) ? kGone : kRefused;
    }
  }

  // The '?' record item takes entry, when its source filled with the
  // entry's characters is the source of that entry; false when it is not.
  bool Take(CBatchItem& item, CBatchEntry& entry) {
    entry.bClaimed = true;
    CStringArray chars;
    CString source;
    if (!FitsLostCharacters(item.strName, entry.strName, chars) || !FillLostCharacters(item.strSource, chars, source) ||
        !Matches(source, entry.strName, entry.bFolder))
      return false;
    item = CBatchItem{entry.strName, source};
    return true;
  }

  void Note(const CString& why, const CBatchItem& item) {
    const CString to = m_plan.strBatch + PlatformPathSeparator() + item.strName;
    m_plan.notes.push_back(L"== Not restored, " + why + L": " + ShownPath(item.strSource) + L" ==> " + ShownPath(to));
    ++m_plan.nRefused;
  }

  void Assemble(std::vector<CBatchItem>& items) {
    for (size_t i = 0; i < items.size(); ++i) {
      if (m_state[i] == kRefused) Note(L"the record does not match its item", items[i]);
      if (m_state[i] == kAmbiguous) Note(L"several items fit the record", items[i]);
      if (m_state[i] != kInBatch && m_state[i] != kGone) continue;
      m_plan.inBatch.push_back(m_state[i] == kInBatch);
      m_plan.items.push_back(std::move(items[i]));
    }
    for (const CBatchEntry& entry : m_entries)
      if (!entry.bClaimed) m_plan.unrecorded.push_back(entry.strName);
  }

  const CString m_strSource;
  CRestorePlan& m_plan;
  CFlatNames m_names;
  std::vector<CBatchEntry> m_entries;
  std::vector<State> m_state;  // per item, in the order they go back
};

}  // namespace

bool PlanRestore(const CString& batch, const CString& source, const CString& logPath, CRestorePlan& plan,
                 CString& error, CDiskInterface& disk) {
  plan = CRestorePlan();
  plan.strBatch = batch;
  CRecordedItems recorded;
  CBatchRecordScan scan({batch}, disk);
  if (!scan.ReadLog(logPath, [&recorded](const CBatchRecord& record) { recorded.Add(record); }, error)) return false;
  CRestoreMatcher(source, plan).Match(recorded.Take(), ListBatch(batch, disk));
  const CString skipped = FormatSkippedLines(scan.GetSkippedLines());
  if (!skipped.empty()) plan.notes.push_back(skipped);
  return true;
}
