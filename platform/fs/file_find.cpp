#include "platform/fs/file_find.h"

#include <vector>

#include "platform/fs/listed_folder.h"

bool CFileFind::IsDirectory() const { return MatchesMask(FILE_ATTRIBUTE_DIRECTORY); }

bool CFileFind::IsReparsePoint() const { return MatchesMask(FILE_ATTRIBUTE_REPARSE_POINT); }

CString CListedFolder::Path() const {
  std::vector<const CListedFolder*> chain;
  size_t size = 0;
  for (const CListedFolder* p = this; p != nullptr; p = p->pParent.get()) {
    chain.push_back(p);
    size += p->strText.size();
  }
  CString path;
  path.reserve(size);
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) path += (*it)->strText;
  return path;
}

std::shared_ptr<const CListedFolder> ListedSubfolder(const std::shared_ptr<const CListedFolder>& parent,
                                                     const CString& text) {
  auto folder = std::make_shared<CListedFolder>();
  folder->pParent = parent;
  folder->strText = text;
  return folder;
}
