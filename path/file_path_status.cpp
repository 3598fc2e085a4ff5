// The metadata of a path: attribute bits, size, times and icon, read from
// the disk or taken over from a listing entry, and the type tests by
// extension.
#include <cstdlib>
#include <initializer_list>

#include "path/file_path.h"
#include "platform/fs/file_attributes.h"
#include "platform/ftp/ftp_file_find.h"

namespace {

// The platform's mark that no attributes could be read.
constexpr uint32_t kNoAttributes = 0xFFFFFFFF;

// The text the status query is asked about: path without trailing white
// space and one trailing separator, as RemoveSlash gives it, except that a
// root keeps its separator: "/" would become empty and "C:/" the
// drive-relative "C:", which names the current folder of that drive.
CString StatusPathOf(const CString& path) {
  CString s = RemoveSlash(path.c_str());
  const bool root = s.empty() || (s.size() == 2 && s[1] == L':');
  if (root && s.size() < path.size() && (path[s.size()] == L'/' || path[s.size()] == L'\\')) s += path[s.size()];
  return s;
}

bool IsOneOf(const CString& ext, std::initializer_list<const wchar_t*> list) {
  for (const wchar_t* e : list)
    if (CompareNoCase(ext, e) == 0) return true;
  return false;
}

}  // namespace

uint32_t CFilePath::GetAttr() const { return m_attr.dwFileAttributes; }

void CFilePath::SetAttr(uint32_t a) { m_attr.dwFileAttributes = a; }

void CFilePath::AddAttr(uint32_t a) { m_attr.dwFileAttributes |= a; }

void CFilePath::SetAttr(const CFileFind& f) {
  static const uint32_t kTaken[] = {FILE_ATTRIBUTE_READONLY, FILE_ATTRIBUTE_DIRECTORY, FILE_ATTRIBUTE_COMPRESSED,
                                    FILE_ATTRIBUTE_SYSTEM,   FILE_ATTRIBUTE_HIDDEN,    FILE_ATTRIBUTE_TEMPORARY,
                                    FILE_ATTRIBUTE_NORMAL,   FILE_ATTRIBUTE_ARCHIVE};
  m_attr.dwFileAttributes = 0;
  for (uint32_t bit : kTaken)
    if (f.MatchesMask(bit)) m_attr.dwFileAttributes |= bit;
}

bool CFilePath::MatchesMask(uint32_t m) const { return (m_attr.dwFileAttributes & m) != 0; }

bool CFilePath::IsValidAttr() const {
  return m_attr.dwFileAttributes != 0 && m_attr.dwFileAttributes != kNoAttributes;
}

bool CFilePath::IsReadOnly() const { return MatchesMask(FILE_ATTRIBUTE_READONLY); }

bool CFilePath::IsHidden() const { return MatchesMask(FILE_ATTRIBUTE_HIDDEN); }

bool CFilePath::IsSystem() const { return MatchesMask(FILE_ATTRIBUTE_SYSTEM); }

bool CFilePath::IsDirectory() const { return MatchesMask(FILE_ATTRIBUTE_DIRECTORY); }

bool CFilePath::IsArchived() const { return MatchesMask(FILE_ATTRIBUTE_ARCHIVE); }

bool CFilePath::IsNormal() const { return MatchesMask(FILE_ATTRIBUTE_NORMAL); }

bool CFilePath::IsTemporary() const { return MatchesMask(FILE_ATTRIBUTE_TEMPORARY); }

bool CFilePath::IsCompressed() const { return MatchesMask(FILE_ATTRIBUTE_COMPRESSED); }

unsigned long long CFilePath::Length() const {
  return (static_cast<unsigned long long>(m_attr.nFileSizeHigh) << 32) | m_attr.nFileSizeLow;
}

void CFilePath::Length(unsigned long long v) {
  m_attr.nFileSizeHigh = static_cast<uint32_t>(v >> 32);
  m_attr.nFileSizeLow = static_cast<uint32_t>(v);
}

