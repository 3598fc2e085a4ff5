// The 8-bit encoding of the files the program writes (the log, the notepad
// export): the ANSI code page on Windows, UTF-8 on POSIX.
#pragma once

#include <string>

#include "platform/cstring.h"

// Characters the encoding cannot represent become its default character
// ('?' on POSIX, for example for an unpaired surrogate).
std::string NarrowToAnsi(const CString& text);
// NarrowToAnsi for text that names files: on POSIX a path byte that is not
// valid UTF-8 (carried as U+DC80..U+DCFF, see posix_text.h) becomes that
// byte again, so that the text names the file exactly. Windows: NarrowToAnsi.
std::string NarrowToAnsiWithPathBytes(const CString& text);
// Whether NarrowToAnsiWithPathBytes can lose characters, each one written
// as '?': Windows, whose code page lacks most scripts ('?' is never part of
// a Windows name). POSIX writes every path exactly.
bool AnsiLosesCharacters();
// Bytes that are not valid in the encoding become U+FFFD.
CString WidenFromAnsi(const std::string& bytes);
// The reverse of NarrowToAnsiWithPathBytes, for reading back what it wrote:
// on POSIX a byte that is not valid UTF-8 becomes U+DC80..U+DCFF, so a path
// read back names the same file. Windows: WidenFromAnsi.
CString WidenFromAnsiWithPathBytes(const std::string& bytes);

// UTF-8 on every platform (the text of FTP URLs and names): an unpaired
// surrogate becomes a replacement character, bytes that are not valid UTF-8
// become U+FFFD.
std::string NarrowToUtf8(const CString& text);
CString WidenFromUtf8(const std::string& bytes);
