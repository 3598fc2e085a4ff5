#include "testing/recording_dialog_view.h"

CRecordingDialogView::CRecordingDialogView(const std::vector<int>& ids) {
  for (const int id : ids) {
    m_texts[id];
    m_enabled[id] = true;
  }
}

bool CRecordingDialogView::HasItem(int id) const { return m_texts.count(id) != 0; }

CString CRecordingDialogView::GetItemText(int id) const {
  ++m_nReads[id];
  const auto it = m_texts.find(id);
  return it == m_texts.end() ? CString() : it->second;
}

size_t CRecordingDialogView::GetItemTextLength(int id) const {
  const auto it = m_texts.find(id);
  return it == m_texts.end() ? 0 : it->second.size();
}

void CRecordingDialogView::SetItemText(int id, const CString& text) {
  if (!HasItem(id)) return;
  ++m_nSets[id];
  m_texts[id] = text;
}

void CRecordingDialogView::AppendItemText(int id, const CString& text) {
  if (!HasItem(id)) return;
  ++m_nAppends[id];
  m_texts[id] += text;
}

void CRecordingDialogView::Type(int id, const CString& text) {
  if (HasItem(id)) m_texts[id] = text;
}

void CRecordingDialogView::EnableItem(int id, bool enable) {
  if (!HasItem(id)) return;
  ++m_nEnables[id];
  m_enabled[id] = enable;
}

bool CRecordingDialogView::IsItemEnabled(int id) const {
  const auto it = m_enabled.find(id);
  return it != m_enabled.end() && it->second;
}

void CRecordingDialogView::FocusItem(int id) {
  if (HasItem(id)) m_nFocus = id;
}

void CRecordingDialogView::UpdateNow() {}

void CRecordingDialogView::SetProgressRange(int low, int high) {
  m_nProgressLow = low;
  m_nProgressHigh = high;
}

void CRecordingDialogView::SetProgressPos(int pos) {
  ++m_nProgressSets;
  m_nProgressPos = pos;
}

int CRecordingDialogView::MessageBox(const CString& text, const CString& caption, unsigned type) {
  m_boxes.push_back(CShownBox{text, caption, type});
  if (m_answerer) return m_answerer(text, caption, type);
  return (type & 0xF) == kMbOk ? kIdOk : kIdNo;
}
