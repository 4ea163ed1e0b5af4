// Interfaces on framework objects. Interfaces are COM-style (IUnknown based).
//
// TInterfacedObject counts references and frees itself when the last one goes; it
// starts with none, so hold it through TInterfacePtr (or AddRef it) at once:
//   TInterfacePtr<IUnknown> H(THelper::Create());
// TInterfacedPersistent (Persistent.h) answers interfaces without counting. Override
// QueryInterface to add interfaces, and call the base for the rest.
#pragma once

#include <unknwn.h>

#include <utility>
#include <vector>

#include "framework/Lists.h"
#include "framework/Persistent.h"

using IInterface = IUnknown;

class TInterfacedObject : public TObject, public IUnknown {
  SONVELT_CLASS(TInterfacedObject, TObject)
public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  int GetRefCount() const { return static_cast<int>(FRefCount); }

private:
  LONG FRefCount = 0;
};

// Holds one reference to an interface.
template <class I>
class TInterfacePtr {
public:
  TInterfacePtr() = default;
  TInterfacePtr(I* p) : FPtr(p) {
    if (FPtr) FPtr->AddRef();
  }
  TInterfacePtr(const TInterfacePtr& o) : TInterfacePtr(o.FPtr) {}
  TInterfacePtr(TInterfacePtr&& o) noexcept : FPtr(std::exchange(o.FPtr, nullptr)) {}
  TInterfacePtr& operator=(TInterfacePtr o) noexcept {
    std::swap(FPtr, o.FPtr);
    return *this;
  }
  ~TInterfacePtr() {
    if (FPtr) FPtr->Release();
  }
  I* Get() const { return FPtr; }
  I* operator->() const { return FPtr; }
  explicit operator bool() const { return FPtr != nullptr; }
  friend bool operator==(const TInterfacePtr& a, const TInterfacePtr& b) { return a.FPtr == b.FPtr; }

private:
  I* FPtr = nullptr;
};

// Whether Instance answers the interface IID; its pointer (with a reference) in Intf.
bool Supports(IUnknown* Instance, REFIID IID, void** Intf);

using TInterfaceList = TInterfaceListOf<IUnknown>;
