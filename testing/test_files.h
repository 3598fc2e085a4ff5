// Helpers for tests that work on the real file system. They live in the
// velmora_test_support library, which only test programs link.
#pragma once

#include <cstdint>
#include <string>

#include "platform/cstring.h"

// A fresh, empty folder that is removed with everything in it when the
// object goes. The base folder defaults to the current directory on POSIX
// (the build tree) and to the temporary folder on Windows.
class CScopedTempFolder {
 public:
  explicit CScopedTempFolder(const CString& base = CString());
  ~CScopedTempFolder();
  CScopedTempFolder(const CScopedTempFolder&) = delete;
  CScopedTempFolder& operator=(const CScopedTempFolder&) = delete;

  // False when the folder could not be made.
  bool IsValid() const { return !m_strPath.empty(); }
  const CString& Path() const { return m_strPath; }
  // Path() + separator + relative; "/" in relative becomes the separator.
  CString operator/(const CString& relative) const;

 private:
  CString m_strPath;
};

// Sets an environment variable for the object's lifetime (empty value:
// unset), then restores what was there.
class CScopedEnvironment {
 public:
  CScopedEnvironment(const CString& name, const CString& value);
  ~CScopedEnvironment();
  CScopedEnvironment(const CScopedEnvironment&) = delete;
  CScopedEnvironment& operator=(const CScopedEnvironment&) = delete;

 private:
  CString m_strName;
  CString m_strOld;
  bool m_bHadOld = false;
};

// Takes the personal documents folder away from this process while it
// lives. Windows: HKEY_CURRENT_USER is mapped to a private key whose shell
// folder "Personal" is empty, so the shell has none. IsActive() is false
// where this cannot be done (POSIX: the documents folder falls back to $HOME
// by itself); then skip.
class CScopedNoDocumentsFolder {
 public:
  CScopedNoDocumentsFolder();
  ~CScopedNoDocumentsFolder();
  CScopedNoDocumentsFolder(const CScopedNoDocumentsFolder&) = delete;
  CScopedNoDocumentsFolder& operator=(const CScopedNoDocumentsFolder&) = delete;

  bool IsActive() const { return m_pKey != nullptr; }

 private:
  void* m_pKey = nullptr;  // Windows: the key standing in for HKEY_CURRENT_USER
};

// A network share (\\server\share) a test may fill, removed with everything
// in it when the object goes. Under Wine a network path names a folder of
// the prefix (dosdevices/unc/server/share), which the object makes. Path()
// is empty where there is none (POSIX; Windows outside Wine): then skip.
class CScopedNetworkShare {
 public:
  CScopedNetworkShare();
  ~CScopedNetworkShare();
  CScopedNetworkShare(const CScopedNetworkShare&) = delete;
  CScopedNetworkShare& operator=(const CScopedNetworkShare&) = delete;

  const CString& Path() const { return m_strPath; }

 private:
  CString m_strPath;    // \\server\share
  CString m_strServer;  // the local folder that stands for the server
};

// Makes the folder and any missing parents.
bool MakeFoldersForTesting(const CString& path);
// Creates or replaces a file with the given bytes; makes missing parents.
bool WriteFileForTesting(const CString& path, const std::string& bytes = std::string());
// The file's bytes, or false.
bool ReadFileForTesting(const CString& path, std::string& bytes);
// The file's bytes, or "<missing>" when it cannot be read: a test compares
// it in one line.
inline std::string ContentForTesting(const CString& path) {
  std::string bytes;
  return ReadFileForTesting(path, bytes) ? bytes : std::string("<missing>");
}
// The item exists (a link counts itself, even when dangling).
bool ExistsForTesting(const CString& path);
// Removes the item and, for a folder, everything in it; links are removed,
// never followed. A folder a test made read-only is made writable first.
bool RemoveTreeForTesting(const CString& path);

// A symbolic link at `link` pointing to `target`. False where links cannot
// be made (then skip).
bool MakeLinkForTesting(const CString& target, const CString& link, bool toFolder);

// A symbolic link at `link` to the folder target, made from the Unix side:
// POSIX, MakeLinkForTesting; Windows under Wine, which makes no Windows links
// (nor junctions), a Unix symbolic link in the prefix's drive, which Wine
// reports as a reparse point. False elsewhere (then skip).
bool MakeUnixLinkForTesting(const CString& target, const CString& link);

// Gives the item to another user (POSIX: nobody, 65534), as if that user had
// made it. False where this process cannot (not root; Windows): then skip.
bool GiveAwayForTesting(const CString& path);

// Sets the last write time (and the last access time) of the item at path
// itself, a link as itself (never what it points to), to time, a file time
// (file_time.h). False when it cannot be set (Windows: a link, then skip).
bool SetLastWriteTimeForTesting(const CString& path, uint64_t time);

// A FIFO (named pipe) at path. False where FIFOs cannot be made (then skip).
bool MakeFifoForTesting(const CString& path);

// A folder on another volume than the current directory where a test may
// make its own subfolder, or empty when there is none (POSIX: /dev/shm).
CString OtherVolumeForTesting();
