// The main dialog on the real widgets: its template, the keyboard, the window menu and the About box.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include "tests/DialogTestSupport.h"
#include "ui/AboutDlg.h"

namespace {

enum class Kind { Push, Check, Combo, Edit, Slider, Label };

struct ExpectedControl {
  UINT nID;
  Kind kind;
  const char* pszText;
  bool bVisible;
  int x, y, cx, cy;
};

const ExpectedControl kControls[] = {
    {IDOK, Kind::Push, "Start", true, 239, 18, 50, 14},
    {IDC_INPUT_DEVICE, Kind::Combo, "", true, 7, 19, 109, 30},
    {IDC_OUTPUT_DEVICE, Kind::Combo, "", true, 127, 19, 109, 30},
    {IDC_ABOUT, Kind::Push, "About", true, 239, 129, 50, 14},
    {IDC_STATIC, Kind::Label, "Input Device:", true, 7, 9, 44, 8},
    {IDC_STATIC, Kind::Label, "Output Device:", true, 128, 10, 50, 8},
    {IDC_MIN_TO_TRAY, Kind::Check, "Minimize to System Tray", true, 7, 91, 93, 10},
    {IDC_AUTORUN, Kind::Check, "Automatically Start When I log on ", true, 7, 102, 126, 10},
    {IDC_AUTOLOAD, Kind::Check, "After Start, Execute", true, 7, 113, 81, 10},
    {IDC_BROWSE, Kind::Push, "...", true, 275, 112, 14, 12},
    {IDC_AUTOLOAD_NAME, Kind::Edit, "", true, 88, 112, 185, 12},
    {IDC_QUIT, Kind::Push, "Quit", true, 185, 129, 50, 14},
    {IDC_STATIC, Kind::Label, ">", true, 119, 21, 8, 8},
    {IDC_OUTPUT_VOLUME, Kind::Slider, "", false, 100, 128, 37, 15},
    {IDC_STATIC, Kind::Label, "Output Volume:  MIN", false, 28, 131, 71, 8},
    {IDC_STATIC, Kind::Label, "MAX", false, 137, 132, 15, 8},
    {IDC_STATIC, Kind::Label, "Background Thread Priority:", true, 15, 39, 90, 8},
    {IDC_PRIORITY, Kind::Slider, "", true, 122, 36, 97, 14},
    {IDC_PRIORITY_NAME, Kind::Edit, "NORMAL", true, 221, 39, 68, 12},
    {IDC_STATIC, Kind::Label, "IDLE", true, 108, 39, 16, 8},
    {IDC_SAMPLE_RATE, Kind::Combo, "", true, 128, 57, 108, 115},
    {IDC_STATIC, Kind::Label, "Supported Sampling Rate:", true, 38, 58, 84, 8},
    {IDC_STATIC, Kind::Label, "Hertz", true, 239, 59, 18, 8},
    {IDC_STATIC, Kind::Label, "Sampling Format:", true, 17, 77, 106, 8},
    {IDC_SAMPLE_FORMAT, Kind::Combo, "Signed 8-bit Integer", true, 128, 75, 108, 115},
};

QWidget* FindControl(const CZelvoDlg& dlg, const ExpectedControl& c) {
  if (c.nID != IDC_STATIC) return Item(dlg, c.nID);
  for (QLabel* pLabel : dlg.GetWidget()->findChildren<QLabel*>())
    if (pLabel->text() == QString::fromUtf8(c.pszText)) return pLabel;
  return nullptr;
}

bool IsKind(QWidget* p, Kind kind) {
  switch (kind) {
  case Kind::Push: return qobject_cast<QPushButton*>(p);
  case Kind::Check: return qobject_cast<QCheckBox*>(p);
  case Kind::Combo: return qobject_cast<QComboBox*>(p) && qobject_cast<QComboBox*>(p)->isEditable();
  case Kind::Edit: return qobject_cast<QLineEdit*>(p);
  case Kind::Slider: return qobject_cast<QSlider*>(p);
  case Kind::Label: return qobject_cast<QLabel*>(p);
  }
  return false;
}

QString TextOf(QWidget* p) {
  if (auto* b = qobject_cast<QAbstractButton*>(p)) return b->text();
  if (auto* e = qobject_cast<QLineEdit*>(p)) return e->text();
  if (auto* c = qobject_cast<QComboBox*>(p)) return c->currentText();
  if (auto* l = qobject_cast<QLabel*>(p)) return l->text();
  return {};
}

using MainDialog = DialogTest;

TEST_F(MainDialog, TemplateControlsStandWhereTheTableSays) {
  CZelvoDlg dlg;
  RunModal(dlg, [&] {
    QWidget* pHost = dlg.GetWidget();
    EXPECT_EQ(pHost->windowTitle(), "Zelvo v1.5.1");
    RECT rcDialog{0, 0, 296, 151};
    dlg.MapDialogRect(&rcDialog);
    EXPECT_EQ(pHost->size(), QSize(rcDialog.right, rcDialog.bottom));
    EXPECT_EQ(pHost->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size(), static_cast<qsizetype>(std::size(kControls)));
    for (const ExpectedControl& c : kControls) {
      SCOPED_TRACE(c.nID == IDC_STATIC ? std::string(c.pszText) : std::to_string(c.nID));
      QWidget* p = FindControl(dlg, c);
      ASSERT_NE(p, nullptr);
      EXPECT_TRUE(IsKind(p, c.kind));
      EXPECT_EQ(TextOf(p), QString::fromUtf8(c.pszText));
      EXPECT_EQ(!p->isHidden(), c.bVisible);
      RECT rc{c.x, c.y, c.x + c.cx, c.y + c.cy};
      dlg.MapDialogRect(&rc);
      EXPECT_EQ(p->x(), rc.left);
      EXPECT_EQ(p->y(), rc.top);
      EXPECT_EQ(p->width(), rc.right - rc.left);
      if (c.kind != Kind::Combo) {
        EXPECT_EQ(p->height(), rc.bottom - rc.top);
      }
    }
    EXPECT_TRUE(qobject_cast<QPushButton*>(Item(dlg, IDOK))->isDefault());
    EXPECT_TRUE(qobject_cast<QLineEdit*>(Item(dlg, IDC_AUTOLOAD_NAME))->isReadOnly());
    EXPECT_TRUE(qobject_cast<QLineEdit*>(Item(dlg, IDC_AUTOLOAD_NAME))->hasFrame());
    EXPECT_TRUE(qobject_cast<QLineEdit*>(Item(dlg, IDC_PRIORITY_NAME))->isReadOnly());
    EXPECT_FALSE(qobject_cast<QLineEdit*>(Item(dlg, IDC_PRIORITY_NAME))->hasFrame());
    EXPECT_FALSE(Item(dlg, IDC_OUTPUT_VOLUME)->isEnabled());
    EXPECT_EQ(qobject_cast<QSlider*>(Item(dlg, IDC_OUTPUT_VOLUME))->maximum(), 65535);
    EXPECT_EQ(qobject_cast<QSlider*>(Item(dlg, IDC_PRIORITY))->maximum(), 6);
    EXPECT_EQ(qobject_cast<QComboBox*>(Item(dlg, IDC_SAMPLE_FORMAT))->count(), 6);
    EXPECT_EQ(qobject_cast<QLabel*>(FindControl(dlg, kControls[14]))->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
  });
}

TEST_F(MainDialog, IconsAndTheWindowMenuAreSetUp) {
  CZelvoDlg dlg;
  RunModal(dlg, [&] {
    ASSERT_NE(dlg.m_hIcon, nullptr);
    EXPECT_EQ(dlg.GetIcon(TRUE), dlg.m_hIcon);
    EXPECT_EQ(dlg.GetIcon(FALSE), dlg.m_hIcon);
    const QList<QSize> sizes = static_cast<QIcon*>(dlg.m_hIcon)->availableSizes();
    for (int n : {16, 32, 48}) EXPECT_TRUE(sizes.contains(QSize(n, n))) << n;
    EXPECT_EQ(reinterpret_cast<HICON>(dlg.SendMessage(WM_QUERYDRAGICON)), dlg.m_hIcon);
    CMenu* pMenu = dlg.GetSystemMenu(FALSE);
    ASSERT_NE(pMenu, nullptr);
    const int n = pMenu->GetMenuItemCount();
    ASSERT_GE(n, 4);
    EXPECT_EQ(pMenu->GetMenuItemID(0), SC_MINIMIZE);
    EXPECT_EQ(pMenu->GetMenuItemID(1), SC_CLOSE);
    EXPECT_EQ(pMenu->GetMenuItemID(n - 2), 0u);
    EXPECT_EQ(pMenu->GetMenuItemID(n - 1), IDM_ABOUTBOX);
    EXPECT_EQ(pMenu->GetMenuString(n - 1), CString(L"&About Zelvo..."));
  });
}

TEST_F(MainDialog, AltSpaceAndRightClickOpenTheWindowMenu) {
  CZelvoDlg dlg;
  RunModal(dlg, [&] {
    for (const std::function<void()>& open : std::vector<std::function<void()>>{
             [&] { QTest::keyClick(Item(dlg, IDC_AUTORUN), Qt::Key_Space, Qt::AltModifier); },
             [&] {
               QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), dlg.GetWidget()->mapToGlobal(QPoint(5, 5)));
               QApplication::sendEvent(dlg.GetWidget(), &event);
             }}) {
      QStringList items;
      QObject guard;  // takes the timer with it should the menu never open
      QTimer::singleShot(50, &guard, [&] {
        QWidget* pPopup = QApplication::activePopupWidget();
        ASSERT_NE(pPopup, nullptr);
        for (QAction* pAction : pPopup->actions()) items << pAction->text();
        pPopup->close();
      });
      open();
      EXPECT_EQ(items, QStringList({"Mi&nimize", "&Close\tAlt+F4", "", "&About Zelvo..."}));
    }
    EXPECT_TRUE(dlg.IsWindowVisible());
  });
}

