// The window side of a dialog, as its portable logic sees it: texts and
// enabled states of the controls by id, keyboard focus, the progress bar and
// message boxes. The Windows program implements it over a real dialog
// window; CRecordingDialogView implements it as plain values.
#pragma once

#include "platform/cstring.h"

// Message box styles and answers, with the values of the Windows API.
enum : unsigned {
  kMbOk = 0x0,
  kMbYesNoCancel = 0x3,
  kMbIconError = 0x10,
  kMbIconQuestion = 0x20,
};
enum : int {
  kIdOk = 1,
  kIdCancel = 2,
  kIdYes = 6,
  kIdNo = 7,
};

class CDialogView {
 public:
  virtual ~CDialogView() = default;

  // False when the dialog has no control with that id.
  virtual bool HasItem(int id) const = 0;
  virtual CString GetItemText(int id) const = 0;
  // The length of that text, without reading it.
  virtual size_t GetItemTextLength(int id) const = 0;
  virtual void SetItemText(int id, const CString& text) = 0;
  // Adds text at the end of an edit control's text, past any limit set for
  // typing, and scrolls the control to show its end.
  virtual void AppendItemText(int id, const CString& text) = 0;
  virtual bool IsItemEnabled(int id) const = 0;
  virtual void EnableItem(int id, bool enable) = 0;
  virtual void FocusItem(int id) = 0;

  // Paints what has changed at once, rather than when the message queue
  // gets to it, so that the caller can see what a redraw costs.
  virtual void UpdateNow() = 0;

  // The progress bar: range and position.
  virtual void SetProgressRange(int low, int high) = 0;
  virtual void SetProgressPos(int pos) = 0;

  // A modal message box owned by the dialog; type is a kMb* combination.
  // Returns the kId* of the button pressed.
  virtual int MessageBox(const CString& text, const CString& caption, unsigned type) = 0;
};
