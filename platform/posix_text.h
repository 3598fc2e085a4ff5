// POSIX only: conversion between CString paths and the byte strings the
// kernel takes. Unlike NarrowToAnsi it is lossless: a byte that is not valid
// UTF-8 in a name read from the disk is carried as U+DC80..U+DCFF and turned
// back into the same byte, so every listed entry can be moved by its name.
#pragma once

#include <string>

#include "platform/cstring.h"

// UTF-8 both ways. escapeBytes: U+DC80..U+DCFF stand for raw bytes (paths),
// else they become '?', as do unpaired surrogates. DecodeUtf8 turns each
// byte that starts no valid sequence into invalid(byte).
std::string EncodeUtf8(const CString& text, bool escapeBytes);
CString DecodeUtf8(const char* bytes, size_t length, wchar_t (*invalid)(unsigned char));

std::string ToNativePath(const CString& path);
CString FromNativePath(const char* bytes, size_t length);
inline CString FromNativePath(const std::string& bytes) { return FromNativePath(bytes.data(), bytes.size()); }