TEST_F(MainDialog, EnterStartsAndStopsWithoutEndingTheDialog) {
  CZelvoDlg dlg;
  const intptr_t nResult = RunModal(dlg, [&] {
    // Keys go to the focused check box, which leaves Enter to the dialog.
    QWidget* pCheck = Item(dlg, IDC_MIN_TO_TRAY);
    pCheck->setFocus();
    QTest::keyClick(pCheck, Qt::Key_Return);
    EXPECT_TRUE(dlg.m_bRunning);
    EXPECT_EQ(qobject_cast<QPushButton*>(Item(dlg, IDOK))->text(), "Stop");
    EXPECT_TRUE(dlg.IsWindowVisible());
    QTest::keyClick(pCheck, Qt::Key_Enter);
    EXPECT_FALSE(dlg.m_bRunning);
    EXPECT_EQ(qobject_cast<QPushButton*>(Item(dlg, IDOK))->text(), "Start");
  });
  EXPECT_EQ(nResult, -1) << "the dialog ended";
}

TEST_F(MainDialog, EnterOnQuitEndsWithOkAndSaves) {
  CZelvoDlg dlg;
  const intptr_t nResult = RunModal(dlg, [&] {
    QWidget* pQuit = Item(dlg, IDC_QUIT);
    pQuit->setFocus();
    QTest::keyClick(pQuit, Qt::Key_Return);
  });
  EXPECT_EQ(nResult, IDOK);
  EXPECT_TRUE(ReadSettings().contains("\"Priority\"=dword:00000003"));
}