void CFilePath::Length(std::string s) { Length(static_cast<unsigned long long>(std::strtoll(s.c_str(), nullptr, 10))); }

uint32_t CFilePath::FileSizeHigh() const { return m_attr.nFileSizeHigh; }

uint32_t CFilePath::FileSizeLow() const { return m_attr.nFileSizeLow; }

CFileTime CFilePath::CreationTime() const { return m_attr.ftCreationTime; }

CFileTime CFilePath::LastAccessTime() const { return m_attr.ftLastAccessTime; }

CFileTime CFilePath::LastWriteTime() const { return m_attr.ftLastWriteTime; }

void CFilePath::CreationTime(CFileTime t) { m_attr.ftCreationTime = t.GetHalves(); }

void CFilePath::LastAccessTime(CFileTime t) { m_attr.ftLastAccessTime = t.GetHalves(); }

void CFilePath::LastWriteTime(CFileTime t) { m_attr.ftLastWriteTime = t.GetHalves(); }

int CFilePath::Icon() const { return m_nIcon; }

void CFilePath::Icon(int i) { m_nIcon = i; }

void CFilePath::CopyFileAttributes(const CFilePath& o) { m_attr = o.m_attr; }

bool CFilePath::IsValid() const {
  return !path.empty() &&
         (CreationTime().GetTime() != 0 || LastAccessTime().GetTime() != 0 || LastWriteTime().GetTime() != 0);
}

bool CFilePath::ReadStatus() {
  m_attr.dwFileAttributes = 0;
  const CString s = StatusPathOf(path);
  if (s.empty()) return false;
  return PlatformGetFileAttributesEx(s, m_attr) && m_attr.dwFileAttributes != kNoAttributes;
}

bool CFilePath::FixByReadStatus() {
  if (!ReadStatus()) return false;
  if (!IsDirectory()) return true;
  CFilePath folder(path, ptFolder);
  folder.CopyFileAttributes(*this);
  Copy(static_cast<const CObj&>(folder));
  return true;
}

void CFilePath::Copy(const CFileFind& f) {
  // Nothing a listing entry answers throws here, so no exception is caught.
  Clear();
  Length(f.GetLength());
  const CString entry = f.GetFilePath();
  SplitPath(f.MatchesMask(FILE_ATTRIBUTE_DIRECTORY) ? AppendSlash(entry, L'/') : entry, ptFile);
  SetAttr(f);
  f.GetLastWriteTime(m_attr.ftLastWriteTime);
  f.GetLastAccessTime(m_attr.ftLastAccessTime);
  f.GetCreationTime(m_attr.ftCreationTime);
}

bool CFilePath::IsHTML() const { return IsOneOf(ext, {L".html", L".htm"}); }

bool CFilePath::IsAudio() const { return IsOneOf(ext, {L".wav", L".mp3", L".aiff", L".au", L".snd", L".wave"}); }

bool CFilePath::IsMovie() const { return IsOneOf(ext, {L".mov", L".mp4", L".avi"}); }

bool CFilePath::IsIMAGE() const {
  return IsOneOf(ext, {L".png", L".TIF", L".TIFF", L".JPEG", L".JPG", L".GIF"}) || IsBMP() || IsNEF();
}

bool CFilePath::IsNEF() const { return IsOneOf(ext, {L".nef"}); }

bool CFilePath::IsPNG() const { return IsOneOf(ext, {L".png"}); }

bool CFilePath::IsTIF() const { return IsOneOf(ext, {L".TIF", L".TIFF"}); }

bool CFilePath::IsJPEG() const { return IsOneOf(ext, {L".JPEG", L".JPG"}); }

bool CFilePath::IsGIF() const { return IsOneOf(ext, {L".GIF"}); }

bool CFilePath::IsBMP() const { return IsOneOf(ext, {L".BMP", L".PCX"}); }

bool CFilePath::IsBIN() const { return IsOneOf(ext, {L".BIN"}); }

bool CFilePath::IsTXT() const { return IsOneOf(ext, {L".TXT"}); }
