// CFilePathList: the list of path objects (CStdList<CFilePath, CFilePath*>)
// in which the path class hands out folder chains.
#pragma once

#include "object/std_list.h"
#include "platform/api.h"

class CFilePath;

// The exported instantiation, made in file_path_list.cpp.
extern template class VELMORA_API CStdList<CFilePath, CFilePath*>;

// A list of path objects; owning unless told otherwise.
class VELMORA_API CFilePathList : public CStdList<CFilePath, CFilePath*> {
 public:
  explicit CFilePathList(bool bOwning = true, bool bSpare = false);
  // A deep copy, as CStdList's.
  CFilePathList(const CFilePathList& o);
  ~CFilePathList() override;
  // Copy(o) through its slot.
  CFilePathList& operator=(const CFilePathList& o);
};
