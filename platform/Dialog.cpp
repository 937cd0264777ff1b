#include "platform/Dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QSlider>

#include "platform/DialogHost.h"

namespace {

QString ToQ(LPCWSTR psz) { return QString::fromWCharArray(psz ? psz : L""); }

int MulDiv(int n, int nNumerator, int nDenominator) {
  const long long product = static_cast<long long>(n) * nNumerator;
  const long long half = nDenominator / 2;
  return static_cast<int>((product >= 0 ? product + half : product - half) / nDenominator);
}

// Tells the dialog that a trackbar let go of the mouse, once the release itself has moved it.
class ReleaseWatcher : public QObject {
public:
  ReleaseWatcher(CDialog* pDlg, UINT nID, QObject* pParent) : QObject(pParent), m_pDlg(pDlg), m_nID(nID) {}

protected:
  bool eventFilter(QObject* pWatched, QEvent* pEvent) override {
    if (pEvent->type() == QEvent::MouseButtonRelease) {
      QMetaObject::invokeMethod(
          this,
          [this] {
            NMHDR hdr{nullptr, m_nID, NM_RELEASEDCAPTURE};
            m_pDlg->SendMessage(WM_NOTIFY, m_nID, reinterpret_cast<LPARAM>(&hdr));
          },
          Qt::QueuedConnection);
    }
    return QObject::eventFilter(pWatched, pEvent);
  }

private:
  CDialog* m_pDlg;
  UINT m_nID;
};

}  // namespace

// ---- CDialogHost ----

CDialogHost::CDialogHost(CDialog* pOwner, QWidget* pParent) : QDialog(pParent), m_pOwner(pOwner) {
  // The window's own keys, whichever control has the focus.
  new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Space), this, [this] { PopupSystemMenu(mapToGlobal(QPoint(0, 0))); });
  new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F4), this, [this] { m_pOwner->SendMessage(WM_SYSCOMMAND, SC_CLOSE); });
}

void CDialogHost::keyPressEvent(QKeyEvent* pEvent) {
  switch (pEvent->key()) {
  case Qt::Key_Return:
  case Qt::Key_Enter:
    // The focused push button takes Enter; otherwise the default button's command is sent.
    if (auto* pButton = qobject_cast<QPushButton*>(focusWidget())) pButton->click();
    else m_pOwner->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
    return;
  case Qt::Key_Escape:
    m_pOwner->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
    return;
  default:
    break;
  }
  QWidget::keyPressEvent(pEvent);
}

void CDialogHost::closeEvent(QCloseEvent* pEvent) {
  // The close box asks; the dialog itself decides, through its Cancel command.
  pEvent->ignore();
  m_pOwner->SendMessage(WM_SYSCOMMAND, SC_CLOSE);
}

void CDialogHost::contextMenuEvent(QContextMenuEvent* pEvent) { PopupSystemMenu(pEvent->globalPos()); }

void CDialogHost::paintEvent(QPaintEvent* pEvent) {
  QDialog::paintEvent(pEvent);
  m_pOwner->SendMessage(WM_PAINT);
}

void CDialogHost::PopupSystemMenu(const QPoint& globalPos) {
  CMenu* pMenu = m_pOwner->GetSystemMenu(FALSE);
  if (!pMenu || !pMenu->GetQMenu()) return;
  if (QAction* pAction = pMenu->GetQMenu()->exec(globalPos); pAction && pAction->data().toUInt())
    m_pOwner->SendMessage(WM_SYSCOMMAND, pAction->data().toUInt());
}

// ---- CDialog ----

BEGIN_MESSAGE_MAP(CDialog, CCmdTarget)
  ON_COMMAND(IDOK, OnOKCommand)
  ON_COMMAND(IDCANCEL, OnCancelCommand)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_pTemplate(AfxFindTemplate(nIDTemplate)), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog() { delete m_pHost; }

LRESULT CDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
    return 0;
  }
  return CWnd::DefWindowProc(message, wParam, lParam);
}

void CDialog::CreateHost() {
  QWidget* pParent = m_pParentWnd ? m_pParentWnd->GetWidget() : nullptr;
  m_pHost = new CDialogHost(this, pParent);
  m_pWidget = m_pHost;

  Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  if (m_pTemplate->dwStyle & WS_SYSMENU) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  if (m_pTemplate->dwStyle & WS_MINIMIZEBOX) flags |= Qt::WindowMinimizeButtonHint;
  if (m_pTemplate->dwExStyle & WS_EX_TOOLWINDOW) flags |= Qt::Tool;
  if (m_pTemplate->dwExStyle & WS_EX_APPWINDOW) flags = (flags & ~Qt::Dialog) | Qt::Window;
  m_pHost->setWindowFlags(flags);
  m_pHost->setWindowTitle(ToQ(m_pTemplate->pszCaption));

  QFont font(ToQ(m_pTemplate->pszFont));
  font.setPointSize(m_pTemplate->wPointSize);
  m_pHost->setFont(font);
  // Base units as Windows computes them: the average width of the 52 letters, and the font's height.
  const QFontMetrics metrics(font);
  const int nLettersWidth = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  m_nBaseUnitX = (nLettersWidth / 26 + 1) / 2;
  m_nBaseUnitY = metrics.height();

  RECT rc{0, 0, m_pTemplate->cx, m_pTemplate->cy};
  MapDialogRect(&rc);
  m_pHost->setFixedSize(rc.right, rc.bottom);

  if (m_pTemplate->dwStyle & WS_SYSMENU) {
    m_pSystemMenu = std::make_unique<CMenu>();
    m_pSystemMenu->CreatePopupMenu();
    if (m_pTemplate->dwStyle & WS_MINIMIZEBOX) m_pSystemMenu->AppendMenu(MF_STRING, SC_MINIMIZE, L"Mi&nimize");
    m_pSystemMenu->AppendMenu(MF_STRING, SC_CLOSE, L"&Close\tAlt+F4");
  }
  CreateControls();
}

