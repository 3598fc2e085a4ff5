#include "app/dialog/velmora_dlg.h"

#include "app/engine/run_input.h"
#include "app/engine/trash_folder.h"
#include "app/res/resource.h"
#include "app/settings.h"

namespace {

struct CCommandEntry {
  int nId;
  void (CVelmoraDlg::*pfnHandler)();
};

const CCommandEntry kCommands[] = {
    {IDC_REMOVE_FILES, &CVelmoraDlg::OnRemoveFiles},
    {IDC_REMOVE_FOLDERS, &CVelmoraDlg::OnRemoveFolders},
    {IDC_BROWSE, &CVelmoraDlg::OnBrowse},
    {IDC_CLEAR_SCREEN, &CVelmoraDlg::OnClearScreen},
    {IDC_PRINT, &CVelmoraDlg::OnPrint},
    {IDC_GO, &CVelmoraDlg::OnGo},
    {ID_PRESET_CPP, &CVelmoraDlg::OnPresetCpp},
    {ID_PRESET_MPLAB, &CVelmoraDlg::OnPresetMplab},
    {IDC_STOP, &CVelmoraDlg::OnStop},
};

}  // namespace

CString CVelmoraDlgServices::TrashFolderOf(const CString& source) { return ::TrashFolderOf(source); }

CVelmoraDlg::CVelmoraDlg(CDialogView& view, CVelmoraDlgServices& services, const CProfile& profile)
    : m_view(view), m_services(services), m_profile(profile) {}

bool CVelmoraDlg::OnCommand(int id) {
  if (m_bJobRunning && id != IDC_STOP) return false;
  for (const CCommandEntry& entry : kCommands) {
    if (entry.nId == id) {
      (this->*entry.pfnHandler)();
      return true;
    }
  }
  return false;
}

void CVelmoraDlg::DoDataExchange(bool saveAndValidate) {
  struct {
    int nId;
    CString* pValue;
  } const texts[] = {{IDC_SOURCE, &m_strSource},
                     {IDC_LOG, &m_strLog},
                     {IDC_EXTENSION, &m_strExt},
                     {IDC_FOLDER_NAME, &m_strFolderName},
                     {IDC_TRASH, &m_strTrash}};
  if (saveAndValidate) {
    FlushPaced();  // what is read back holds every line
    for (const auto& text : texts) *text.pValue = m_view.GetItemText(text.nId);
    m_nLogShown = m_strLog.size();
    return;
  }
  for (const auto& text : texts) {
    if (text.nId == IDC_LOG) ExchangePaced();
    else SetTextIfChanged(text.nId, *text.pValue);
  }
  EnableIfChanged(IDC_REMOVE_FOLDERS, !m_bRunning);
  EnableIfChanged(IDC_REMOVE_FILES, !m_bRunning);
  EnableIfChanged(IDC_STOP, m_bRunning);
}

void CVelmoraDlg::SetTextIfChanged(int id, const CString& text) {
  if (m_view.GetItemText(id) != text) m_view.SetItemText(id, text);
}

void CVelmoraDlg::EnableIfChanged(int id, bool enable) {
  if (m_view.IsItemEnabled(id) != enable) m_view.EnableItem(id, enable);
}

void CVelmoraDlg::ExchangePaced() {
  const bool behind = m_strLog.size() > m_nLogShown || m_nProgress != m_nProgressShown || m_bStatusWaiting;
  if (m_bRunning && behind && !MayRedraw()) {
    m_bPacedWaiting = true;
    return;
  }
  ShowPaced();
}

bool CVelmoraDlg::MayRedraw() {
  const bool cheap = m_nRedrawCost == 0;
  return (cheap || GetMonotonicMilliseconds() - m_nRedrawEnd >= (kRedrawShare - 1) * m_nRedrawCost) &&
         m_paceRate.Pass();
}

void CVelmoraDlg::ShowPaced() {
  const int64_t start = GetMonotonicMilliseconds();
  ShowLog();
  if (m_nProgress != m_nProgressShown) m_view.SetProgressPos(m_nProgress);
  m_nProgressShown = m_nProgress;
  if (m_bStatusWaiting) m_view.SetItemText(IDC_STATUS, m_strStatus);
  m_bStatusWaiting = false;
  m_bPacedWaiting = false;
  if (m_bRunning) m_view.UpdateNow();  // the painting is part of the cost
  m_nRedrawEnd = GetMonotonicMilliseconds();
  m_nRedrawCost = m_nRedrawEnd - start;
}

