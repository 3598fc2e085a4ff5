#include "ftp/file_rec_find.h"

#include "ftp/ftp_path.h"
#include "platform/fs/file_attributes.h"

CFileRecFind::CFileRecFind(CFtpPath& record) : m_record(record) {}

CFileRecFind::CFileRecFind(const CFileRecFind& o) : m_record(o.m_record) {}

CFileRecFind::~CFileRecFind() = default;

unsigned long long CFileRecFind::GetLength() const { return m_record.Length(); }

CString CFileRecFind::GetFileName() const { return m_record.GetFileName(true); }

CString CFileRecFind::GetFilePath() const { return m_record.GetPath(); }

CString CFileRecFind::GetFileURL() const { return m_record.GetPath(); }

CString CFileRecFind::GetFileTitle() const { return m_record.GetFileName(false); }

bool CFileRecFind::MatchesMask(uint32_t mask) const { return (m_record.GetAttr() & mask) != 0; }

bool CFileRecFind::IsReadOnly() const { return MatchesMask(FILE_ATTRIBUTE_READONLY); }

bool CFileRecFind::IsDirectory() const { return MatchesMask(FILE_ATTRIBUTE_DIRECTORY); }

bool CFileRecFind::IsCompressed() const { return MatchesMask(FILE_ATTRIBUTE_COMPRESSED); }

bool CFileRecFind::IsSystem() const { return MatchesMask(FILE_ATTRIBUTE_SYSTEM); }

bool CFileRecFind::IsHidden() const { return MatchesMask(FILE_ATTRIBUTE_HIDDEN); }

bool CFileRecFind::IsTemporary() const { return MatchesMask(FILE_ATTRIBUTE_TEMPORARY); }

bool CFileRecFind::IsNormal() const { return MatchesMask(FILE_ATTRIBUTE_NORMAL); }

bool CFileRecFind::IsArchived() const { return MatchesMask(FILE_ATTRIBUTE_ARCHIVE); }
