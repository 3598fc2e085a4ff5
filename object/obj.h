// CObj: root of the toolkit's value classes. Every object carries a bit mask
// of modified parts, a status word (selected, checked) and an identifier
// text, offers virtual create/clone/copy/compare operations, and writes and
// reads itself as one element of a plain XML-like text:
//
//   \r\n<CObj  CObj::uModified='5'  CObj::Status='1'  CObj::strGUID='' ></CObj>
//
// A derived class replaces XMLObject (the element name), WriteXMLAttr and
// ReadXMLAttr(name, value) (its attributes) and, for lists, WriteXMLBody and
// ReadXML. Attribute values escape &, ', < and > as &amp; &apos; &lt; &gt;
// and reading decodes exactly these four, so any text survives a round trip
// except for leading and trailing white space, which reading trims.
//
// A derived class that overrides one ReadXMLAttr overload should bring the
// other into scope (using CObj::ReadXMLAttr;).
#pragma once

#include "platform/api.h"
#include "platform/cstring.h"

class VELMORA_API CObj {
 public:
  // All three fields zero or empty.
  CObj();
  // Copies the three fields.
  CObj(const CObj& o);
  virtual ~CObj();

  // A new object of the same class as this one with this one's fields
  // (CreateObject, then Copy); the caller owns it.
  virtual CObj* Clone() const;
  // A new default-constructed object of this object's class; the caller
  // owns it. Each derived class returns its own type.
  virtual CObj* CreateObject() const;
  // Destroys this object (delete this). REQUIRES: a heap object.
  virtual void ShutDown();
  // Back to the constructed state.
  virtual void Clear();
  // The reset that ReadXMLAttr(attributes) applies first; nothing in CObj.
  virtual void Default();
  // Copies uModified, Status and strGUID; derived classes extend it.
  virtual void Copy(const CObj& o);
  // False in CObj: two base objects never compare equal.
  virtual bool IsEqual(const CObj& o) const;

  // The steps of the text form; each appends to out.
  // CR LF, "<", XMLObject() and one blank.
  virtual void WriteXMLOpenTag(CString& out);
  // The attributes, each made by XMLAttr.
  virtual void WriteXMLAttr(CString& out);
  // The element content; nothing in CObj.
  virtual void WriteXMLBody(CString& out);
  // "</", XMLObject(), ">".
  virtual void WriteXMLCloseTag(CString& out);
  // The whole element (open tag, attributes, ">", body, close tag), appended
  // to out in one step, so that several objects can share one text.
  virtual void WriteXML(CString& out);
  // The element name: "CObj" here.
  virtual CString XMLObject() const;
  // Takes one attribute (name compared case-insensitively, value already
  // decoded and trimmed). True when the name was one of this class's.
  virtual bool ReadXMLAttr(const CString& name, const CString& value);
  // Applies an attribute list: Default(), then every name='value' pair
  // through ReadXMLAttr(name, value). Unknown names are skipped.
  virtual void ReadXMLAttr(const CString& attributes);
  // Reads one element of this class from the front of xml and consumes it:
  // the text before the first "<", the open tag, and (when found and not
  // last in xml) the body and the close tag. False when there is no open
  // tag or it names another element; xml has then lost what was read.
  virtual bool ReadXML(CString& xml);

  // Calls Copy(o); no chaining.
  void operator=(const CObj& o);
  // IsEqual(o) and its negation.
  bool operator==(const CObj& o) const;
  bool operator!=(const CObj& o) const;

  // Status bit 0 (selected) and bit 1 (checked); the setters leave the
  // other bits alone.
  bool IsSelected() const;
  void SetSelected(bool b);
  bool IsChecked() const;
  void SetChecked(bool b);

  void SetModified(unsigned m);
  unsigned GetModified() const;
  // Any bit set; any of the bits of m set.
  bool IsModified() const;
  bool IsModified(unsigned m) const;
  void AddModified(unsigned m);
  void RemoveModified(unsigned m);

  // A new GUID in registry form ("{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}",
  // upper case), stored in strGUID and returned. Empty when the platform
  // gives none.
  CString CreateGUID();
  CString GetStrGUID() const;

  // s without leading and trailing white space.
  static CString Trim(CString s);
  // Trim(s) without any blank (U+0020) left inside; upper case if upper.
  static CString Squeeze(CString s, bool upper);
  // " name='value' ", with &, ', < and > of value escaped.
  static CString XMLAttr(const CString& name, const CString& value);
  // " name='value' ", value in signed decimal.
  static CString XMLAttr(const CString& name, int value);
  // The free GetNextToken of text/tokens.h under this name as well.
  static CString GetNextToken(CString& s, const CString& delimiters);
  // The free LeftToken of text/tokens.h under this name.
  static CString LeftToken(CString& s, const CString& delimiter);

  unsigned uModified;  // bit mask of modified parts; bits belong to the derived class
  unsigned Status;     // bit 0 selected, bit 1 checked; other bits kept as they are
  CString strGUID;     // identifier, normally a GUID in registry form
};
