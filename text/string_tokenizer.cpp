#include "text/string_tokenizer.h"

#include <algorithm>
#include <string>

#include "platform/encoding.h"
#include "text/tokens.h"

namespace {

wchar_t Widen(char c) { return static_cast<wchar_t>(static_cast<signed char>(c)); }

}  // namespace

CStringTokenizer::CStringTokenizer(const CString& text, bool trim) : m_str(text) {
  if (trim) Trim();
}

CStringTokenizer::CStringTokenizer(const char* text, bool trim) : m_str(text ? WidenFromAnsi(text) : CString()) {
  if (trim) Trim();
}

CStringTokenizer::CStringTokenizer(const CStringTokenizer& other) : m_str(other.m_str) {}

CStringTokenizer::~CStringTokenizer() {}

CStringTokenizer& CStringTokenizer::operator=(const CStringTokenizer& other) {
  m_str = other.m_str;
  return *this;
}

int CStringTokenizer::GetLength() const { return static_cast<int>(m_str.size()); }

bool CStringTokenizer::IsEmpty() const { return m_str.empty(); }

CStringTokenizer::operator CString() const { return m_str; }

CString CStringTokenizer::Trim() { return TrimString(m_str); }

void CStringTokenizer::RemoveCtrlChar() {
  m_str.erase(std::remove_if(m_str.begin(), m_str.end(),
                             [](wchar_t c) { return c == L'\n' || c == L'\r' || c == L'\t'; }),
              m_str.end());
}

CString CStringTokenizer::Left(int n) { return ::GetLeftToken(m_str, n); }

CString CStringTokenizer::Right(int n) {
  if (n < 1) return CString();
  const size_t start = m_str.size() - std::min(static_cast<size_t>(n), m_str.size());
  CString piece = m_str.substr(start);
  m_str.erase(start);
  return piece;
}

CString CStringTokenizer::GetNextToken(const CString& delimiters) { return ::GetNextToken(m_str, delimiters); }

CString CStringTokenizer::GetToken(const CString& delimiters) { return ::GetToken(m_str, delimiters); }

CString CStringTokenizer::GetPrevToken(const CString& delimiters) {
  const size_t last = m_str.find_last_of(delimiters);
  CString piece;
  if (last == CString::npos) {
    piece.swap(m_str);
    return piece;
  }
  piece = m_str.substr(last + 1);
  m_str.erase(last);
  return piece;
}

CString CStringTokenizer::GetPrev(const CString& delimiters) {
  const size_t last = m_str.find_last_not_of(delimiters);
  if (last == CString::npos) {
    m_str.clear();
    return CString();
  }
  m_str.erase(last + 1);
  return GetPrevToken(delimiters);
}

// One pass over the text, so that many pieces cost no more than the text.
void CStringTokenizer::SplitToken(CStringArray& pieces, const CString& delimiters) {
  size_t pos = 0;
  while ((pos = m_str.find_first_not_of(delimiters, pos)) != CString::npos) {
    const size_t end = m_str.find_first_of(delimiters, pos);
    pieces.push_back(m_str.substr(pos, end == CString::npos ? CString::npos : end - pos));
    if (end == CString::npos) break;
    pos = end + 1;
  }
  m_str.clear();
}

CString CStringTokenizer::LeftToken(const CString& delimiter) { return ::LeftToken(m_str, delimiter); }

CString CStringTokenizer::LeftToken(char open, char close) {
  CString left;
  CString right;
  return SplitToken(left, open, close, right);
}

CString CStringTokenizer::RightToken(char open, char close) {
  const size_t j = m_str.rfind(Widen(close));
  const size_t i = m_str.rfind(Widen(open));
  if (i == CString::npos || j == CString::npos || j <= i + 1) return CString();
  CString piece = m_str.substr(i + 1, j - i - 1);
  m_str.erase(i);
  return piece;
}

CString CStringTokenizer::SplitToken(CString& left, char open, char close, CString& right) {
  const size_t i = m_str.find(Widen(open));
  const size_t j = m_str.find(Widen(close));
  if (i == CString::npos || j == CString::npos || j <= i + 1) return CString();
  left = m_str.substr(0, i + 1);
  right = m_str.substr(j, 1);
  CString piece = m_str.substr(i + 1, j - i - 1);
  m_str.erase(0, j + 1);
  return piece;
}
