// The toolkit window behind a CDialog: keyboard rules, close requests and the window menu.
#pragma once

#include <QDialog>

class CDialog;

class CDialogHost : public QDialog {
public:
  CDialogHost(CDialog* pOwner, QWidget* pParent);

protected:
  void keyPressEvent(QKeyEvent* pEvent) override;
  void closeEvent(QCloseEvent* pEvent) override;
  void contextMenuEvent(QContextMenuEvent* pEvent) override;
  void paintEvent(QPaintEvent* pEvent) override;

public:
  void PopupSystemMenu(const QPoint& globalPos);

private:

  CDialog* m_pOwner;
};
