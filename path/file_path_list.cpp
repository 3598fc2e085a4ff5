// CFilePathList: the list of path objects.
#include "path/file_path_list.h"

#include "path/file_path.h"

template class CStdList<CFilePath, CFilePath*>;

CFilePathList::CFilePathList(bool bOwning, bool bSpare) : CStdList(bOwning, bSpare) {}

CFilePathList::CFilePathList(const CFilePathList& o) : CStdList(o) {}

CFilePathList::~CFilePathList() {}

CFilePathList& CFilePathList::operator=(const CFilePathList& o) {
  Copy(o);
  return *this;
}
