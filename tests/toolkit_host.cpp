// A program that carries the whole toolkit in its export table (the export
// test reads this executable) and calls it as a Windows program would: from
// toolkit.h alone, with the Windows types' variables and with int and long
// literals. A signature such a caller cannot use fails this build. Run, it
// checks the results that hang on the argument types and prints the
// description of the running system; the calls that open windows, start
// programs or write the user's files are built and linked, never run.
#if defined(_WIN32)
#include <windows.h>
#endif

#include <cstdio>

#include "toolkit.h"

#if !defined(_WIN32)
// The Windows names with the Windows types where this system has them; a
// DWORD is an unsigned long as the toolkit's signatures spell it.
typedef unsigned long DWORD;
typedef long LONG;
typedef unsigned int UINT;
typedef int BOOL;
typedef unsigned long long ULONGLONG;
typedef const wchar_t* LPCWSTR;
typedef void* HWND;
const BOOL TRUE = 1;
const BOOL FALSE = 0;
#endif

namespace {

int g_nFailed = 0;

void Expect(bool ok, const char* what) {
  if (!ok) {
    std::printf("FAILED: %s\n", what);
    ++g_nFailed;
  }
}

void Visit(CFtpPath*, void*) {}

}  // namespace

// Text: tokens, tokenizer, formatting, hex, error names and codes.
void CallText() {
  const DWORD dw = 5000;
  const LONG n = -5000;
  const UINT u = 5000;
  const ULONGLONG size = 5000;
  const BOOL bAsSize = TRUE;
  Expect(FormatValue(dw, bAsSize) == L"5,000", "FormatValue(DWORD)");
  Expect(FormatValue(n, bAsSize) == L"-5,000", "FormatValue(LONG)");
  Expect(FormatValue(u, bAsSize) == L"5,000", "FormatValue(UINT)");
  Expect(FormatValue(5000, true) == L"5,000", "FormatValue(int literal)");
  Expect(FormatValue(5000L, true) == L"5,000", "FormatValue(long literal)");
  Expect(FormatValue(size, bAsSize) == L"4.9 KB", "FormatValue(ULONGLONG)");
  Expect(FormatValue(static_cast<long long>(n), false) == L"-5,000", "FormatValue(LONGLONG)");
  Expect(FormatValue(CString(L"1234"), bAsSize) == L"1,234", "FormatValue(CString)");

  const unsigned char bytes[] = {0x0A, 0x1B};
  unsigned char buffer[4] = {};
  const LONG stored = StringToHex(HexToString(bytes, 2L), buffer, 4L);
  const DWORD value = GetHexValue(L"ff");
  Expect(stored == 2 && buffer[1] == 0x1B && value == 255 && HexToString(bytes, 2) == L"0A 1B ", "hex");

  const DWORD code = 0x80070005;
  CString header, message;
  DecodeHResult(code, header, message);
  Expect(DescribeHResult(code).find(L"E_ACCESSDENIED") != CString::npos && GetHResultName(code) == L"E_ACCESSDENIED",
         "HRESULT names");
  Expect(GetSystemErrorName(2) == L"ERROR_FILE_NOT_FOUND" && !GetSystemErrorMessage(dw).empty(), "system errors");
  const CFormatArg arg = MakeFormatArg(L"x");
  Expect(FormatArgs(L"%s", &arg, 1) == L"x", "FormatArgs");

  LPCWSTR list = L"a,b c";
  CString rest = list;
  Expect(GetNextToken(rest, L",") == L"a" && GetToken(rest, L" ") == L"b" && GetLeftToken(rest, 1) == L"c", "tokens");
  CStringTokenizer text(L" f(x)y(z) ", TRUE), narrow(" a,b ", false), copy(text);
  copy = narrow;
  CStringArray pieces;
  CString left, right;
  Expect(text.GetLength() == 8 && !text.IsEmpty() && text.Trim() == L"f(x)y(z)", "tokenizer length");
  Expect(text.RightToken('(', ')') == L"z" && text.SplitToken(left, '(', ')', right) == L"x", "tokenizer markers");
  text.RemoveCtrlChar();
  Expect(text.LeftToken('(', ')').empty() && text.LeftToken(L"y") == L"" && CString(text) == L"y", "tokenizer rest");
  Expect(copy.Left(2L) == L" a" && copy.Right(1) == L" " && copy.GetNextToken(L",") == L"" &&
             copy.GetToken(L",") == L"b" && copy.GetPrevToken(L",") == L"" && copy.GetPrev(L",") == L"",
         "tokenizer pieces");
  copy.SplitToken(pieces, L",");
}

