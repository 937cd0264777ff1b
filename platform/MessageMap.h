// Message maps: a static table of handlers per class, searched before the base class's table.
#pragma once

#include "platform/WinTypes.h"

class CCmdTarget;
struct CRuntimeClass;

template <typename F>
using AfxMemberFn = F CCmdTarget::*;

// The handler of an entry; the member that is set is the one its signature names.
union AFX_PMSG {
  AfxMemberFn<void()> vv;
  AfxMemberFn<void(WPARAM, LPARAM)> vwl;
  AfxMemberFn<LRESULT(WPARAM, LPARAM)> lwl;
  AfxMemberFn<void(NMHDR*, LRESULT*)> vNMHDR;
  AfxMemberFn<void(UINT, LPARAM)> vwp;
  AfxMemberFn<HCURSOR()> hv;
};

// How a handler is called, and what it receives from the message.
enum AfxSig : int {
  AfxSig_end = 0,
  AfxSig_vv,     // void ()                      commands, control notifications, WM_PAINT
  AfxSig_vwl,    // void (WPARAM, LPARAM)        thread messages
  AfxSig_lwl,    // LRESULT (WPARAM, LPARAM)     user and registered window messages
  AfxSig_vNMHDR, // void (NMHDR*, LRESULT*)      WM_NOTIFY notifications
  AfxSig_vwp,    // void (UINT, LPARAM)          WM_SYSCOMMAND
  AfxSig_hv,     // HCURSOR ()                   WM_QUERYDRAGICON
};

struct AFX_MSGMAP_ENTRY {
  UINT nMessage;
  UINT nCode;
  UINT nID;
  const UINT* pnRegistered; // for a registered message: where its number is kept
  AfxSig nSig;
  AFX_PMSG pfn;
};

struct AFX_MSGMAP {
  const AFX_MSGMAP* (*pfnGetBaseMap)();
  const AFX_MSGMAP_ENTRY* lpEntries;
};

// Marks an entry whose message number is read from pnRegistered when a message arrives.
constexpr UINT AFX_REGISTERED_MESSAGE = 0xFFFFFFFF;

class CCmdTarget {
public:
  virtual ~CCmdTarget() = default;
  virtual const CRuntimeClass* GetRuntimeClass() const { return nullptr; }
  virtual const AFX_MSGMAP* GetMessageMap() const { return GetThisMessageMap(); }
  static const AFX_MSGMAP* GetThisMessageMap();

  // Finds the entry for a message in this class's map and then in its bases' maps.
  const AFX_MSGMAP_ENTRY* FindEntry(UINT nMessage, UINT nCode, UINT nID) const;
  // Calls the handler of an entry with what the message carries.
  LRESULT CallEntry(const AFX_MSGMAP_ENTRY& entry, WPARAM wParam, LPARAM lParam);
};

#define DECLARE_MESSAGE_MAP()                                \
protected:                                                   \
  static const AFX_MSGMAP* GetThisMessageMap();              \
  const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                       \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
  const AFX_MSGMAP* theClass::GetThisMessageMap() {                                  \
    using ThisClass = theClass;                                                      \
    using TheBaseClass = baseClass;                                                  \
    static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                        \
      {0, 0, 0, nullptr, AfxSig_end, {.vv = nullptr}}};                          \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap,      \
                                          &_messageEntries[0]};                  \
    return &messageMap;                                                          \
  }

template <typename F, typename C>
using AfxClassMemberFn = F C::*;

// A handler of the class being mapped, seen as a member of CCmdTarget.
#define AFX_PMSG_OF(sig, sigType, fn) \
  {.sig = static_cast<AfxMemberFn<sigType>>(static_cast<AfxClassMemberFn<sigType, ThisClass>>(&ThisClass::fn))}

#define ON_COMMAND(id, fn) {WM_COMMAND, BN_CLICKED, static_cast<UINT>(id), nullptr, AfxSig_vv, AFX_PMSG_OF(vv, void(), fn)},
#define ON_BN_CLICKED(id, fn) ON_COMMAND(id, fn)
#define ON_CBN_SELCHANGE(id, fn) \
  {WM_COMMAND, CBN_SELCHANGE, static_cast<UINT>(id), nullptr, AfxSig_vv, AFX_PMSG_OF(vv, void(), fn)},
#define ON_NOTIFY(code, id, fn) \
  {WM_NOTIFY, static_cast<UINT>(code), static_cast<UINT>(id), nullptr, AfxSig_vNMHDR, AFX_PMSG_OF(vNMHDR, void(NMHDR*, LRESULT*), fn)},
#define ON_MESSAGE(msg, fn) {static_cast<UINT>(msg), 0, 0, nullptr, AfxSig_lwl, AFX_PMSG_OF(lwl, LRESULT(WPARAM, LPARAM), fn)},
#define ON_REGISTERED_MESSAGE(var, fn) \
  {AFX_REGISTERED_MESSAGE, 0, 0, &var, AfxSig_lwl, AFX_PMSG_OF(lwl, LRESULT(WPARAM, LPARAM), fn)},
#define ON_THREAD_MESSAGE(msg, fn) {static_cast<UINT>(msg), 0, 0, nullptr, AfxSig_vwl, AFX_PMSG_OF(vwl, void(WPARAM, LPARAM), fn)},
#define ON_WM_PAINT() {WM_PAINT, 0, 0, nullptr, AfxSig_vv, AFX_PMSG_OF(vv, void(), OnPaint)},
#define ON_WM_SYSCOMMAND() {WM_SYSCOMMAND, 0, 0, nullptr, AfxSig_vwp, AFX_PMSG_OF(vwp, void(UINT, LPARAM), OnSysCommand)},
#define ON_WM_QUERYDRAGICON() {WM_QUERYDRAGICON, 0, 0, nullptr, AfxSig_hv, AFX_PMSG_OF(hv, HCURSOR(), OnQueryDragIcon)},

// Run-time class records, for classes that can be created by name.
struct CRuntimeClass {
  const char* m_lpszClassName;
  int m_nObjectSize;
  UINT m_wSchema;
  CCmdTarget* (*m_pfnCreateObject)();
  CCmdTarget* CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }
};

#define DECLARE_DYNCREATE(theClass)                            \
public:                                                        \
  static const CRuntimeClass class##theClass;                  \
  const CRuntimeClass* GetRuntimeClass() const override;       \
  static CCmdTarget* CreateObject();

#define IMPLEMENT_DYNCREATE(theClass, schema)                                                          \
  CCmdTarget* theClass::CreateObject() { return new theClass; }                                        \
  const CRuntimeClass theClass::class##theClass = {#theClass, sizeof(theClass), schema,                \
                                                   &theClass::CreateObject};                           \
  const CRuntimeClass* theClass::GetRuntimeClass() const { return &theClass::class##theClass; }
