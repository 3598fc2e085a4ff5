// CFtpPathList: an owning list of FTP paths with a tag, the directory it
// lists, that writes and reads itself, items included, as one element:
//
//   \r\n<CFtpPathList  tag='/pub/' >
//   \r\n<CFilePath  path='/pub/a.zip' ... ></CFilePath>...</CFtpPathList>
//
// The list part (CStdList) is the first base, the object part (CObj) the
// second. Through the object part, Clone, CreateObject, Copy and IsEqual are
// CObj's own and ReadXML(CString&) reads only the list's attributes; the
// list reads its items with ReadXML(CString).
#pragma once

#include <cstdint>

#include "ftp/ftp_path.h"
#include "object/obj.h"
#include "object/std_list.h"
#include "platform/api.h"

// The exported instantiation, made in ftp_path_list.cpp.
extern template class VELMORA_API CStdList<CFtpPath, CFtpPath*>;

class VELMORA_API CFtpPathList : public CStdList<CFtpPath, CFtpPath*>, public CObj {
 public:
  // An empty list with CObj's defaults and the given tag and flags.
  explicit CFtpPathList(const CString& tag = CString(), bool bOwning = true, bool bSpare = false);
  // CObj's defaults; o's tag, last error and flags, and a copy of each item.
  CFtpPathList(const CFtpPathList& o);
  // Destroys the items when owning.
  ~CFtpPathList() override;

  using CStdList::Copy;
  using CObj::Copy;
  // o's tag, last error and flags; destroys the items and appends a copy of
  // each of o's. CObj's fields stay. Copying a list onto itself changes
  // nothing.
  virtual void Copy(const CFtpPathList& o);
  // Reads one list element from the front of xml (which is not consumed)
  // and appends its items to this list. False, with nothing appended, when
  // there is no element, it is of another name, or it has no items or no
  // close tag (its tag has been taken then). Items are read up to the first
  // one that does not parse; the reading takes time in proportion to the
  // text, however many items or however long the values.
  virtual bool ReadXML(CString xml);

  // Copy(o); no chaining.
  void operator=(const CFtpPathList& o);

  // The sum of the items' sizes.
  long long ComputeTotalLength() const;
  // The first item, from the head, whose path equals path (case-sensitive),
  // or null.
  CFtpPath* FindByPath(const CString& path) const;
  // The first item IsEqual to p (drive, dir, name and extension ignoring
  // case), or null.
  CFtpPath* Find(const CFtpPath& p) const;
  // The first item whose file name (with its extension when bWithExt)
  // equals p's, case-sensitive, or null.
  CFtpPath* FindByFileName(const CFtpPath& p, bool bWithExt) const;
  // While an item has p's file name and extension, p's name gets the next
  // number in parentheses ("report.txt", "report(1).txt", ...; "a (4)"
  // becomes "a(5)"), at most 2000 times; the last name is kept
  // even when it still collides. True when p was renamed; false, p
  // untouched, when p is null or its name is free.
  bool UniqueName(CFtpPath* p) const;

  // "CFtpPathList".
  CString XMLObject() const override;
  // The element: the tag attribute, then each item's own element. CObj's
  // fields are not written; a null item is skipped.
  void WriteXML(CString& out) override;
  using CObj::ReadXMLAttr;
  // "tag" (any case) sets tag. Always true.
  bool ReadXMLAttr(const CString& name, const CString& value) override;

  CString tag;  // the list's label; a cache keeps the directory here
};