TEST_F(MainDialog, EscapeCloseBoxAltF4AndWindowMenuCloseCancelAndStopFirst) {
  const std::function<void(CZelvoDlg&)> ways[] = {
      [](CZelvoDlg& dlg) { QTest::keyClick(Item(dlg, IDC_AUTORUN), Qt::Key_Escape); },
      [](CZelvoDlg& dlg) { dlg.GetWidget()->close(); },
      [](CZelvoDlg& dlg) { QTest::keyClick(dlg.GetWidget(), Qt::Key_F4, Qt::AltModifier); },
      [](CZelvoDlg& dlg) { dlg.SendMessage(WM_SYSCOMMAND, SC_CLOSE); },
  };
  for (const auto& way : ways) {
    CZelvoDlg dlg;
    const intptr_t nResult = RunModal(dlg, [&] {
      dlg.OnStartStop();
      ASSERT_TRUE(dlg.m_bRunning);
      way(dlg);
      EXPECT_FALSE(dlg.m_bRunning);
    });
    EXPECT_EQ(nResult, IDCANCEL);
  }
  EXPECT_FALSE(QFile::exists(SettingsFile()) && ReadSettings().contains("Priority")) << "cancelling must not save";
}

// Finds the About box once it is open, checks it and presses its OK button.
void CheckAndCloseAboutBox(bool& bSeen) {
  QTimer::singleShot(50, [&bSeen] {
    QWidget* pBox = QApplication::activeModalWidget();
    ASSERT_NE(pBox, nullptr);
    EXPECT_EQ(pBox->windowTitle(), "About Zelvo");
    EXPECT_TRUE(pBox->windowFlags() & Qt::Tool);
    bool bBanner = false, bVersion = false;
    for (QLabel* pLabel : pBox->findChildren<QLabel*>()) {
      if (!pLabel->pixmap().isNull()) bBanner = pLabel->pixmap().size() == QSize(350, 65);
      if (pLabel->text() == "Zelvo v1.5.1") bVersion = pLabel->alignment() & Qt::AlignHCenter;
    }
    EXPECT_TRUE(bBanner);
    EXPECT_TRUE(bVersion);
    auto* pOk = pBox->findChild<QPushButton*>();
    ASSERT_NE(pOk, nullptr);
    EXPECT_EQ(pOk->text(), "OK");
    EXPECT_TRUE(pOk->isDefault());
    bSeen = true;
    pOk->click();
  });
}

TEST_F(MainDialog, AboutButtonAndWindowMenuItemOpenTheSameBox) {
  CZelvoDlg dlg;
  RunModal(dlg, [&] {
    bool bFromButton = false, bFromMenu = false;
    CheckAndCloseAboutBox(bFromButton);
    qobject_cast<QPushButton*>(Item(dlg, IDC_ABOUT))->click();
    EXPECT_TRUE(bFromButton);
    CheckAndCloseAboutBox(bFromMenu);
    dlg.SendMessage(WM_SYSCOMMAND, IDM_ABOUTBOX);
    EXPECT_TRUE(bFromMenu);
    EXPECT_TRUE(dlg.IsWindowVisible());
  });
}

}  // namespace
