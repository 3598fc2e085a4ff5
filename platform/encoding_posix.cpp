#include "platform/encoding.h"
#include "platform/posix_text.h"

namespace {

wchar_t Replacement(unsigned char) { return static_cast<wchar_t>(0xFFFD); }

}  // namespace

std::string NarrowToAnsi(const CString& text) { return EncodeUtf8(text, false); }

bool AnsiLosesCharacters() { return false; }

std::string NarrowToAnsiWithPathBytes(const CString& text) { return EncodeUtf8(text, true); }

CString WidenFromAnsi(const std::string& bytes) { return DecodeUtf8(bytes.data(), bytes.size(), Replacement); }

CString WidenFromAnsiWithPathBytes(const std::string& bytes) { return FromNativePath(bytes); }

std::string NarrowToUtf8(const CString& text) { return EncodeUtf8(text, false); }

CString WidenFromUtf8(const std::string& bytes) { return DecodeUtf8(bytes.data(), bytes.size(), Replacement); }
