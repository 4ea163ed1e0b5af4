#include "framework/Persistent.h"

#include "framework/Exceptions.h"

void TPersistent::Assign(TPersistent* Source) {
  if (Source) Source->AssignTo(this);
  else AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest) { Dest->AssignError(this); }

void TPersistent::AssignError(TPersistent* Source) {
  std::string from = Source ? Source->ClassName() : "nil";
  throw EConvertError("Cannot assign a %s to a %s", {from, ClassName()});
}

std::string TPersistent::GetNamePath() const { return ClassName(); }

HRESULT TInterfacedPersistent::QueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  if (riid == IID_IUnknown) {
    *ppv = static_cast<IUnknown*>(this);
    return S_OK;
  }
  *ppv = nullptr;
  return E_NOINTERFACE;
}
