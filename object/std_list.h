// CStdList<T, P>: a doubly linked list of element pointers (P = T*) that can
// own its elements. The list of pointers is the public base; on top of it the
// class adds an owning flag (an owning list destroys its elements when it is
// destroyed), deep copies made with T's copy constructor, removal with or
// without destruction, and position walking both ways.
//
// The list may hold the same pointer more than once; every operation that
// destroys elements destroys each distinct object once. Null pointers may be
// held; they are never destroyed, and a copy of the list holds null there
// too.
//
// The instantiations the toolkit exports are declared with VELMORA_API
// beside their element classes (path/file_path_list.h, ftp/ftp_path_list.h)
// and made there; the member definitions are in std_list.inl, so any other
// element class can be used as well.
#pragma once

#include <list>

#include "platform/api.h"
#include "platform/cstring.h"

template <class T, class P>
class CStdList : public std::list<P> {
 public:
  // Designates one element of a list, or its end.
  using POSITION = typename std::list<P>::iterator;
  // The callback of ForEach: one element and the caller's context.
  using ForEachProc = void (*)(P element, void* context);

  // An empty list. bOwning: destroy the elements with the list. bSpare is
  // stored and copied with the list; no operation reads it.
  explicit CStdList(bool bOwning = true, bool bSpare = false);
  // The last error, both flags and a new copy of every element of o.
  CStdList(const CStdList& o);
  // An owning list destroys its elements (RemoveAndDestroy()).
  virtual ~CStdList();

  // A new default-constructed T; the caller owns it.
  virtual P CreateComponent();
  // Takes o's last error and flags, destroys this list's elements (owning or
  // not) and appends a new copy of each of o's. Copying a list onto itself
  // changes nothing.
  virtual void Copy(const CStdList& o);
  // Appends a new copy (T's copy constructor) of each element of o, in
  // order; o is unchanged. Appending a list to itself copies the elements
  // it held before the call.
  virtual void Append(const CStdList& o);
  // Calls proc(element, context) for each element from head to tail. The
  // next element is taken before each call, so proc may remove or destroy
  // the element it is given (not others).
  virtual void ForEach(ForEachProc proc, void* context);
  // A new default-constructed T, as CreateComponent.
  virtual P CreateObject() const;

  // Copy(o); no chaining.
  void operator=(const CStdList& o);
  // Append(o).
  void operator+=(const CStdList& o);
  // RemoveAndDestroy(o).
  void operator-=(CStdList& o);

  void AddHead(P p);
  void AddTail(P p);
  // The same as AddTail.
  void Add(P p);
  // Removes every occurrence of p (nothing for null); destroys nothing.
  void Remove(P p);
  // Removes every occurrence of p, then destroys p once (nothing for null).
  void RemoveAndDestroy(P p);
  // Removes from this list every occurrence of each non-null element of o;
  // destroys nothing.
  void Remove(const CStdList& o);
  // Remove(o), then o.RemoveAndDestroy(): the shared elements leave this
  // list and are destroyed through o, which ends empty.
  void RemoveAndDestroy(CStdList& o);
  // Empties the list; destroys nothing.
  void RemoveAll();
  // Empties the list and destroys each distinct non-null element once.
  void RemoveAndDestroy();

  unsigned GetCount() const;
  bool IsEmpty() const;

  // REQUIRES: the list is not empty.
  P& GetHead();
  P GetHead() const;
  P& GetTail();
  P GetTail() const;

  // The first (last) element's position; the end position when empty.
  POSITION GetHeadPosition();
  POSITION GetHeadPosition() const;
  POSITION GetTailPosition();
  POSITION GetTailPosition() const;
  // pos is this list's end position.
  bool IsEnd(POSITION pos) const;
  // The element at pos; pos moves to the next element, or to the end.
  // REQUIRES (all position reads): pos designates an element of this list.
  P& GetNext(POSITION& pos);
  P GetNext(POSITION& pos) const;
  // The element at pos; pos moves to the previous element, or to the end
  // when it was at the first.
  P& GetPrev(POSITION& pos);
  P GetPrev(POSITION& pos) const;
  P& GetAt(POSITION pos);
  P GetAt(POSITION pos) const;
  // Inserts p before the element at pos (at the tail for the end position).
  void SetAt(POSITION pos, P p);

  // Stores message as the last error; nothing is shown.
  void ShowError(const CString& message);
  CString GetLastError() const;

 protected:
  CString m_strLastError;  // set by ShowError only
  bool m_bSpare;           // stored and copied, read by nothing
  bool m_bOwning;          // the destructor destroys the elements
};

#include "object/std_list.inl"
