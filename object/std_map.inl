// Member definitions of CStdMap<K, V>; included by std_map.h.
#pragma once

#include "object/destroy_once.h"

template <class K, class V>
V CStdMap<K, V>::m_scratch = V();

template <class K, class V>
CStdMap<K, V>::CStdMap() {}

template <class K, class V>
CStdMap<K, V>::CStdMap(const CStdMap& o) : std::map<K, V>(o) {}

template <class K, class V>
CStdMap<K, V>::~CStdMap() {}

template <class K, class V>
void CStdMap<K, V>::operator=(const CStdMap& o) {
  std::map<K, V>::operator=(o);
}

template <class K, class V>
int CStdMap<K, V>::GetCount() const {
  return static_cast<int>(this->size());
}

template <class K, class V>
long CStdMap<K, V>::GetSize() const {
  return static_cast<long>(this->size());
}

template <class K, class V>
int CStdMap<K, V>::IsEmpty() const {
  return this->empty();
}

template <class K, class V>
int CStdMap<K, V>::Lookup(const K& key, V& value) const {
  auto hit = this->find(key);
  if (hit == this->end()) return 0;
  value = hit->second;
  return 1;
}

template <class K, class V>
V CStdMap<K, V>::Find(const K& key) const {
  auto hit = this->find(key);
  return hit == this->end() ? V() : hit->second;
}

template <class K, class V>
V& CStdMap<K, V>::operator[](const K& key) {
  m_scratch = Find(key);
  return m_scratch;
}

template <class K, class V>
void CStdMap<K, V>::SetAt(const K& key, V value) {
  this->insert_or_assign(key, value);
}

template <class K, class V>
int CStdMap<K, V>::RemoveKey(const K& key) {
  return this->erase(key) != 0 ? 1 : 0;
}

template <class K, class V>
int CStdMap<K, V>::RemoveAndDestroy(const K& key) {
  auto hit = this->find(key);
  if (hit == this->end()) return 0;
  V value = hit->second;
  this->erase(hit);
  delete value;
  return 1;
}

template <class K, class V>
void CStdMap<K, V>::RemoveAndDestroy() {
  std::map<K, V> doomed;
  doomed.swap(*this);
  DestroyEachOnce(doomed, [](const typename std::map<K, V>::value_type& entry) { return entry.second; });
}

template <class K, class V>
void CStdMap<K, V>::RemoveAll() {
  this->clear();
}

template <class K, class V>
void CStdMap<K, V>::GetNextAssoc(iterator& position, K& key, V& value) const {
  key = position->first;
  value = position->second;
  ++position;
}
