#include "platform/fs/folder_handle.h"

#include <utility>

CFolderHandle::CFolderHandle() = default;

CFolderHandle::~CFolderHandle() { Close(); }

CFolderHandle::CFolderHandle(CFolderHandle&& other) noexcept { *this = std::move(other); }

CFolderHandle& CFolderHandle::operator=(CFolderHandle&& other) noexcept {
  if (this != &other) {
    Close();
    m_nHandle = other.m_nHandle;
    m_strPath = std::move(other.m_strPath);
    other.m_nHandle = -1;
    other.m_strPath.clear();
  }
  return *this;
}

bool CFolderHandle::IsOpen() const { return !m_strPath.empty(); }

const CString& CFolderHandle::GetPath() const { return m_strPath; }
