// Dialogs built from templates in dialog units, run modally.
#pragma once

#include "platform/Resources.h"
#include "platform/Window.h"

class CDialogHost;

class CDialog : public CWnd {
public:
  explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  ~CDialog() override;

  // Creates the window, runs OnInitDialog and takes the user's input until EndDialog; -1 when the
  // window cannot be created.
  virtual intptr_t DoModal();
  void EndDialog(int nResult);
  // Converts a rectangle from dialog units to pixels with this dialog's base units.
  void MapDialogRect(RECT* pRect) const;
  const AFX_DLGTEMPLATE* GetTemplate() const { return m_pTemplate; }

  virtual BOOL OnInitDialog() { return TRUE; }
  virtual void OnOK() { EndDialog(IDOK); }
  virtual void OnCancel() { EndDialog(IDCANCEL); }

protected:
  virtual void DoDataExchange() {}
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  DECLARE_MESSAGE_MAP()

private:
  void CreateHost();
  void CreateControls();
  void OnOKCommand() { OnOK(); }
  void OnCancelCommand() { OnCancel(); }

  const AFX_DLGTEMPLATE* m_pTemplate;
  CWnd* m_pParentWnd;
  CDialogHost* m_pHost = nullptr;
  int m_nBaseUnitX = 0;
  int m_nBaseUnitY = 0;
  friend class CDialogHost;
};
