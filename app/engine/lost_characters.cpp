#include "app/engine/lost_characters.h"

#include <algorithm>

namespace {

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// One reading of pattern: with pairs, a '?' takes a whole surrogate pair.
bool Fits(const CString& pattern, const CString& name, bool pairs, CStringArray& lost) {
  lost.clear();
  size_t j = 0;
  for (const wchar_t p : pattern) {
    if (j >= name.size()) return false;
    if (p != L'?') {
      if (name[j++] != p) return false;
      continue;
    }
    const bool pair = pairs && IsHighSurrogate(name[j]) && j + 1 < name.size() && IsLowSurrogate(name[j + 1]);
    lost.push_back(name.substr(j, pair ? 2 : 1));
    j += pair ? 2 : 1;
  }
  return j == name.size();
}

}  // namespace

bool FitsLostCharacters(const CString& pattern, const CString& name, CStringArray& lost) {
  return Fits(pattern, name, true, lost) || Fits(pattern, name, false, lost);
}

bool FillLostCharacters(const CString& text, const CStringArray& lost, CString& filled) {
  if (static_cast<size_t>(std::count(text.begin(), text.end(), L'?')) != lost.size()) return false;
  filled.clear();
  size_t next = 0;
  for (const wchar_t c : text) filled += c == L'?' ? lost[next++] : CString(1, c);
  return true;
}
