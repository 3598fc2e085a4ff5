// CStdMap<K, V>: an ordered map from a key to an object pointer (V = T*)
// that destroys the pointed-to objects only when told to: copying or
// destroying the map neither duplicates nor destroys them. Keys are ordered
// by K's less-than; for CString that is case-sensitive, so "a" and "A" are
// two keys.
//
// Several keys may map to one object; RemoveAndDestroy() destroys it once.
//
// The member definitions are in std_map.inl; the instantiations the toolkit
// exports are declared with VELMORA_API beside the value class they hold
// and made there.
#pragma once

#include <map>

#include "platform/api.h"

template <class K, class V>
class CStdMap : public std::map<K, V> {
 public:
  using iterator = typename std::map<K, V>::iterator;

  CStdMap();
  // The same entries: the same pointers, not copies of the objects.
  CStdMap(const CStdMap& o);
  // Frees the entries; the values are not destroyed.
  ~CStdMap();
  // Takes o's entries (the same pointers); the old values are not destroyed.
  void operator=(const CStdMap& o);

  // The number of entries.
  int GetCount() const;
  long GetSize() const;
  // Non-zero when there are no entries.
  int IsEmpty() const;
  // 1 and value = the mapped value when key is present; 0 and value
  // untouched otherwise.
  int Lookup(const K& key, V& value) const;
  // The mapped value, or null when key is absent.
  V Find(const K& key) const;
  // A reference to one scratch slot shared by every call, loaded with the
  // mapped value, or null when key is absent. Writing through it changes
  // the slot only, never the map: use SetAt for that.
  V& operator[](const K& key);
  // Inserts the entry, or replaces the value of an existing key without
  // destroying the old one.
  void SetAt(const K& key, V value);
  // 1 after removing the entry, 0 when key is absent; nothing is destroyed.
  int RemoveKey(const K& key);
  // When key is present: destroys its value (if not null), removes the
  // entry and returns 1; otherwise 0.
  int RemoveAndDestroy(const K& key);
  // Removes every entry and destroys each distinct non-null value once.
  void RemoveAndDestroy();
  // Removes every entry; destroys nothing.
  void RemoveAll();
  // Copies the key and value at position and moves position to the next
  // entry in key order. REQUIRES: position designates an entry of this map.
  void GetNextAssoc(iterator& position, K& key, V& value) const;

 private:
  static V m_scratch;  // the slot operator[] hands out
};

#include "object/std_map.inl"
