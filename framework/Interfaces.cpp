#include "framework/Interfaces.h"

HRESULT TInterfacedObject::QueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  if (riid == IID_IUnknown) {
    *ppv = static_cast<IUnknown*>(this);
    AddRef();
    return S_OK;
  }
  *ppv = nullptr;
  return E_NOINTERFACE;
}

ULONG TInterfacedObject::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&FRefCount)); }

ULONG TInterfacedObject::Release() {
  LONG n = InterlockedDecrement(&FRefCount);
  if (n == 0) Free(this);
  return static_cast<ULONG>(n);
}

bool Supports(IUnknown* Instance, REFIID IID, void** Intf) {
  if (Intf) *Intf = nullptr;
  if (!Instance) return false;
  void* p = nullptr;
  if (FAILED(Instance->QueryInterface(IID, &p)) || !p) return false;
  if (Intf) *Intf = p;
  else static_cast<IUnknown*>(p)->Release();
  return true;
}
