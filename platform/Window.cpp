#include "platform/Window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QIcon>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QSlider>
#include <QStyle>
#include <QWidget>
#include <mutex>

namespace {

QString ToQ(LPCWSTR psz) { return QString::fromWCharArray(psz ? psz : L""); }
CString FromQ(const QString& str) { return CString(str.toStdWString()); }

}  // namespace

// ---- CMenu ----

BOOL CMenu::CreatePopupMenu() {
  if (m_pMenu) return FALSE;
  m_pMenu = new QMenu;
  return TRUE;
}

CMenu::~CMenu() { DestroyMenu(); }

BOOL CMenu::AppendMenu(UINT nFlags, UINT nIDNewItem, LPCWSTR lpszNewItem) {
  if (!m_pMenu) return FALSE;
  if (nFlags & MF_SEPARATOR) {
    m_pMenu->addSeparator()->setData(0u);
    return TRUE;
  }
  m_pMenu->addAction(ToQ(lpszNewItem))->setData(nIDNewItem);
  return TRUE;
}

int CMenu::GetMenuItemCount() const { return m_pMenu ? static_cast<int>(m_pMenu->actions().size()) : -1; }

UINT CMenu::GetMenuItemID(int nPos) const {
  if (!m_pMenu || nPos < 0 || nPos >= m_pMenu->actions().size()) return static_cast<UINT>(-1);
  return m_pMenu->actions().at(nPos)->data().toUInt();
}

CString CMenu::GetMenuString(int nPos) const {
  if (!m_pMenu || nPos < 0 || nPos >= m_pMenu->actions().size()) return CString();
  return FromQ(m_pMenu->actions().at(nPos)->text());
}

BOOL CMenu::DestroyMenu() {
  if (!m_pMenu) return FALSE;
  delete m_pMenu;
  m_pMenu = nullptr;
  return TRUE;
}

// ---- CWnd ----

CWnd::~CWnd() = default;

void CWnd::SetWindowText(LPCWSTR lpszString) {
  if (!m_pWidget) return;
  const QString text = ToQ(lpszString);
  if (auto* pButton = qobject_cast<QAbstractButton*>(m_pWidget)) pButton->setText(text);
  else if (auto* pEdit = qobject_cast<QLineEdit*>(m_pWidget)) pEdit->setText(text);
  else if (auto* pCombo = qobject_cast<QComboBox*>(m_pWidget)) pCombo->setEditText(text);
  else if (m_pWidget->isWindow()) m_pWidget->setWindowTitle(text);
  else m_pWidget->setProperty("text", text);
}

void CWnd::GetWindowText(CString& rString) const {
  rString.Empty();
  if (!m_pWidget) return;
  if (auto* pButton = qobject_cast<QAbstractButton*>(m_pWidget)) rString = FromQ(pButton->text());
  else if (auto* pEdit = qobject_cast<QLineEdit*>(m_pWidget)) rString = FromQ(pEdit->text());
  else if (auto* pCombo = qobject_cast<QComboBox*>(m_pWidget)) rString = FromQ(pCombo->currentText());
  else if (m_pWidget->isWindow()) rString = FromQ(m_pWidget->windowTitle());
  else rString = FromQ(m_pWidget->property("text").toString());
}

int CWnd::GetDlgItemText(int nID, CString& rString) const {
  rString.Empty();
  if (CWnd* pItem = GetDlgItem(nID)) pItem->GetWindowText(rString);
  return rString.GetLength();
}

void CWnd::SetDlgItemText(int nID, LPCWSTR lpszString) {
  if (CWnd* pItem = GetDlgItem(nID)) pItem->SetWindowText(lpszString);
}

BOOL CWnd::EnableWindow(BOOL bEnable) {
  if (!m_pWidget) return FALSE;
  const BOOL bWasDisabled = !m_pWidget->isEnabled();
  m_pWidget->setEnabled(bEnable != FALSE);
  return bWasDisabled;
}

