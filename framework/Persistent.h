// TPersistent: objects that can copy their state from one another.
//
// Override AssignTo in the source class or Assign in the destination class; the
// default ends in EConvertError "Cannot assign a TFoo to a TBar".
//   void TMyFont::Assign(TPersistent* Source) {
//     if (auto* F = dynamic_cast<TMyFont*>(Source)) { ...copy...; return; }
//     TPersistent::Assign(Source);   // lets Source->AssignTo(this) try, then errors
//   }
#pragma once

#include <string>

#include <windows.h>
#include <unknwn.h>

#include "framework/Object.h"

class TPersistent : public TObject {
  SONVELT_CLASS(TPersistent, TObject)
public:
  TPersistent() = default;
  TPersistent(const TPersistent&) = delete;
  TPersistent& operator=(const TPersistent&) = delete;

  virtual void Assign(TPersistent* Source);
  // The object that owns this one for name paths and streaming (null here).
  virtual TPersistent* GetOwner() const { return nullptr; }
  virtual std::string GetNamePath() const;

protected:
  virtual void AssignTo(TPersistent* Dest);
  [[noreturn]] void AssignError(TPersistent* Source);
};

// TPersistent that answers COM-style interfaces without reference counting (AddRef and
// Release answer -1): its lifetime stays with its owner. Override QueryInterface to add
// interfaces and call this one for the rest.
class TInterfacedPersistent : public TPersistent, public IUnknown {
  SONVELT_CLASS(TInterfacedPersistent, TPersistent)
public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(-1); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(-1); }
};
