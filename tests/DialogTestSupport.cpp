#include "tests/DialogTestSupport.h"

#include <QFile>
#include <QWidget>

void DialogTest::SetUp() {
  ASSERT_TRUE(m_dir.isValid());
  qputenv("XDG_CONFIG_HOME", m_dir.path().toLocal8Bit());
  AfxGetApp()->SetRegistryKey(L"Local AppWizard-Generated Applications");
}

QByteArray DialogTest::ReadSettings() const {
  QFile file(SettingsFile());
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::wstring DialogTest::SectionPath() {
  return L"HKEY_CURRENT_USER\\Software\\Local AppWizard-Generated Applications\\" + std::wstring(AfxGetApp()->m_pszAppName) +
         L"\\Kordani Zelvo";
}

QWidget* Item(const CZelvoDlg& dlg, UINT nID) {
  CWnd* pItem = dlg.GetDlgItem(static_cast<int>(nID));
  return pItem ? pItem->GetWidget() : nullptr;
}
