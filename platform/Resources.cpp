#include "platform/Resources.h"

#include <QIcon>
#include <map>
#include <mutex>

namespace {

const AFX_RESOURCES* g_pResources = nullptr;

template <typename T>
const T* FindById(std::span<const T> AFX_RESOURCES::*pTable, UINT nID) {
  if (!g_pResources) return nullptr;
  for (const T& entry : g_pResources->*pTable)
    if (entry.nID == nID) return &entry;
  return nullptr;
}

}  // namespace

void AfxSetResources(const AFX_RESOURCES* pResources) { g_pResources = pResources; }

const AFX_DLGTEMPLATE* AfxFindTemplate(UINT nID) { return FindById(&AFX_RESOURCES::templates, nID); }

const wchar_t* AfxFindString(UINT nID) {
  const AFX_STRINGRES* p = FindById(&AFX_RESOURCES::strings, nID);
  return p ? p->pszText : nullptr;
}

const AFX_IMAGERES* AfxFindIcon(UINT nID) { return FindById(&AFX_RESOURCES::icons, nID); }

const AFX_IMAGERES* AfxFindBitmap(UINT nID) { return FindById(&AFX_RESOURCES::bitmaps, nID); }

HICON AfxLoadIcon(UINT nID) {
  static std::mutex mutex;
  static auto* pCache = new std::map<UINT, QIcon>;
  const AFX_IMAGERES* pRes = AfxFindIcon(nID);
  if (!pRes) return nullptr;
  std::lock_guard lock(mutex);
  auto [it, bNew] = pCache->try_emplace(nID);
  if (bNew)
    for (const char* pszPath : pRes->paths) it->second.addFile(QString::fromUtf8(pszPath));
  return &it->second;
}
