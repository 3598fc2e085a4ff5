#include "app/engine/log_records.h"

#include <algorithm>

#include "platform/encoding.h"
#include "platform/exception.h"
#include "platform/fs/file_system.h"
#include "platform/sys/process.h"
#include "text/format.h"

namespace {

const size_t kChunk = 1 << 16;
// The tag field of an item record ("... " padded to 10) and its colon.
const char kItemTag[] = "...        : ";
// The two blanks after the time stamp, then the text of a move that went well.
const char kMoveText[] = "   OK  From ";
const wchar_t kArrow[] = L" ==> ";

bool IsSeparator(wchar_t c) { return c == PlatformPathSeparator() || c == L'/'; }

// Full paths only: a name in the middle of a path that holds " ==> " leaves
// a side that starts with a name.
bool IsFullPath(const CString& path) {
  const wchar_t sep = PlatformPathSeparator();
  return (!path.empty() && path[0] == sep) || (path.size() > 2 && path[1] == L':' && path[2] == sep);
}

// Whether the names of path from start on are all real names: none empty,
// "." or "..", and at least one.
bool HoldsOnlyRealNames(const CString& path, size_t start) {
  if (start >= path.size()) return false;
  for (size_t end = start; end <= path.size(); start = ++end) {
    while (end < path.size() && !IsSeparator(path[end])) ++end;
    const CString name = path.substr(start, end - start);
    if (name.empty() || name == L"." || name == L"..") return false;
  }
  return true;
}

}  // namespace

bool CLogLineReader::Open(const CString& path) {
  m_buffer.clear();
  m_nPos = 0;
  m_bEnd = false;
  m_nSkipped = 0;
  return m_file.Open(path, CFile::modeRead | CFile::shareDenyNone | CFile::modeOwnFileOnly);
}

void CLogLineReader::Fill() {
  m_buffer.erase(0, m_nPos);
  m_nPos = 0;
  const size_t had = m_buffer.size();
  m_buffer.resize(had + kChunk);
  const size_t got = m_file.Read(&m_buffer[had], kChunk);
  m_buffer.resize(had + got);
  m_bEnd = got == 0;
}

bool CLogLineReader::ReadLine(std::string_view& line) {
  bool skipping = false;  // inside a line too long to keep
  for (;;) {
    const size_t end = m_buffer.find('\n', m_nPos);
    const bool last = end == std::string::npos && m_bEnd && m_nPos < m_buffer.size();
    if (end != std::string::npos || last) {
      const size_t stop = last ? m_buffer.size() : end;
      const size_t length = stop > m_nPos && m_buffer[stop - 1] == '\r' ? stop - 1 - m_nPos : stop - m_nPos;
      const std::string_view found(m_buffer.data() + m_nPos, length);
      m_nPos = stop + 1;
      if (skipping || found.find('\0') != std::string_view::npos) {
        ++m_nSkipped;
        skipping = false;
        continue;
      }
      line = found;
      return true;
    }
    if (m_bEnd) return false;
    if (m_buffer.size() - m_nPos > kMaxLogLineBytes) {
      skipping = true;
      m_nPos = m_buffer.size();
    }
    Fill();
  }
}

bool ParseMoveRecord(std::string_view line, CString& move) {
  const size_t tag = sizeof(kItemTag) - 1;
  if (line.compare(0, tag, kItemTag) != 0) return false;
  const size_t at = line.find(kMoveText, tag);
  if (at == std::string_view::npos) return false;
  std::string_view text = line.substr(at + sizeof(kMoveText) - 1);
  // A text shorter than its field is padded with blanks. No moved item's
  // path ends in one: a run takes names that end in an extension or equal a
  // folder name of a list split at blanks.
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  move = WidenFromAnsiWithPathBytes(std::string(text));
  return true;
}

bool RecordMatchesItem(const CString& source, const CString& from, const CString& name, bool isFolder,
                       CFlatNames& names) {
  CString base = source;
  while (!base.empty() && IsSeparator(base.back())) base.pop_back();
  if (source.empty() || from.size() <= base.size() + 1 || from.compare(0, base.size(), base) != 0 ||
      !IsSeparator(from[base.size()]) || !HoldsOnlyRealNames(from, base.size() + 1))
    return false;
  return names.Of(from, isFolder) == name;
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

void CBatchRecordScan::Add(std::string_view line, const CRecordSink& sink) {
  CString move;
  if (!ParseMoveRecord(line, move)) return;
  const size_t arrow = std::char_traits<wchar_t>::length(kArrow);
  for (size_t at = move.find(kArrow); at != CString::npos; at = move.find(kArrow, at + 1)) {
    CBatchRecord record{0, false, CString(), move.substr(0, at), move.substr(at + arrow)};
    if (!IsFullPath(record.strFrom) || !IsFullPath(record.strTo)) continue;
    record.bInto = FindBatch(record.strTo, record.nBatch, record.strName);
    if (record.bInto || FindBatch(record.strFrom, record.nBatch, record.strName)) {
      sink(record);
      return;
    }
  }
}

bool CBatchRecordScan::ReadLog(const CString& path, const CRecordSink& sink, CString& error) {
  uint32_t attributes = 0;
  if (!m_disk.GetAttributes(path, attributes)) return true;
  const CString unreadable = L"the log file '" + path + L"' cannot be read";
  CLogLineReader reader;
  if (!reader.Open(path)) {
    const CString why = FileOpenErrorText(reader.GetOpenError());
    error = why.empty() ? unreadable : unreadable + L": " + why;
    return false;
  }
  try {
    for (std::string_view line; reader.ReadLine(line);) Add(line, sink);
  } catch (CFileException* e) {
    error = unreadable;
    e->Delete();
    return false;
  }
  m_nSkipped = reader.GetSkippedLines();
  return true;
}

CString FormatSkippedLines(int32_t count) {
  if (count == 0) return CString();
  return Format(L"== Skipped %d lines of the log that no run writes (a NUL byte, or longer than any record)", count);
}
