#include "app/dialog/control_state.h"

CControlState::CControlState(const std::vector<int>& ids) {
  for (const int id : ids) {
    m_texts[id];
    m_enabled[id] = true;
  }
}

bool CControlState::HasItem(int id) const { return m_texts.count(id) != 0; }

CString CControlState::GetItemText(int id) const {
  ++m_nReads[id];
  const auto it = m_texts.find(id);
  return it == m_texts.end() ? CString() : it->second;
}

size_t CControlState::GetItemTextLength(int id) const {
  const auto it = m_texts.find(id);
  return it == m_texts.end() ? 0 : it->second.size();
}

void CControlState::SetItemText(int id, const CString& text) {
  if (!HasItem(id)) return;
  ++m_nSets[id];
  m_texts[id] = text;
}

void CControlState::AppendItemText(int id, const CString& text) {
  if (!HasItem(id)) return;
  ++m_nAppends[id];
  m_texts[id] += text;
}

void CControlState::Type(int id, const CString& text) {
  if (HasItem(id)) m_texts[id] = text;
}

void CControlState::EnableItem(int id, bool enable) {
  if (!HasItem(id)) return;
  ++m_nEnables[id];
  m_enabled[id] = enable;
}

bool CControlState::IsItemEnabled(int id) const {
  const auto it = m_enabled.find(id);
  return it != m_enabled.end() && it->second;
}

void CControlState::FocusItem(int id) {
  if (HasItem(id)) m_nFocus = id;
}

void CControlState::UpdateNow() {}

void CControlState::SetProgressRange(int low, int high) {
  m_nProgressLow = low;
  m_nProgressHigh = high;
}

void CControlState::SetProgressPos(int pos) {
  ++m_nProgressSets;
  m_nProgressPos = pos;
}

int CControlState::MessageBox(const CString& text, const CString& caption, unsigned type) {
  m_boxes.push_back(CShownBox{text, caption, type});
  if (m_answerer) return m_answerer(text, caption, type);
  return (type & 0xF) == kMbOk ? kIdOk : kIdNo;
}
