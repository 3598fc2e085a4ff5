// PlanRestore: which records of the log a restore may act on.
#include <algorithm>
#include <cstdint>
#include <deque>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "app/engine/batch_restore.h"
#include "app/engine/lost_characters.h"
#include "app/engine/packed_text.h"
#include "app/engine/shown_path.h"
#include "platform/encoding.h"
#include "platform/fs/file_find.h"
#include "platform/sys/process.h"

namespace {

using CPackedItem = CPackedBatchItem;

constexpr uint32_t kNoRecord = UINT32_MAX;

// An entry of the batch folder.
struct CBatchEntry {
  std::string_view name;  // packed
  bool bFolder = false;
  bool bClaimed = false;          // a record names it
  uint32_t nRecord = kNoRecord;  // while the log is read: its live record
};

// A batch's entries. A deque grows without a copy of all it holds, so the
// listing of a big batch never needs room for two.
using CBatchEntries = std::deque<CBatchEntry>;

// The entry named name (packed) of entries sorted by name, or null.
CBatchEntry* FindEntry(CBatchEntries& entries, std::string_view name) {
  const auto at = std::lower_bound(entries.begin(), entries.end(), name,
                                   [](const CBatchEntry& e, std::string_view n) { return e.name < n; });
  return at != entries.end() && at->name == name ? &*at : nullptr;
}

// The items a batch's records leave in it, in the order of their records: a
// move in records the item under its name (a later move under the same name
// replaces it), a move out forgets it. A name the batch folder holds is
// the entry's own, tracked in the entry; only the few others (items gone
// from the folder) need a map. Each text is held once, packed, in store.
class CRecordedItems {
 public:
  CRecordedItems(CBatchEntries& entries, CPackedStore& store) : m_entries(entries), m_store(store) {}

  void Add(const CBatchRecord& record) {
    const auto [live, name] = Slot(PackText(record.strName));
    if (*live != kNoRecord) m_items[*live].name = std::string_view();
    *live = record.bInto ? static_cast<uint32_t>(m_items.size()) : kNoRecord;
    if (record.bInto) m_items.push_back(CPackedItem{name, m_store.Pack(record.strFrom)});
  }

  // The live items, in the order of their records; the queue itself, so
  // that no copy of it is ever made.
  std::deque<CPackedItem> Take() {
    m_unlisted.clear();
    m_items.erase(std::remove_if(m_items.begin(), m_items.end(), [](const CPackedItem& i) { return i.name.empty(); }),
                  m_items.end());
    return std::move(m_items);
  }

 private:
  // Where the live record of name is kept, and the name as kept.
  std::pair<uint32_t*, std::string_view> Slot(const std::string& name) {
    if (CBatchEntry* entry = FindEntry(m_entries, name)) return {&entry->nRecord, entry->name};
    auto at = m_unlisted.find(name);
    if (at == m_unlisted.end()) at = m_unlisted.emplace(m_store.Keep(name), kNoRecord).first;
    return {&at->second, at->first};
  }

  CBatchEntries& m_entries;
  CPackedStore& m_store;
  std::deque<CPackedItem> m_items;                           // forgotten ones have no name
  std::unordered_map<std::string_view, uint32_t> m_unlisted;  // names the folder lacks
};

// The entries of batch, sorted by name (packed names sort as the names do),
// their names kept in store.
CBatchEntries ListBatch(const CString& batch, CDiskInterface& disk, CPackedStore& store) {
  CBatchEntries entries;
  ForEachEntry(disk, batch, [&](const CFileFind& find) {
    entries.push_back(CBatchEntry{store.Pack(find.GetFileName()), find.IsDirectory()});
    return true;
  });
  std::sort(entries.begin(), entries.end(), [](const CBatchEntry& a, const CBatchEntry& b) { return a.name < b.name; });
  return entries;
}

// Decides, item by item, what the plan does with each record.
class CRestoreMatcher {
 public:
  CRestoreMatcher(const CString& source, CRestorePlan& plan, CPackedStore& store)
      : m_strSource(source), m_plan(plan), m_store(store) {
    m_names.SetTree(source);  // the drive prefix of its items, read once
  }

  // items in the order of their records; entries sorted by name. Leaves in
  // items those the plan takes, in the order they go back.
  void Match(std::deque<CPackedItem>& items, CBatchEntries entries) {
    std::reverse(items.begin(), items.end());  // the last moved goes back first
    m_entries = std::move(entries);
    m_state.assign(items.size(), kRefused);
    std::vector<size_t> lost;
    for (size_t i = 0; i < items.size(); ++i) {
      CBatchEntry* entry = FindEntry(m_entries, items[i].name);
      if (entry != nullptr) {
        entry->bClaimed = true;
        if (Matches(items[i].source, items[i].name, entry->bFolder)) m_state[i] = kInBatch;
      } else if (AnsiLosesCharacters() && items[i].name.find('?') != std::string_view::npos) {
        lost.push_back(i);  // a packed '?' is the character itself
      } else if (MatchesEither(items[i])) {
        m_state[i] = kGone;
      }
    }
    ResolveLost(items, lost);
    Assemble(items);
  }

