// POSIX only: conversion between CString paths and the byte strings the
// kernel takes. Unlike NarrowToAnsi it is lossless: a byte that is not valid
// UTF-8 in a name read from the disk is carried as U+DC80..U+DCFF and turned
// back into the same byte, so every listed entry can be moved by its name.
#pragma once

#include <string>

#include "platform/cstring.h"

std::string ToNativePath(const CString& path);
CString FromNativePath(const char* bytes, size_t length);
inline CString FromNativePath(const std::string& bytes) { return FromNativePath(bytes.data(), bytes.size()); }