BOOL CWnd::ShowWindow(int nCmdShow) {
  if (!m_pWidget) return FALSE;
  const BOOL bWasVisible = m_pWidget->isVisible();
  switch (nCmdShow) {
  case SW_HIDE: m_pWidget->hide(); break;
  case SW_MINIMIZE: m_pWidget->showMinimized(); break;
  case SW_RESTORE: m_pWidget->showNormal(); break;
  default: m_pWidget->show(); break;
  }
  return bWasVisible;
}

BOOL CWnd::IsWindowVisible() const { return m_pWidget && m_pWidget->isVisible(); }

BOOL CWnd::IsIconic() const { return m_pWidget && m_pWidget->isMinimized(); }

void CWnd::GetClientRect(RECT* pRect) const {
  *pRect = RECT{0, 0, m_pWidget ? m_pWidget->width() : 0, m_pWidget ? m_pWidget->height() : 0};
}

CWnd* CWnd::GetDlgItem(int nID) const {
  auto it = m_children.find(static_cast<UINT>(nID));
  return it == m_children.end() ? nullptr : it->second.get();
}

CMenu* CWnd::GetSystemMenu(BOOL) { return m_pSystemMenu.get(); }

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon) {
  HICON& hSlot = bBigIcon ? m_hIconBig : m_hIconSmall;
  HICON hOld = hSlot;
  hSlot = hIcon;
  if (m_pWidget && hIcon) m_pWidget->setWindowIcon(*static_cast<QIcon*>(hIcon));
  return hOld;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  UINT nCode = 0;
  UINT nID = 0;
  if (message == WM_COMMAND) {
    nCode = HIWORD(wParam);
    nID = LOWORD(wParam);
  } else if (message == WM_NOTIFY && lParam) {
    nCode = reinterpret_cast<NMHDR*>(lParam)->code;
    nID = reinterpret_cast<NMHDR*>(lParam)->idFrom;
  }
  if (const AFX_MSGMAP_ENTRY* pEntry = FindEntry(message, nCode, nID)) return CallEntry(*pEntry, wParam, lParam);
  return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SYSCOMMAND) OnSysCommand(static_cast<UINT>(wParam), lParam);
  return 0;
}

void CWnd::OnSysCommand(UINT nID, LPARAM) {
  switch (nID & 0xFFF0) {
  case SC_MINIMIZE: ShowWindow(SW_MINIMIZE); break;
  case SC_CLOSE: SendMessage(WM_CLOSE); break;
  default: break;
  }
}

// ---- controls ----

void CButton::SetCheck(int nCheck) {
  if (auto* pBox = qobject_cast<QCheckBox*>(m_pWidget))
    pBox->setCheckState(nCheck == BST_CHECKED ? Qt::Checked : nCheck == BST_INDETERMINATE ? Qt::PartiallyChecked : Qt::Unchecked);
}

int CButton::GetCheck() const {
  auto* pBox = qobject_cast<QCheckBox*>(m_pWidget);
  if (!pBox) return BST_UNCHECKED;
  switch (pBox->checkState()) {
  case Qt::Checked: return BST_CHECKED;
  case Qt::PartiallyChecked: return BST_INDETERMINATE;
  default: return BST_UNCHECKED;
  }
}

namespace {
QComboBox* Combo(QWidget* p) { return qobject_cast<QComboBox*>(p); }
QSlider* Slider(QWidget* p) { return qobject_cast<QSlider*>(p); }
}  // namespace

void CComboBox::ResetContent() {
  if (QComboBox* p = Combo(m_pWidget)) {
    const QSignalBlocker blocker(p);
    p->clear();
    p->setEditText(QString());
  }
}

int CComboBox::AddString(LPCWSTR lpszString) {
  QComboBox* p = Combo(m_pWidget);
  if (!p) return CB_ERR;
  const QSignalBlocker blocker(p);
  const int nSel = p->currentIndex();
  p->addItem(ToQ(lpszString));
  // An appended entry does not become the selection.
  if (nSel < 0) {
    p->setCurrentIndex(-1);
    p->setEditText(QString());
  }
  return p->count() - 1;
}

