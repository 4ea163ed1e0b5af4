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

#include "framework/Delegate.h"
#include "framework/Object.h"

class TFiler;
class TReader;
class TWriter;
class TStream;
class TComponent;
template <class C>
class TPublisher;

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
  // Declares data stored beside the published properties (see TFiler).
  virtual void DefineProperties(TFiler* Filer) { (void)Filer; }
  friend class TFiler;
  [[noreturn]] void AssignError(TPersistent* Source);
};

// What a stored-form reader or writer offers DefineProperties: named extra data, read
// and written by the owner's own procedures. HasData false means nothing to write.
// While writing against an ancestor, Ancestor is the matching object of the
// ancestor (compare with it to decide HasData); it is null otherwise.
class TFiler : public TObject {
  SONVELT_CLASS(TFiler, TObject)
public:
  using TReaderProc = TDelegate<void(TReader* Reader)>;
  using TWriterProc = TDelegate<void(TWriter* Writer)>;
  using TStreamProc = TDelegate<void(TStream* Stream)>;
  virtual void DefineProperty(const std::string& Name, TReaderProc ReadData, TWriterProc WriteData, bool HasData) = 0;
  virtual void DefineBinaryProperty(const std::string& Name, TStreamProc ReadData, TStreamProc WriteData,
                                    bool HasData) = 0;
  // Lets the filer ask an object for its extra data.
  static void DefinePropertiesOf(TPersistent* Instance, TFiler* Filer) { Instance->DefineProperties(Filer); }

  // The component at the top of the stream, and the one names are resolved in.
  TComponent* GetRoot() const { return FRoot; }
  TComponent* GetLookupRoot() const { return FLookupRoot; }
  TPersistent* GetAncestor() const { return FAncestor; }
  void SetAncestor(TPersistent* Value) { FAncestor = Value; }
  // Set: children are neither read nor written.
  bool GetIgnoreChildren() const { return FIgnoreChildren; }
  void SetIgnoreChildren(bool Value) { FIgnoreChildren = Value; }

protected:
  TComponent* FRoot = nullptr;
  TComponent* FLookupRoot = nullptr;
  TPersistent* FAncestor = nullptr;
  bool FIgnoreChildren = false;
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
