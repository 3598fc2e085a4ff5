#include "app/engine/item_record.h"

#include "log/log_file.h"
#include "platform/fs/file_system.h"
#include "text/format.h"

namespace {

// Reaches the log's pending text, which CLogFile keeps for its own kind.
class CItemRecordLog : public CLogFile {
 public:
  void LogOrDrop(const CString& line) {
    const size_t pending = m_strLogText.size();
    try {
      Log(line);
    } catch (CFileException*) {
      // A failed write keeps its text pending; a failed flush has already
      // emptied it.
      if (m_strLogText.size() > pending) m_strLogText.resize(pending);
      throw;
    }
  }
};

}  // namespace

void WriteItemRecord(const CString& line) { CItemRecordLog().LogOrDrop(line); }

CString FormatLogWriteFailure(const CFileException& e) {
  CString why = PlatformErrorText(e.m_lOsError);
  if (why.empty()) why = Format(L"OS error %d", e.m_lOsError);
  return L"The log file '" + e.m_strFileName + L"' could not be written: " + why;
}