void CVelmoraDlg::ShowLog() {
  // During a run the pane's text grows long: while its length says it holds
  // what it was last given, the new lines are appended without reading it.
  if (m_bRunning && m_nLogShown <= m_strLog.size() && m_view.GetItemTextLength(IDC_LOG) == m_nLogShown) {
    if (m_strLog.size() > m_nLogShown) m_view.AppendItemText(IDC_LOG, m_strLog.substr(m_nLogShown));
    m_nLogShown = m_strLog.size();
    return;
  }
  const CString shown = m_view.GetItemText(IDC_LOG);
  if (shown.size() < m_strLog.size() && m_strLog.compare(0, shown.size(), shown) == 0)
    m_view.AppendItemText(IDC_LOG, m_strLog.substr(shown.size()));
  else if (shown != m_strLog)
    m_view.SetItemText(IDC_LOG, m_strLog);
  m_nLogShown = m_strLog.size();
}

void CVelmoraDlg::FlushPaced() {
  if (m_bPacedWaiting) ShowPaced();
}

bool CVelmoraDlg::UpdateData(bool saveAndValidate) {
  DoDataExchange(saveAndValidate);
  return true;
}

bool CVelmoraDlg::OnInitDialog() {
  UpdateData(false);  // the controls start from the (empty) members
  m_view.SetItemText(IDC_STATUS, CString());
  LoadSettings();
  UpdateTrash();
  UpdateData(false);
  return true;
}

bool CVelmoraDlg::OnOK() { return UpdateData(true); }

void CVelmoraDlg::OnDestroy() { SaveSettings(); }

void CVelmoraDlg::LoadSettings() {
  m_strSource = m_profile.GetString(kSettingsSection, kPathRootEntry);
  m_strExt = m_profile.GetString(kSettingsSection, kExtensionsEntry);
  m_strFolderName = m_profile.GetString(kSettingsSection, kFolderNameEntry);
}

void CVelmoraDlg::SaveSettings() {
  m_profile.WriteString(kSettingsSection, kPathRootEntry, m_strSource);
  m_profile.WriteString(kSettingsSection, kExtensionsEntry, m_strExt);
  m_profile.WriteString(kSettingsSection, kFolderNameEntry, m_strFolderName);
}

void CVelmoraDlg::OnBegin() {
  UpdateData(true);
  m_bRunning = true;
  m_view.SetItemText(IDC_STATUS, CString());
  m_bStatusWaiting = false;
  m_nProgress = m_nProgressShown;  // where the bar stands: 0 since the last run
  m_nRedrawCost = 0;               // each run learns the cost of its own redraws
  m_strLog.clear();
  UpdateData(false);
}

void CVelmoraDlg::OnEnd() {
  FlushPaced();
  m_bRunning = false;
  m_nProgress = m_nProgressShown = 0;
  m_view.SetProgressPos(0);
  UpdateData(false);
}

void CVelmoraDlg::OnStatus(const CString& line) {
  ++m_nProgress;
  m_strStatus = line;
  m_bStatusWaiting = true;
  AddLine(line);
  ExchangePaced();  // nothing else changes between two items
}

bool CVelmoraDlg::PrepareRun(CleanupKind kind, CString& source, CString& list) {
  if (!CheckAndConfirm(kind)) return false;
  source = m_strSource;
  list = kind == CleanupKind::kFiles ? m_strExt : m_strFolderName;
  return true;
}

void CVelmoraDlg::SetStatusText(const CString& text) {
  FlushPaced();  // the bar catches up with the last item first
  m_bStatusWaiting = false;
  if (m_view.HasItem(IDC_STATUS)) m_view.SetItemText(IDC_STATUS, text);
}

void CVelmoraDlg::SetProgressRange(int32_t count) {
  FlushPaced();
  m_view.SetProgressRange(0, count);
}

void CVelmoraDlg::OnBrowse() {
  CString folder;
  if (!m_services.BrowseForFolder(L"Root Folder", m_strSource, folder)) return;
  m_strSource = folder;
  m_profile.WriteString(kSettingsSection, kPathRootEntry, m_strSource);
  UpdateTrash();
  UpdateData(false);
}