// Paths: the value class, its metadata, the disk, folder chains and records.
void CallPaths() {
  const DWORD attributes = 0x20;
  const ULONGLONG size = 4294967297ULL;
  LPCWSTR text = L"C:\\Work\\Src\\main.cpp";
  CFilePath p(text), folder(CString(L"C:\\dst\\"), ptFolder), copy(p), empty;
  p.SetAttr(attributes);
  p.AddAttr(0x1L);
  p.Length(size);
  Expect(p.GetAttr() == 0x21 && p.MatchesMask(attributes) && p.Length() == size && p.FileSizeHigh() == 1 &&
             p.FileSizeLow() == 1,
         "path metadata");
  Expect(FormatValue(p.Length(), true) == L"4.0 GB", "FormatValue of a length");
  p.Length(std::string("12"));
  p.Icon(3);
  const int icon = p.Icon();
  p.CreationTime(p.LastWriteTime());
  p.LastAccessTime(p.CreationTime());
  p.LastWriteTime(p.LastAccessTime());
  p.CopyFileAttributes(copy);
  const BOOL flags = p.IsValidAttr() + p.IsReadOnly() + p.IsHidden() + p.IsSystem() + p.IsDirectory() +
                     p.IsArchived() + p.IsNormal() + p.IsTemporary() + p.IsCompressed() + p.IsValid() +
                     p.IsHTML() + p.IsAudio() + p.IsMovie() + p.IsIMAGE() + p.IsNEF() + p.IsPNG() + p.IsTIF() +
                     p.IsJPEG() + p.IsGIF() + p.IsBMP() + p.IsBIN() + p.IsTXT() + p.IsEmpty() + p.IsNetwork() +
                     p.IsSlash(L'/') + p.IsEqualExt(L".CPP") + p.IsEqual(copy) + p.IsEqualDir(copy) + (p == copy);
  Expect(flags + icon > 0, "path tests");

  CString drive, dir, name, ext, joined(p.GetPath());
  CFilePath::SplitPath(text, drive, dir, name, ext);
  CFilePath::MakePath(joined, drive, dir, name, ext);
  p.SplitPath(text, ptByStatus);
  p.SetPath(text, ptFile);
  p.SetPath(L"C:\\a", L"b.txt");
  p.SetDrive(L"D:");
  p.SetDrive('C');
  p.SetDir(L"\\x\\");
  p.SetFileName(L"y");
  p.SetFileNameAndExt(L"y.txt");
  p.SetExt(L".doc");
  p.FixSlash();
  p.FixSlash(joined, L'/');
  Expect(p.MakePath() == L"C:/x/y.doc" && p.GetPath() == L"C:/x/y.doc" && p.GetDrive() == L"C:" &&
             p.GetDir(TRUE) == L"/x" && p.GetDriveAndDir() == L"C:/x/" && p.GetFileName(TRUE) == L"y.doc" &&
             p.GetExt(TRUE, TRUE) == L"doc",
         "path parts");
  joined = p.GetURL() + p.GetDisplayPathName() + p.GetShortPathNameW();
  const BOOL exists = p.ReadStatus() + p.FixByReadStatus() + p.IsExists() + p.IsExistsFile() + p.IsExistsDirectory() +
                      p.IsFolder() + p.IsFile() + CFilePath::IsExistsFile(text) + CFilePath::IsExistsDirectory(text) +
                      IsExistsFile(text) + IsExistsDirectory(text);
  Expect(exists >= 0, "existence");

  CFilePathList chain, other(TRUE, FALSE), assigned;
  assigned = other;
  CFilePathList copied(chain);
  copy.SplitSubfolders(chain);
  empty.MakeSubfolders(chain);
  Expect(folder.AddFolder(copy) && folder.AppendDir(L"x") && folder.AppendDir(copy) && folder.SubstructDir(copy),
         "chain edits");
  folder.UpDir();
  Expect(!folder.GetTailDir().empty() && !folder.IsParent(copy), "chain reads");
  Expect(AppendSlash(L"a") == L"a/" && RemoveSlash(L"a/") == L"a" && RemoveSlash(CString(L"a\\")) == L"a", "slashes");

  CString xml;
  p.WriteXML(xml);
  CStringTokenizer record(xml, TRUE);
  CFilePath back;
  Expect(back.ReadXML(record) && back.XMLObject() == L"CFilePath" && back.ReadXMLAttr(L"PathType", L"1"), "record");
  back.WriteXMLAttr(xml);
  back.Copy(static_cast<const CObj&>(p));
  back = p;
  back = static_cast<const CObj&>(p);
  delete back.CreateObject();
  back.Clear();
  const wchar_t* asText = back;
  Expect(asText != nullptr, "path as text");
}

