// CFileRecFind: the queries of a directory-listing entry (CFileFind's
// length, names, path, attribute mask and attribute tests) answered from a
// stored path record instead of a live listing. It refers to the record,
// which it does not own and which must outlive it, and reads it anew on
// every query; it never touches the disk or the network.
#pragma once

#include <cstdint>

#include "platform/api.h"
#include "platform/cstring.h"

class CFtpPath;

class VELMORA_API CFileRecFind {
 public:
  explicit CFileRecFind(CFtpPath& record);
  // Refers to o's record.
  CFileRecFind(const CFileRecFind& o);
  virtual ~CFileRecFind();

  // The record's size in bytes.
  virtual unsigned long long GetLength() const;
  // The file name with its extension; empty for a folder record, whose name
  // lives in its directory.
  virtual CString GetFileName() const;
  // The record's path.
  virtual CString GetFilePath() const;
  // The same text as GetFilePath: no scheme is put in front.
  virtual CString GetFileURL() const;
  // The file name without its extension.
  virtual CString GetFileTitle() const;
  // Any bit of mask is among the record's attributes.
  virtual bool MatchesMask(uint32_t mask) const;

  // Each asks MatchesMask for its one FILE_ATTRIBUTE_* bit, so a class that
  // replaces MatchesMask changes them all.
  bool IsReadOnly() const;
  bool IsDirectory() const;
  bool IsCompressed() const;
  bool IsSystem() const;
  bool IsHidden() const;
  bool IsTemporary() const;
  bool IsNormal() const;
  bool IsArchived() const;

 private:
  CFtpPath& m_record;
};
