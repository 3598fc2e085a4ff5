// Member definitions of CStdList<T, P>; included by std_list.h.
#pragma once

#include <iterator>
#include <unordered_set>

#include "object/destroy_once.h"

template <class T, class P>
CStdList<T, P>::CStdList(bool bOwning, bool bSpare) : m_bSpare(bSpare), m_bOwning(bOwning) {}

template <class T, class P>
CStdList<T, P>::CStdList(const CStdList& o)
    : std::list<P>(), m_strLastError(o.m_strLastError), m_bSpare(o.m_bSpare), m_bOwning(o.m_bOwning) {
  CStdList::Append(o);
}

template <class T, class P>
CStdList<T, P>::~CStdList() {
  if (m_bOwning) RemoveAndDestroy();
}

template <class T, class P>
P CStdList<T, P>::CreateComponent() {
  return new T;
}

template <class T, class P>
void CStdList<T, P>::Copy(const CStdList& o) {
  if (&o == this) return;
  m_strLastError = o.m_strLastError;
  m_bSpare = o.m_bSpare;
  m_bOwning = o.m_bOwning;
  RemoveAndDestroy();
  Append(o);
}

template <class T, class P>
void CStdList<T, P>::Append(const CStdList& o) {
  // Counted first: o may be this list, which grows as it is read.
  auto from = o.begin();
  for (size_t n = o.size(); n > 0; --n, ++from) {
    this->push_back(*from ? new T(**from) : nullptr);
  }
}

template <class T, class P>
void CStdList<T, P>::ForEach(ForEachProc proc, void* context) {
  for (POSITION pos = this->begin(); pos != this->end();) {
    P p = *pos++;
    proc(p, context);
  }
}

template <class T, class P>
P CStdList<T, P>::CreateObject() const {
  return new T;
}

template <class T, class P>
void CStdList<T, P>::operator=(const CStdList& o) {
  Copy(o);
}

template <class T, class P>
void CStdList<T, P>::operator+=(const CStdList& o) {
  Append(o);
}

template <class T, class P>
void CStdList<T, P>::operator-=(CStdList& o) {
  RemoveAndDestroy(o);
}

template <class T, class P>
void CStdList<T, P>::AddHead(P p) {
  this->push_front(p);
}

template <class T, class P>
void CStdList<T, P>::AddTail(P p) {
  this->push_back(p);
}

template <class T, class P>
void CStdList<T, P>::Add(P p) {
  this->push_back(p);
}

template <class T, class P>
void CStdList<T, P>::Remove(P p) {
  if (p) this->remove(p);
}

template <class T, class P>
void CStdList<T, P>::RemoveAndDestroy(P p) {
  if (!p) return;
  this->remove(p);
  delete p;
}

template <class T, class P>
void CStdList<T, P>::Remove(const CStdList& o) {
  // A set taken first: o may be this list.
  std::unordered_set<P> gone(o.begin(), o.end());
  gone.erase(nullptr);
  this->remove_if([&gone](P p) { return gone.count(p) != 0; });
}

template <class T, class P>
void CStdList<T, P>::RemoveAndDestroy(CStdList& o) {
  // Removed from this list first, o itself would end empty with its
  // elements never destroyed.
  if (&o == this) {
    RemoveAndDestroy();
    return;
  }
  Remove(o);
  o.RemoveAndDestroy();
}

template <class T, class P>
void CStdList<T, P>::RemoveAll() {
  this->clear();
}

template <class T, class P>
void CStdList<T, P>::RemoveAndDestroy() {
  std::list<P> doomed;
  doomed.swap(*this);
  DestroyEachOnce(doomed, [](P p) { return p; });
}

template <class T, class P>
unsigned CStdList<T, P>::GetCount() const {
  return static_cast<unsigned>(this->size());
}

template <class T, class P>
bool CStdList<T, P>::IsEmpty() const {
  return this->empty();
}

template <class T, class P>
P& CStdList<T, P>::GetHead() {
  return this->front();
}

template <class T, class P>
P CStdList<T, P>::GetHead() const {
  return this->front();
}

template <class T, class P>
P& CStdList<T, P>::GetTail() {
  return this->back();
}

template <class T, class P>
P CStdList<T, P>::GetTail() const {
  return this->back();
}

template <class T, class P>
typename CStdList<T, P>::POSITION CStdList<T, P>::GetHeadPosition() {
  return this->begin();
}

template <class T, class P>
typename CStdList<T, P>::POSITION CStdList<T, P>::GetHeadPosition() const {
  return const_cast<CStdList*>(this)->begin();
}

template <class T, class P>
typename CStdList<T, P>::POSITION CStdList<T, P>::GetTailPosition() {
  return this->empty() ? this->end() : std::prev(this->end());
}

template <class T, class P>
typename CStdList<T, P>::POSITION CStdList<T, P>::GetTailPosition() const {
  return const_cast<CStdList*>(this)->GetTailPosition();
}

template <class T, class P>
bool CStdList<T, P>::IsEnd(POSITION pos) const {
  return pos == const_cast<CStdList*>(this)->end();
}

template <class T, class P>
P& CStdList<T, P>::GetNext(POSITION& pos) {
  return *pos++;
}

template <class T, class P>
P CStdList<T, P>::GetNext(POSITION& pos) const {
  return *pos++;
}

template <class T, class P>
P& CStdList<T, P>::GetPrev(POSITION& pos) {
  P& p = *pos;
  pos = pos == this->begin() ? this->end() : std::prev(pos);
  return p;
}

template <class T, class P>
P CStdList<T, P>::GetPrev(POSITION& pos) const {
  return const_cast<CStdList*>(this)->GetPrev(pos);
}

template <class T, class P>
P& CStdList<T, P>::GetAt(POSITION pos) {
  return *pos;
}

template <class T, class P>
P CStdList<T, P>::GetAt(POSITION pos) const {
  return *pos;
}

template <class T, class P>
void CStdList<T, P>::SetAt(POSITION pos, P p) {
  this->insert(pos, p);
}

template <class T, class P>
void CStdList<T, P>::ShowError(const CString& message) {
  m_strLastError = message;
}

template <class T, class P>
CString CStdList<T, P>::GetLastError() const {
  return m_strLastError;
}