void CDialog::CreateControls() {
  for (const AFX_DLGITEM& item : m_pTemplate->items) {
    RECT rc{item.x, item.y, item.x + item.cx, item.y + item.cy};
    MapDialogRect(&rc);
    const QString text = ToQ(item.pszText);
    QWidget* pWidget = nullptr;
    std::unique_ptr<CWnd> pWnd;
    switch (item.ctrlClass) {
    case AfxCtrlClass::Button: {
      QAbstractButton* pButton = nullptr;
      if ((item.dwStyle & BS_TYPEMASK) == BS_AUTOCHECKBOX) {
        pButton = new QCheckBox(text, m_pHost);
      } else {
        auto* pPush = new QPushButton(text, m_pHost);
        pPush->setAutoDefault(false);
        pPush->setDefault((item.dwStyle & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
        pButton = pPush;
      }
      const UINT nID = item.nID;
      QObject::connect(pButton, &QAbstractButton::clicked, m_pHost,
                       [this, nID] { SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(nID), BN_CLICKED)); });
      pWidget = pButton;
      pWnd = std::make_unique<CButton>(pWidget);
      break;
    }
    case AfxCtrlClass::Edit: {
      auto* pEdit = new QLineEdit(text, m_pHost);
      pEdit->setReadOnly(item.dwStyle & ES_READONLY);
      pEdit->setFrame(item.dwStyle & WS_BORDER);
      if (item.dwStyle & ES_READONLY) {
        // A read-only edit box shows the dialog's own background, as on Windows.
        QPalette palette = pEdit->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Window));
        pEdit->setPalette(palette);
      }
      pWidget = pEdit;
      pWnd = std::make_unique<CEdit>(pWidget);
      break;
    }
    case AfxCtrlClass::Static: {
      auto* pLabel = new QLabel(text, m_pHost);
      const DWORD nType = item.dwStyle & SS_TYPEMASK;
      if (nType == SS_RIGHT) pLabel->setAlignment(Qt::AlignRight | Qt::AlignTop);
      else if (nType == SS_CENTER) pLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
      else pLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      if (nType == SS_BITMAP) {
        if (const AFX_IMAGERES* pBitmap = AfxFindBitmap(item.nImageID); pBitmap && !pBitmap->paths.empty())
          pLabel->setPixmap(QPixmap(QString::fromUtf8(pBitmap->paths.front())));
        pLabel->setScaledContents(true);
      }
      pWidget = pLabel;
      pWnd = std::make_unique<CWnd>(pWidget);
      break;
    }
    case AfxCtrlClass::ComboBox: {
      auto* pCombo = new QComboBox(m_pHost);
      pCombo->setEditable(true);
      pCombo->setInsertPolicy(QComboBox::NoInsert);
      const UINT nID = item.nID;
      QObject::connect(pCombo, &QComboBox::activated, m_pHost,
                       [this, nID] { SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(nID), CBN_SELCHANGE)); });
      pWidget = pCombo;
      pWnd = std::make_unique<CComboBox>(pWidget);
      // The template's height is that of the dropped-down list; the closed box keeps its natural height.
      rc.bottom = rc.top + pCombo->sizeHint().height();
      break;
    }
    case AfxCtrlClass::Trackbar: {
      auto* pSlider = new QSlider(Qt::Horizontal, m_pHost);
      pSlider->setTickPosition(QSlider::NoTicks);
      pSlider->installEventFilter(new ReleaseWatcher(this, item.nID, pSlider));
      pWidget = pSlider;
      pWnd = std::make_unique<CSliderCtrl>(pWidget);
      break;
    }
    }
    pWidget->setGeometry(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
    pWidget->setEnabled(!(item.dwStyle & WS_DISABLED));
    pWidget->setVisible(item.dwStyle & WS_VISIBLE);
    if (item.nID != IDC_STATIC) m_children[item.nID] = std::move(pWnd);
  }
}

void CDialog::MapDialogRect(RECT* pRect) const {
  pRect->left = MulDiv(pRect->left, m_nBaseUnitX, 4);
  pRect->right = MulDiv(pRect->right, m_nBaseUnitX, 4);
  pRect->top = MulDiv(pRect->top, m_nBaseUnitY, 8);
  pRect->bottom = MulDiv(pRect->bottom, m_nBaseUnitY, 8);
}

intptr_t CDialog::DoModal() {
  if (!m_pTemplate || !QApplication::instance()) return -1;
  CreateHost();
  if (OnInitDialog()) {
    // The focus goes to the first tab stop.
    for (QWidget* pChild : m_pHost->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (!pChild->isHidden() && pChild->isEnabled() && (pChild->focusPolicy() & Qt::TabFocus)) {
        pChild->setFocus();
        break;
      }
    }
  }
  const int nResult = m_pHost->exec();
  m_children.clear();
  m_pSystemMenu.reset();
  m_pWidget = nullptr;
  delete m_pHost;
  m_pHost = nullptr;
  return nResult;
}

void CDialog::EndDialog(int nResult) {
  if (m_pHost) m_pHost->done(nResult);
}
