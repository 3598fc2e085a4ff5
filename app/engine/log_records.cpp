#include "app/engine/log_records.h"

#include "platform/encoding.h"
#include "platform/exception.h"
#include "platform/file_system.h"
#include "platform/process.h"

namespace {

const size_t kChunk = 1 << 16;
// The tag field of an item record ("... " padded to 10) and its colon.
const wchar_t kItemTag[] = L"...        : ";
// The two blanks after the time stamp, then the text of a move that went well.
const wchar_t kMoveText[] = L"   OK  From ";
const wchar_t kArrow[] = L" ==> ";

// Full paths only: a name in the middle of a path that holds " ==> " leaves
// a side that starts with a name.
bool IsFullPath(const CString& path) {
  const wchar_t sep = PlatformPathSeparator();
  return (!path.empty() && path[0] == sep) || (path.size() > 2 && path[1] == L':' && path[2] == sep);
}

}  // namespace

bool CLogLineReader::Open(const CString& path) {
  m_buffer.clear();
  m_nPos = 0;
  m_bEnd = false;
  return m_file.Open(path, CFile::modeRead | CFile::shareDenyNone);
}

bool CLogLineReader::ReadLine(CString& line) {
  for (;;) {
    const size_t end = m_buffer.find('\n', m_nPos);
    if (end != std::string::npos || (m_bEnd && m_nPos < m_buffer.size())) {
      const size_t stop = end == std::string::npos ? m_buffer.size() : end;
      const size_t length = stop > m_nPos && m_buffer[stop - 1] == '\r' ? stop - 1 - m_nPos : stop - m_nPos;
      line = WidenFromAnsiWithPathBytes(m_buffer.substr(m_nPos, length));
      m_nPos = stop + 1;
      return true;
    }
    if (m_bEnd) return false;
    m_buffer.erase(0, m_nPos);
    m_nPos = 0;
    const size_t had = m_buffer.size();
    m_buffer.resize(had + kChunk);
    const size_t got = m_file.Read(&m_buffer[had], kChunk);
    m_buffer.resize(had + got);
    m_bEnd = got == 0;
  }
}

bool ParseMoveRecord(const CString& line, CString& move) {
  const size_t tag = std::char_traits<wchar_t>::length(kItemTag);
  if (line.compare(0, tag, kItemTag) != 0) return false;
  const size_t at = line.find(kMoveText, tag);
  if (at == CString::npos) return false;
  move = line.substr(at + std::char_traits<wchar_t>::length(kMoveText));
  // A text shorter than its field is padded with blanks. No moved item's
  // path ends in one: a run takes names that end in an extension or equal a
  // folder name of a list split at blanks.
  while (!move.empty() && move.back() == L' ') move.pop_back();
  return true;
}

CBatchRecordScan::CBatchRecordScan(const CStringArray& batches, CDiskInterface& disk)
    : m_disk(disk), m_batches(batches.size()) {
  const wchar_t sep = PlatformPathSeparator();
  for (size_t i = 0; i < batches.size(); ++i) {
    m_batches[i].bKnown = disk.GetIdentity(batches[i], m_batches[i].identity);
    m_byFolderName.emplace(batches[i].substr(batches[i].find_last_of(sep) + 1), i);
  }
}

bool CBatchRecordScan::FindBatch(const CString& path, size_t& index, CString& name) {
  const size_t slash = path.find_last_of(PlatformPathSeparator());
  if (slash == CString::npos || slash == 0) return false;
  const CString folder = path.substr(0, slash);
  const size_t previous = folder.find_last_of(PlatformPathSeparator());
  const auto candidates = m_byFolderName.equal_range(folder.substr(previous + 1));
  if (candidates.first == candidates.second) return false;
  auto known = m_folders.find(folder);
  if (known == m_folders.end()) {
    long found = -1;
    CFileIdentity identity;
    if (m_disk.GetIdentity(folder, identity)) {
      for (auto it = candidates.first; it != candidates.second; ++it)
        if (m_batches[it->second].bKnown && m_batches[it->second].identity == identity)
          found = static_cast<long>(it->second);
    }
    known = m_folders.emplace(folder, found).first;
  }
  if (known->second < 0) return false;
  index = static_cast<size_t>(known->second);
  name = path.substr(slash + 1);
  return !name.empty();
}

void CBatchRecordScan::Add(const CString& line) {
  CString move;
  if (!ParseMoveRecord(line, move)) return;
  const size_t arrow = std::char_traits<wchar_t>::length(kArrow);
  for (size_t at = move.find(kArrow); at != CString::npos; at = move.find(kArrow, at + 1)) {
    const CString from = move.substr(0, at), to = move.substr(at + arrow);
    if (!IsFullPath(from) || !IsFullPath(to)) continue;
    size_t index = 0;
    CString name;
    const bool into = FindBatch(to, index, name);
    if (into || FindBatch(from, index, name)) {
      CBatch& batch = m_batches[index];
      const auto old = batch.byName.find(name);
      if (old != batch.byName.end()) {
        const size_t forgotten = old->second;
        batch.byName.erase(old);
        batch.items[forgotten].strName.clear();
      }
      if (into) {
        batch.items.push_back(CBatchItem{name, from});
        batch.byName.emplace(batch.items.back().strName, batch.items.size() - 1);
      }
      return;
    }
  }
}

bool CBatchRecordScan::ReadLog(const CString& path, CString& error) {
  uint32_t attributes = 0;
  if (!m_disk.GetAttributes(path, attributes)) return true;
  const CString unreadable = L"the log file '" + path + L"' cannot be read";
  CLogLineReader reader;
  if (!reader.Open(path)) {
    const CString why = PlatformErrorText(reader.GetOpenError());
    error = why.empty() ? unreadable : unreadable + L": " + why;
    return false;
  }
  try {
    for (CString line; reader.ReadLine(line);) Add(line);
  } catch (CFileException* e) {
    error = unreadable;
    e->Delete();
    return false;
  }
  return true;
}

bool CBatchRecordScan::IsRecorded(size_t index, const CString& name) const {
  return m_batches[index].byName.count(name) != 0;
}

std::vector<CBatchItem> CBatchRecordScan::TakeItems(size_t index) {
  CBatch& batch = m_batches[index];
  batch.byName.clear();
  std::vector<CBatchItem> items;
  for (CBatchItem& item : batch.items)
    if (!item.strName.empty()) items.push_back(std::move(item));
  batch.items.clear();
  return items;
}