void CVelmoraDlg::OnClearScreen() {
  FlushPaced();  // the bar and the status line show the run as it stands
  m_strLog.clear();
  UpdateData(false);
}

void CVelmoraDlg::OnPrint() {
  UpdateData(true);
  m_services.ShowInNotepad(m_strLog, L"CleanupLog.log");
}

void CVelmoraDlg::OnGo() { OpenFolder(m_services.GetBatchFolder()); }

void CVelmoraDlg::OpenFolder(const CString& path) { m_services.OpenFolder(path); }

CString CVelmoraDlg::TrashFolderOf(const CString& source) { return m_services.TrashFolderOf(source); }

void CVelmoraDlg::OnPresetCpp() {
  m_strExt = kPresetCpp;
  UpdateData(false);
}

void CVelmoraDlg::OnPresetMplab() {
  m_strExt = kPresetMplab;
  UpdateData(false);
}

void CVelmoraDlg::OnStop() {
  FlushPaced();
  m_services.Cancel();
}

void CVelmoraDlg::AddLine(const CString& text) { m_strLog += text + L"\r\n"; }

void CVelmoraDlg::ErrorBox(const CString& text, const CString& caption) {
  ShowBox(text, caption, kMbOk | kMbIconError);
}

int CVelmoraDlg::Confirm(const CString& text, const CString& caption) {
  return ShowBox(text, caption, kMbYesNoCancel | kMbIconQuestion);
}

int CVelmoraDlg::ShowBox(const CString& text, const CString& caption, unsigned type) {
  FlushPaced();  // the box may stay up a long time: the window behind it is complete
  return m_view.MessageBox(text, caption, type);
}

bool CVelmoraDlg::CheckSource(bool prompt) {
  TrimString(m_strSource);
  CInputError error;
  const CSourceProbe probe{[this](const CString& path) { return m_services.IsFolder(path); },
                           [this](const CString& path) { return m_services.IsInsideTrash(path); }};
  if (CheckSourceInput(m_strSource, probe, error)) return true;
  if (prompt || !m_strSource.empty()) ErrorBox(error.strText, error.strCaption);
  return false;
}

bool CVelmoraDlg::CheckFolderName() { return CheckList(CleanupKind::kFolders, m_strFolderName, IDC_FOLDER_NAME); }

bool CVelmoraDlg::CheckExtension() { return CheckList(CleanupKind::kFiles, m_strExt, IDC_EXTENSION); }

bool CVelmoraDlg::CheckList(CleanupKind kind, const CString& list, int controlId) {
  CInputError error;
  if (CheckListInput(kind, list, error)) return true;
  ErrorBox(error.strText, error.strCaption);
  m_view.FocusItem(controlId);
  return false;
}

void CVelmoraDlg::UpdateTrash() {
  if (!CheckSource(false)) {
    m_strTrash.clear();
    return;
  }
  CString error;
  if (m_services.MakeTrashFolder(m_strSource, error)) {
    m_strTrash = m_services.GetTrashFolder();
    return;
  }
  // A source on a read-only drive or a network path: reported like a run's
  // error, and the dialog goes on without a trash folder to show.
  m_strTrash.clear();
  ErrorBox(error);
}

bool CVelmoraDlg::CheckAndConfirm(CleanupKind kind) {
  if (!CheckSource(true)) return false;
  const bool files = kind == CleanupKind::kFiles;
  if (!(files ? CheckExtension() : CheckFolderName())) return false;
  if (!MakeRunTrashFolder()) return false;
  const CString& list = files ? m_strExt : m_strFolderName;
  return Confirm(FormatQuestion(kind, CutForQuestion(list), m_strSource, m_strTrash)) == kIdYes;
}

bool CVelmoraDlg::MakeRunTrashFolder() {
  CString error;
  const bool made = m_services.MakeTrashFolder(m_strSource, error);
  m_strTrash = made ? m_services.GetTrashFolder() : CString();
  UpdateData(false);
  if (!made) ErrorBox(error);
  return made;
}

CString CutForQuestion(const CString& text) {
  if (text.size() <= kQuestionListLength) return text;
  return text.substr(0, kQuestionListLength) + L"...";
}
