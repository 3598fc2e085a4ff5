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
#include "app/res/resource.h"

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

  // The dialog holds exactly the controls named here (by default those of
  // the main dialog), all empty and enabled.
  explicit CRecordingDialogView(const std::vector<int>& ids = {
                                    kIdOk, IDC_SOURCE, IDC_BROWSE, IDC_GO, IDC_TRASH, IDC_LOG,
                                    IDC_CLEAR_SCREEN, IDC_PRINT, IDC_STOP, IDC_EXTENSION, IDC_MENU,
                                    IDC_REMOVE_FILES, IDC_FOLDER_NAME, IDC_REMOVE_FOLDERS, IDC_STATUS,
                                    IDC_PROGRESS}) {
    for (const int id : ids) {
      m_texts[id];
      m_enabled[id] = true;
    }
  }

  bool HasItem(int id) const override { return m_texts.count(id) != 0; }
  CString GetItemText(int id) const override {
    ++m_nReads[id];
    return HasItem(id) ? m_texts.at(id) : CString();
  }
  size_t GetItemTextLength(int id) const override { return HasItem(id) ? m_texts.at(id).size() : 0; }
  void SetItemText(int id, const CString& text) override {
    if (!HasItem(id)) return;
    ++m_nSets[id];
    m_texts[id] = text;
  }
  void AppendItemText(int id, const CString& text) override {
    if (!HasItem(id)) return;
    ++m_nAppends[id];
    m_texts[id] += text;
  }
  bool IsItemEnabled(int id) const override { return HasItem(id) && m_enabled.at(id); }
  void EnableItem(int id, bool enable) override {
    if (!HasItem(id)) return;
    ++m_nEnables[id];
    m_enabled[id] = enable;
  }
  void FocusItem(int id) override {
    if (HasItem(id)) m_nFocus = id;
  }
  void UpdateNow() override {}
  void SetProgressRange(int, int high) override { m_nProgressHigh = high; }
  void SetProgressPos(int pos) override {
    ++m_nProgressSets;
    m_nProgressPos = pos;
  }
  int MessageBox(const CString& text, const CString& caption, unsigned type) override {
    m_boxes.push_back(CShownBox{text, caption, type});
    if (m_answerer) return m_answerer(text, caption, type);
    return (type & 0xF) == kMbOk ? kIdOk : kIdNo;
  }

  // Typing into a control, as the user would (no notification is sent, and
  // the change is not counted).
  void Type(int id, const CString& text) {
    if (HasItem(id)) m_texts[id] = text;
  }

  std::map<int, CString> m_texts;
  std::map<int, bool> m_enabled;
  // SetItemText, AppendItemText and EnableItem calls so far, by control id,
  // and GetItemText calls.
  std::map<int, int> m_nSets, m_nAppends, m_nEnables;
  mutable std::map<int, int> m_nReads;
  int m_nFocus = 0;
  int m_nProgressHigh = 100;  // the top of the range last set
  int m_nProgressPos = 0;
  int m_nProgressSets = 0;  // SetProgressPos calls so far
  std::vector<CShownBox> m_boxes;
  Answerer m_answerer;
};
