// TWriter: writes components as the binary component stream that TReader reads.
//
//   TWriter* W = TWriter::Create(Stream);
//   W->WriteRootComponent(Form);              // every stored property
//   W->WriteDescendent(Form, AncestorForm);   // only what differs from the ancestor
//   Free(W);
//
// A published property is written when it is stored and differs from its default
// (or, against an ancestor, from the ancestor's value); then the object's
// DefineProperties runs with Ancestor set. Children come from GetChildren, those
// the ancestor has too marked inherited. Integers take their smallest form; ASCII
// strings are written as vaString or vaLString, others as vaUTF8String.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "framework/FilerTypes.h"
#include "framework/Persistent.h"

class TStream;
class TCollection;
class TPropInfo;

class TWriter : public TFiler {
  SONVELT_CLASS(TWriter, TFiler)
public:
  explicit TWriter(TStream* Stream) : FStream(Stream) {}

  void DefineProperty(const std::string& Name, TReaderProc ReadData, TWriterProc WriteData, bool HasData) override;
  void DefineBinaryProperty(const std::string& Name, TStreamProc ReadData, TStreamProc WriteData,
                            bool HasData) override;

  void WriteRootComponent(TComponent* Root);
  void WriteDescendent(TComponent* Root, TComponent* AAncestor);
  void WriteComponent(TComponent* Component);
  // The prefix, header, properties and children of Instance; TComponent::WriteState calls it.
  void WriteData(TComponent* Instance);
  void WriteProperties(TPersistent* Instance);
  // vaCollection, then each item's properties as a list, then the end of the list.
  void WriteCollection(TCollection* Value);
  void WriteSignature();
  void WritePrefix(TFilerFlags Flags, int AChildPos);
  // The ancestor the root is written against (null: none).
  TComponent* GetRootAncestor() const { return FRootAncestor; }

  void WriteValue(TValueType Value);
  void WriteListBegin() { WriteValue(vaList); }
  void WriteListEnd() { WriteValue(vaNull); }
  void WriteInteger(std::int64_t Value);
  void WriteBoolean(bool Value);
  void WriteString(std::string_view Value);
  void WriteIdent(std::string_view Ident);
  void WriteFloat(double Value);  // as an 80-bit extended
  void WriteSingle(float Value);
  // A length byte and the bytes, without a value type (names).
  void WriteStr(std::string_view Value);
  void Write(const void* Buffer, int Count);

private:
  void WriteProperty(TPersistent* Instance, const TPropInfo* Prop);
  void WritePropName(const std::string& Name);
  void AddAncestor(TComponent* Component);
  bool CollectionsEqual(TCollection* A, TCollection* B);
  std::string HandlerName(TPersistent* Instance, const TPropInfo* Prop, TComponent* Root);

  TStream* FStream;
  std::string FPropPath;
  TComponent* FRootAncestor = nullptr;
  std::vector<TComponent*>* FAncestorList = nullptr;
  std::vector<TComponent*>* FCollecting = nullptr;
  int FAncestorPos = 0;
  int FChildPos = 0;
};

// How a stream written for Root names Component: its name for Root's own
// components, a dotted path for components owned further down, "Owner" for Root.
std::string ComponentReferenceName(TComponent* Component, TComponent* Root);
// The component a name from ComponentReferenceName stands for, or null.
TComponent* FindNestedComponent(TComponent* Root, std::string_view NamePath);