int CComboBox::SetCurSel(int nSelect) {
  QComboBox* p = Combo(m_pWidget);
  if (!p) return CB_ERR;
  const QSignalBlocker blocker(p);
  if (nSelect < 0 || nSelect >= p->count()) {
    p->setCurrentIndex(-1);
    p->setEditText(QString());
    return CB_ERR;
  }
  p->setCurrentIndex(nSelect);
  return nSelect;
}

int CComboBox::GetCurSel() const {
  QComboBox* p = Combo(m_pWidget);
  return p ? p->currentIndex() : CB_ERR;
}

int CComboBox::GetCount() const {
  QComboBox* p = Combo(m_pWidget);
  return p ? p->count() : CB_ERR;
}

void CComboBox::GetLBText(int nIndex, CString& rString) const {
  QComboBox* p = Combo(m_pWidget);
  rString = p && nIndex >= 0 && nIndex < p->count() ? FromQ(p->itemText(nIndex)) : CString();
}

int CComboBox::FindString(int nStartAfter, LPCWSTR lpszString) const {
  QComboBox* p = Combo(m_pWidget);
  if (!p || p->count() == 0) return CB_ERR;
  const QString prefix = ToQ(lpszString);
  const int nCount = p->count();
  const int nFirst = nStartAfter < 0 || nStartAfter >= nCount ? 0 : nStartAfter + 1;
  for (int i = 0; i < nCount; ++i) {
    const int n = (nFirst + i) % nCount;
    if (p->itemText(n).startsWith(prefix, Qt::CaseInsensitive)) return n;
  }
  return CB_ERR;
}

void CSliderCtrl::SetRange(int nMin, int nMax, BOOL) {
  if (QSlider* p = Slider(m_pWidget)) {
    const QSignalBlocker blocker(p);
    p->setRange(nMin, nMax);
  }
}

void CSliderCtrl::SetPos(int nPos) {
  if (QSlider* p = Slider(m_pWidget)) {
    const QSignalBlocker blocker(p);
    p->setValue(nPos);  // the slider holds the value within its range
  }
}

int CSliderCtrl::GetPos() const { return Slider(m_pWidget) ? Slider(m_pWidget)->value() : 0; }

// ---- painting ----

struct CPaintDC::Impl {
  QPainter painter;
};

CPaintDC::CPaintDC(CWnd* pWnd) : m_pImpl(std::make_unique<Impl>()) {
  if (pWnd && pWnd->GetWidget()) m_pImpl->painter.begin(pWnd->GetWidget());
}

CPaintDC::~CPaintDC() = default;

void CPaintDC::DrawIcon(int x, int y, HICON hIcon) {
  if (!hIcon || !m_pImpl->painter.isActive()) return;
  const int cx = GetSystemMetrics(SM_CXICON);
  const int cy = GetSystemMetrics(SM_CYICON);
  static_cast<QIcon*>(hIcon)->paint(&m_pImpl->painter, x, y, cx, cy);
}

int GetSystemMetrics(int nIndex) {
  switch (nIndex) {
  case SM_CXICON:
  case SM_CYICON: return 32;
  default: return 0;
  }
}

UINT RegisterWindowMessageW(LPCWSTR lpString) {
  // Registered messages take numbers from 0xC000 up, one per distinct name (names compare without case).
  static std::mutex mutex;
  static std::map<QString, UINT>* pNames = new std::map<QString, UINT>;
  if (!lpString || !*lpString) return 0;
  std::lock_guard lock(mutex);
  const QString key = ToQ(lpString).toLower();
  auto it = pNames->find(key);
  if (it != pNames->end()) return it->second;
  const UINT nMessage = 0xC000 + static_cast<UINT>(pNames->size());
  if (nMessage > 0xFFFF) return 0;
  pNames->emplace(key, nMessage);
  return nMessage;
}