 private:
  enum State { kRefused, kAmbiguous, kInBatch, kGone };

  bool Matches(std::string_view from, std::string_view name, bool isFolder) {
    return RecordMatchesItem(m_strSource, UnpackText(from), UnpackText(name), isFolder, m_names);
  }
  // An item no longer in the batch: its kind is not known.
  bool MatchesEither(const CPackedItem& item) {
    return Matches(item.source, item.name, false) || Matches(item.source, item.name, true);
  }

  // The entries no record names that fit the '?' record item.
  std::vector<CBatchEntry*> Candidates(const CPackedItem& item) {
    std::vector<CBatchEntry*> fits;
    CStringArray lost;
    const CString pattern = UnpackText(item.name);
    for (CBatchEntry& entry : m_entries)
      if (!entry.bClaimed && FitsLostCharacters(pattern, UnpackText(entry.name), lost)) fits.push_back(&entry);
    return fits;
  }

  // A '?' record takes the one entry that fits it and that no other record
  // names; one taken is no longer a candidate of the others, which may then
  // be left with one. Two records left with the same one entry, or one left
  // with several, take nothing. The source takes the characters the entry
  // has where the record has '?'.
  void ResolveLost(std::deque<CPackedItem>& items, const std::vector<size_t>& lost) {
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
  bool Take(CPackedItem& item, CBatchEntry& entry) {
    entry.bClaimed = true;
    CStringArray chars;
    CString source;
    const CString name = UnpackText(entry.name);
    if (!FitsLostCharacters(UnpackText(item.name), name, chars) ||
        !FillLostCharacters(UnpackText(item.source), chars, source) ||
        !RecordMatchesItem(m_strSource, source, name, entry.bFolder, m_names))
      return false;
    item = CPackedItem{entry.name, m_store.Pack(source)};
    return true;
  }

  void Note(const CString& why, const CPackedItem& item) {
    const CString to = m_plan.strBatch + PlatformPathSeparator() + UnpackText(item.name);
    m_plan.notes.push_back(L"== Not restored, " + why + L": " + ShownPath(UnpackText(item.source)) + L" ==> " +
                           ShownPath(to));
    ++m_plan.nRefused;
  }

  // Notes the items the plan does not take and leaves the others in items.
  void Assemble(std::deque<CPackedItem>& items) {
    size_t kept = 0;
    for (size_t i = 0; i < items.size(); ++i) {
      if (m_state[i] == kRefused) Note(L"the record does not match its item", items[i]);
      if (m_state[i] == kAmbiguous) Note(L"several items fit the record", items[i]);
      if (m_state[i] != kInBatch && m_state[i] != kGone) continue;
      m_plan.inBatch.push_back(m_state[i] == kInBatch);
      items[kept++] = items[i];
    }
    items.resize(kept);
    for (const CBatchEntry& entry : m_entries)
      if (!entry.bClaimed) m_plan.unrecorded.push_back(UnpackText(entry.name));
  }

  const CString m_strSource;
  CRestorePlan& m_plan;
  CPackedStore& m_store;  // where the entries' and the items' texts lie
  CFlatNames m_names;
  CBatchEntries m_entries;
  std::vector<State> m_state;  // per item, in the order they go back
};

}  // namespace

bool PlanRestore(const CString& batch, const CString& source, const CString& logPath, CRestorePlan& plan,
                 CString& error, CDiskInterface& disk) {
  plan = CRestorePlan();
  plan.strBatch = batch;
  // The listing first: what it holds while it reads the folder is let go
  // before the records are held, and the records share its names.
  CPackedStore store;
  CBatchEntries entries = ListBatch(batch, disk, store);
  CRecordedItems recorded(entries, store);
  CBatchRecordScan scan({batch}, disk);
  if (!scan.ReadLog(logPath, [&recorded](const CBatchRecord& record) { recorded.Add(record); }, error)) return false;
  std::deque<CPackedItem> items = recorded.Take();
  CRestoreMatcher(source, plan, store).Match(items, std::move(entries));
  plan.items.Assign(std::move(items), std::move(store));
  const CString skipped = FormatSkippedLines(scan.GetSkippedLines());
  if (!skipped.empty()) plan.notes.push_back(skipped);
  return true;
}