// Objects: the base, the containers, FTP paths, lists, the cache and the
// find record.
void CallObjects() {
  const UINT bits = 4;
  CObj obj, copy(obj);
  obj.SetModified(bits);
  obj.AddModified(1);
  obj.RemoveModified(bits);
  obj.SetSelected(TRUE);
  obj.SetChecked(FALSE);
  Expect(obj.GetModified() == 1 && obj.IsModified() && obj.IsModified(1) && obj.IsSelected() && !obj.IsChecked(),
         "object flags");
  Expect(obj.CreateGUID().size() == 38 && obj.GetStrGUID().size() == 38, "GUID");
  CString xml, whole, rest = L"a=b";
  obj.WriteXMLOpenTag(xml);
  obj.WriteXMLAttr(xml);
  obj.WriteXMLBody(xml);
  obj.WriteXMLCloseTag(xml);
  obj.WriteXML(whole);
  Expect(copy.ReadXML(whole) && copy.XMLObject() == L"CObj" && copy.ReadXMLAttr(L"CObj::Status", L"2"), "object XML");
  copy.ReadXMLAttr(L" CObj::uModified='1' ");
  Expect(CObj::Trim(L" a ") == L"a" && !CObj::Squeeze(L"a b", TRUE).empty() &&
             CObj::XMLAttr(L"n", 5L) == L" n='5' " && CObj::XMLAttr(L"s", L"v") == L" s='v' " &&
             CObj::GetNextToken(rest, L"=") == L"a" && CObj::LeftToken(rest, L"b").empty(),
         "object statics");
  copy = obj;
  copy.Copy(obj);
  Expect(copy.IsEqual(obj) || copy != obj || copy == obj, "object compare");
  delete obj.Clone();
  delete obj.CreateObject();
  obj.Default();
  obj.Clear();
  obj.Clone()->ShutDown();  // destroys the object

  const ULONGLONG size = 4294967296ULL;
  CFtpPath a(L"/pub/a.txt"), b(CString(L"/pub/b.txt"), ptFile), fromObj(static_cast<const CObj&>(a)), c(a);
  CFtpPath fromPath(static_cast<const CFilePath&>(a));
  a.Length(size);
  a = b;
  a = static_cast<const CFilePath&>(b);
  a.MakeFtpRoot();
  Expect(a.IsFtpRoot() && a.GetFtpDir(TRUE) == L"/" && a.GetFtpPath() == L"/" && a.GetFtpPathName() == L"/",
         "FTP path");
  delete a.CreateObject();

  CFtpPathList list(L"/pub/", TRUE, FALSE), other;
  list.Add(new CFtpPath(b));
  list.AddHead(new CFtpPath(c));
  list.AddTail(new CFtpPath(fromObj));
  CFtpPathList copied(list);
  other = list;
  other.Copy(list);
  other.Copy(static_cast<const CStdList<CFtpPath, CFtpPath*>&>(list));
  other.Copy(static_cast<const CObj&>(list));
  other.Append(list);
  other += list;
  CFtpPathList spare(list);
  other -= spare;
  other.ForEach(Visit, nullptr);
  Expect(list.ComputeTotalLength() == 0 && list.FindByPath(L"/pub/b.txt") != nullptr && list.Find(b) != nullptr &&
             list.FindByFileName(b, TRUE) != nullptr && list.UniqueName(&c),
         "FTP list");
  CString listXml;
  list.WriteXML(listXml);
  Expect(other.ReadXML(listXml) && list.XMLObject() == L"CFtpPathList" && list.ReadXMLAttr(L"tag", L"/t/"), "FTP list XML");
  CFtpPathList::POSITION pos = list.GetHeadPosition();
  CFtpPath* head = list.GetNext(pos);
  pos = list.GetTailPosition();
  list.GetPrev(pos);
  pos = list.GetHeadPosition();
  list.SetAt(pos, list.GetAt(pos));  // inserts: the head twice
  Expect(head == list.GetHead() && list.GetTail() != nullptr && !list.IsEnd(pos) && list.GetCount() == 4 &&
             !list.IsEmpty() && list.GetLastError().empty(),
         "list positions");
  list.ShowError(L"x");
  delete list.CreateComponent();
  delete list.CStdList::CreateObject();
  list.Remove(head);
  list.RemoveAndDestroy(list.GetTail());
  list.Remove(other);
  other.RemoveAndDestroy(copied);
  delete head;
  list.RemoveAndDestroy();
  list.RemoveAll();
  other.RemoveAndDestroy();

  CFtpCache cache;
  CFtpPathList* added = cache.Add(b);
  CFtpPathList* found = nullptr;
  cache.UniqueName(added, &c);
  cache.UniqueName(CString(L"/pub/"), list);
  cache.SetAt(L"/x/", nullptr);
  Expect(cache.CurList(L"/pub/") == added && cache.Lookup(L"/pub/", found) == 1 && cache.Find(L"/pub/") == found &&
             cache.GetCount() == 2 && cache.GetSize() == 2L && !cache.IsEmpty(),
         "cache");
  cache[L"/y/"] = nullptr;
  CFtpCache::iterator it = cache.begin();
  CString key;
  cache.GetNextAssoc(it, key, found);
  cache.RemoveKey(L"/x/");
  delete cache.Remove(added->GetHead());
  cache.RemoveAndDestroy(cache.Add(c)->GetTail());
  cache.RemoveAndDestroy(CString(L"/pub/"));
  cache.RemoveAndDestroy();
  cache.RemoveAll();

  CFileRecFind record(b), copyRecord(record);
  Expect(record.GetLength() == 0 && record.GetFileName() == L"b.txt" && record.GetFilePath() == L"/pub/b.txt" &&
             record.GetFileURL() == L"/pub/b.txt" && record.GetFileTitle() == L"b" && !record.MatchesMask(0x1UL) &&
             !(record.IsReadOnly() || record.IsDirectory() || record.IsCompressed() || record.IsSystem() ||
               record.IsHidden() || record.IsTemporary() || record.IsNormal() || record.IsArchived()),
         "find record");
}

