// CStringTokenizer: holds one text and hands out pieces of it, each piece
// removed from the text as it is returned. The delimiter rules are those of
// the token functions of text/tokens.h.
#pragma once

#include "platform/api.h"
#include "platform/cstring.h"

class VELMORA_API CStringTokenizer {
 public:
  // The remaining text is text, trimmed of white space at both ends if trim.
  CStringTokenizer(const CString& text, bool trim);
  // The same over 8-bit text in the platform's encoding (the ANSI code page
  // on Windows, UTF-8 on POSIX). A null text is an empty one.
  CStringTokenizer(const char* text, bool trim);
  CStringTokenizer(const CStringTokenizer& other);
  virtual ~CStringTokenizer();
  CStringTokenizer& operator=(const CStringTokenizer& other);

  int GetLength() const;
  bool IsEmpty() const;
  // A copy of the remaining text.
  operator CString() const;
  // Removes white space from both ends of the remaining text; returns a copy.
  CString Trim();
  // Removes every line feed, carriage return and tab.
  void RemoveCtrlChar();

  // The first (last) min(n, length) characters, removed. n < 1: empty, and
  // nothing changes.
  CString Left(int n);
  CString Right(int n);

  // The text before the first character that is in delimiters, removed with
  // that character; all of the text when there is none.
  CString GetNextToken(const CString& delimiters);
  // Like GetNextToken, but skips empty pieces; empty only when the text ran
  // out first.
  CString GetToken(const CString& delimiters);
  // The text after the last character that is in delimiters, removed with
  // that character; all of the text when there is none.
  CString GetPrevToken(const CString& delimiters);
  // Like GetPrevToken, but skips empty pieces.
  CString GetPrev(const CString& delimiters);
  // Appends every non-empty piece to pieces (not cleared first), in order;
  // the text ends empty.
  void SplitToken(CStringArray& pieces, const CString& delimiters);

  // The text before the first occurrence of the whole delimiter; the
  // remaining text becomes what follows it. No occurrence: empty, nothing
  // changes. An occurrence that ends the text leaves the text unchanged.
  CString LeftToken(const CString& delimiter);

  // The markers below are 8-bit characters widened with sign extension, so
  // one above 127 matches no ordinary character.
  //
  // With i the first open and j the first close: the j - i - 1 characters
  // between them; everything up to and including close is removed. Empty,
  // and nothing changes, when a marker is missing or nothing lies between
  // them (including a close before the open, and open == close).
  CString LeftToken(char open, char close);
  // The same from the end, with the last close and the last open; what
  // preceded open remains.
  CString RightToken(char open, char close);
  // LeftToken(open, close) that also stores the removed text up to and
  // including open in left and the removed close in right; on failure left
  // and right are not touched.
  CString SplitToken(CString& left, char open, char close, CString& right);

 protected:
  CString m_str;  // the remaining text
};
