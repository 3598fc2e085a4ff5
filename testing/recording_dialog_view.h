// CRecordingDialogView: a dialog's controls as plain values. It stands in for the
// window in the dialog's own tests: control texts and enabled states, focus,
// the progress bar, a count of the changes the dialog made to each control,
// and a record of every message box with its answer taken from one
// replaceable function. Linked by tests only.
#pragma once

#include <functional>
#include <map>
#include <vector>

#include "app/dialog/dialog_view.h"

class CRecordingDialogView : public CDialogView {
 public:
  struct CShownBox {
    CString strText;
    CString strCaption;
    unsigned nType;
  };
  // Answers a message box; the default answers kIdOk to an OK box and kIdNo
  // to a question.
  using Answerer = std::function<int(const CString& text, const CString& caption, unsigned type)>;

  // The dialog holds exactly the controls named here, all empty and enabled.
  explicit CRecordingDialogView(const std::vector<int>& ids);

  bool HasItem(int id) const override;
  CString GetItemText(int id) const override;
  size_t GetItemTextLength(int id) const override;
  void SetItemText(int id, const CString& text) override;
  void AppendItemText(int id, const CString& text) override;
  bool IsItemEnabled(int id) const override;
  void EnableItem(int id, bool enable) override;
  void FocusItem(int id) override;
  void UpdateNow() override;
  void SetProgressRange(int low, int high) override;
  void SetProgressPos(int pos) override;
  int MessageBox(const CString& text, const CString& caption, unsigned type) override;

  // Typing into a control, as the user would (no notification is sent, and
  // the change is not counted).
  void Type(int id, const CString& text);

  std::map<int, CString> m_texts;
  std::map<int, bool> m_enabled;
  // SetItemText, AppendItemText and EnableItem calls so far, by control id,
  // and GetItemText calls.
  std::map<int, int> m_nSets, m_nAppends, m_nEnables;
  mutable std::map<int, int> m_nReads;
  int m_nFocus = 0;
  int m_nProgressLow = 0;
  int m_nProgressHigh = 100;
  int m_nProgressPos = 0;
  int m_nProgressSets = 0;  // SetProgressPos calls so far
  std::vector<CShownBox> m_boxes;
  Answerer m_answerer;
};