// What opens windows, lists the disk or a server, starts programs or writes
// the user's log: built and linked to hold the signatures, never run here.
void CallTheSystem(HWND hwnd, CFileFind& find, CFtpFileFind& ftpFind) {
  const DWORD data = 7;
  DWORD selected = 0;
  LONG first = 0;
  const UINT message = 1;
  BOOL ok = FALSE;

  CListCtrl list(hwnd);
  CComboBox combo(hwnd);
  CListBox box(hwnd);
  CWnd parent(hwnd);
  ok = list.Create(&parent) && combo.Create(&parent) && box.Create(nullptr) && list.IsWindow();
  list.InsertItem(0, L"a");
  list.SetItemData(0, data);
  list.SetItemState(0, kListItemSelected, kListItemSelected);
  list.SetItemText(0, 0, L"b");
  ok = list.GetItemCount() + list.GetItemData(0) + list.GetItemState(0, kListItemSelected) +
       list.GetItemText(0, 0).size() + list.GetNextItem(-1, kNextSelected) + list.DeleteItem(0);
  combo.SetItemData(combo.AddString(L"a"), data);
  combo.SetCurSel(0);
  ok = combo.GetCount() + combo.GetItemData(0) + combo.GetCurSel();
  box.SetItemData(box.AddString(L"a"), data);
  box.SetCurSel(0);
  box.SetHorizontalExtent(10);
  ok = box.GetCount() + box.GetText(0).size() + box.GetItemData(0) + box.GetCurSel() + box.GetHorizontalExtent() +
       box.GetAverageCharWidth() + box.GetTextWidth(L"a") + box.DeleteString(0) + (parent.GetSafeHwnd() != nullptr);
  list.DestroyWindow();

  ok = FindItemIndex(list, &first) + SelectItem(list, 0) + SelectItem(list, &first) + SetItemText(list, &first, L"c") +
       DeleteItem(list, &first) + Remove(list, &first);
  first = GetFirstSelectedItem(list);
  ok = SelectItem(combo, data) && SelectItem(box, 7) && SelectItem(combo, 7L) && GetSelItemData(combo, selected) &&
       GetSelItemData(box, selected) && Remove(box, &first);
  FixHScroll(box);

  CString chosen;
  CDirDialog dialog(L"Root Folder", L"C:\\", &parent, L"");
  CBrowseForFolder browse;
  ok = dialog.DoBrowse(chosen) && !browse.GetPickerCommandLine().empty();
  CBrowseForFolder::BrowseCallback(hwnd, message, 0L, 0);

  ok = PumpMessage();
  PostCommand([] {});
  PostQuitCommand();
  SetInterruptCommand([] {});
  ok = InstallInterruptHandler();
  NotifyInterrupt();
  ok = ShowInNotepad(WriteNotepadFile(L"text", L"a.log"), L"a.log") && ShowInNotepad(CComBSTR(L"text"));

  CStringArray drives;
  GetLogicalDriveStringsW(drives, TRUE);
  chosen = GetCurrentDirectoryW() + GetWindowsDirectoryW() + GetSystemDirectoryW() + GetTempPathW() + GetUserNameW() +
           GetComputerNameW() + GetMyPicturePath() + GetMyDocumentsPath() + GetMyPersonalPath() + GetAppDataPath() +
           GetSystemDrive();
  CWinShell shell(&parent);
  shell.Open(chosen);
  ok = CWinShell::GetShellModule() != nullptr;

  CLogFile log, named(L"C:\\a.log"), copy(log);
  copy = named;
  ok = log.Open(L"C:\\a.log") && log.Resume() && log.IsOpen() && log.IsReady() && log.GetOpenError() == 0L &&
       !log.GetFilePathName().empty() && !CLogFile::GetTimeStamp().empty();
  log.Enable(L"/LOG", L"LOG");
  log.Add(L"a");
  log.Flush(L"a");
  log.Write(L"a");
  log.Write(L"tag", L"a", TRUE);
  log.StartApp(L"a");
  log.OS();
  log.Begin(L"a");
  log.Log(L"a");
  log << L"a";
  log.End(L"a");
  log.ExitApp(L"a");
  log.Suspend();
  log.Close();

  CFilePath fromFind(find), fromFtp(ftpFind);
  fromFind.SetAttr(find);
  fromFind.Copy(find);
  fromFind.Copy(ftpFind);
  fromFind = find;
  fromFtp = ftpFind;
  CFtpPath ftpFromFind(find), ftpFromFtp(ftpFind);
  ok = CFilePath::DeleteFileW(L"C:\\a.txt") && fromFind.DeleteFileW() && fromFind.RenameFile(L"b.txt") &&
       fromFind.CreateDirectoryW() && fromFind.CreateFolder() && find.SetEntryAttributes(data);
  COSVersionRecord record;
  record.dwMajorVersion = data;
  chosen = COSVersion::Describe(record, L"WinNT");
  CFileTimeHalves time;
  ok = find.FindFile(L"C:\\*") && find.FindNextFile() && find.FindSubfolder(find) && !find.IsDots() &&
       find.MatchesMask(FILE_ATTRIBUTE_DIRECTORY) && find.IsDirectory() && !find.IsReparsePoint() &&
       find.GetLength() > 0 && find.GetCreationTime(time) && find.GetLastAccessTime(time) &&
       find.GetLastWriteTime(time) && !find.GetFileName().empty() && !find.GetFilePath().empty() &&
       !find.GetRoot().empty();
  find.Close();
  ok = ftpFind.FindFile(L"*") && ftpFind.FindNextFile() && ftpFind.GetListError().nCode == 0L;
  ftpFind.Close();
  (void)ok;
}

int main() {
  CallText();
  CallPaths();
  CallObjects();
  if (g_nFailed > 0) return 1;
  COSVersion os;
  std::printf("%ls\n", os.GetVersionString().c_str());
  return 0;
}
