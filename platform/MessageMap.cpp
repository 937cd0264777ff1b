#include "platform/MessageMap.h"

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
  static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, nullptr, AfxSig_end, {.vv = nullptr}}};
  static const AFX_MSGMAP map = {nullptr, &entries[0]};
  return &map;
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindEntry(UINT nMessage, UINT nCode, UINT nID) const {
  const bool bKeyed = nMessage == WM_COMMAND || nMessage == WM_NOTIFY;
  for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap; pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr) {
    for (const AFX_MSGMAP_ENTRY* p = pMap->lpEntries; p->nSig != AfxSig_end; ++p) {
      const UINT nEntryMessage = p->pnRegistered ? *p->pnRegistered : p->nMessage;
      if (nEntryMessage != nMessage) continue;
      if (bKeyed && (p->nCode != nCode || p->nID != nID)) continue;
      return p;
    }
  }
  return nullptr;
}

LRESULT CCmdTarget::CallEntry(const AFX_MSGMAP_ENTRY& entry, WPARAM wParam, LPARAM lParam) {
  switch (entry.nSig) {
  case AfxSig_vv:
    (this->*entry.pfn.vv)();
    return 0;
  case AfxSig_vwl:
    (this->*entry.pfn.vwl)(wParam, lParam);
    return 0;
  case AfxSig_lwl:
    return (this->*entry.pfn.lwl)(wParam, lParam);
  case AfxSig_vNMHDR: {
    LRESULT result = 0;
    (this->*entry.pfn.vNMHDR)(reinterpret_cast<NMHDR*>(lParam), &result);
    return result;
  }
  case AfxSig_vwp:
    (this->*entry.pfn.vwp)(static_cast<UINT>(wParam), lParam);
    return 0;
  case AfxSig_hv:
    return reinterpret_cast<LRESULT>((this->*entry.pfn.hv)());
  case AfxSig_end:
    break;
  }
  return 0;
}
