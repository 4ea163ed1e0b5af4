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

// TPersistent whose interfaces are not reference counted: COM-style interfaces
// implemented on it live as long as the object.
class TInterfacedPersistent : public TPersistent {
  SONVELT_CLASS(TInterfacedPersistent, TPersistent)
public:
  unsigned long AddRefNoCount() { return static_cast<unsigned long>(-1); }
  unsigned long ReleaseNoCount() { return static_cast<unsigned long>(-1); }
};
