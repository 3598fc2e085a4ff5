// COSVersion: one line of readable text naming the operating system, for the
// log's OS record. The platform's version record and its own description are
// fetched once per process and shared by all objects.
#pragma once

#include "platform/api.h"
#include "platform/cstring.h"
#include "platform/sys/os_info.h"

class VELMORA_API COSVersion {
 public:
  // Fetches the version record and the platform's own description on the
  // first construction in the process.
  COSVersion();
  virtual ~COSVersion();

  // Windows: the description of the record (Describe with the live product
  // type). POSIX, where the record means nothing: kernel and distribution.
  CString GetVersionString();

  // The description rules over a version record and a product type value
  // ("WinNT", "LanmanNT", "ServerNT" or anything else). Pure, so that every
  // rule can be checked on any build.
  static CString Describe(const COSVersionRecord& record, const CString& productType);

 protected:
  static COSVersionRecord m_versionInfo;
  static CString m_strNativeDescription;  // QueryNativeOSDescription
  static bool m_bQueried;
};
