// CFtpFileFind: the FTP variant of the listing entry. It answers the same
// queries as CFileFind (name, full path, size, the three times, the
// attribute bits), so that code written against a CFileFind takes an FTP
// entry as well; the operations on a local entry (FindSubfolder, MoveEntry,
// SetEntryAttributes, GetEntryIdentity) mean nothing for it.
//
// Not wired to a server yet: FindFile returns false until the FTP listing
// engine fills the entries. Until then a listing is given to the object
// through the protected SetListing (a derived class, such as a test's).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/file_find.h"

// One entry of an FTP listing, as the server describes it.
struct CFtpFileEntry {
  CString strName;
  uint32_t nAttributes = 0;  // FILE_ATTRIBUTE_* bits
  uint64_t nLength = 0;
  CFileTimeHalves ftCreationTime;
  CFileTimeHalves ftLastAccessTime;
  CFileTimeHalves ftLastWriteTime;
};

class CFtpFileFind : public CFileFind {
 public:
  CFtpFileFind();
  ~CFtpFileFind() override;

  // Returns false, with nothing to enumerate: no FTP listing yet.
  bool FindFile(const CString& pattern) override;
  // As CFileFind::FindNextFile, over the entries of the listing.
  bool FindNextFile() override;
  void Close() override;

  // The current entry's name; its full path is the root, a "/" unless the
  // root ends with one (or is empty), and the name.
  CString GetFileName() const override;
  CString GetFilePath() const override;
  CString GetRoot() const override;
  bool IsDots() const override;
  bool MatchesMask(uint32_t mask) const override;
  uint64_t GetLength() const override;
  bool GetCreationTime(CFileTimeHalves& time) const override;
  bool GetLastAccessTime(CFileTimeHalves& time) const override;
  bool GetLastWriteTime(CFileTimeHalves& time) const override;

 protected:
  // Makes entries the listing of the folder root (its path on the server),
  // positioned before the first entry as after FindFile. Returns false,
  // with nothing to enumerate, when there is no entry.
  bool SetListing(const CString& root, std::vector<CFtpFileEntry> entries);

 private:
  // REQUIRES: a FindNextFile call has moved to an entry.
  const CFtpFileEntry& Current() const;

  CString m_strRoot;
  std::vector<CFtpFileEntry> m_entries;
  size_t m_nNext = 0;  // the entry the next FindNextFile moves to
};
