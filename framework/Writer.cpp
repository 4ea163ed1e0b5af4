#include "framework/Writer.h"

#include <algorithm>
#include <cstring>

#include "framework/Collections.h"
#include "framework/Component.h"
#include "framework/Exceptions.h"
#include "framework/ExtendedFloat.h"
#include "framework/MemoryStreams.h"
#include "framework/OwnedObject.h"
#include "framework/Published.h"
#include "framework/StringUtils.h"

namespace {

bool IsAscii(std::string_view S) {
  return std::all_of(S.begin(), S.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Floats count as equal only bit for bit: -0 is not 0, a NaN is itself.
bool SameFloat(double A, double B) { return std::memcmp(&A, &B, sizeof A) == 0; }

void PutLE(TWriter* W, std::uint64_t Value, int Bytes) {
  std::uint8_t b[8];
  for (int i = 0; i < Bytes; ++i) b[i] = static_cast<std::uint8_t>(Value >> (8 * i));
  W->Write(b, Bytes);
}

// Clears csWriting however the component's writing ends.
class TWritingState {
public:
  explicit TWritingState(TComponent* C) : FComponent(C) {
    TComponentState s = C->GetComponentState();
    s.Include(csWriting);
    C->SetComponentState(s);
  }
  ~TWritingState() {
    TComponentState s = FComponent->GetComponentState();
    s.Exclude(csWriting);
    FComponent->SetComponentState(s);
  }

private:
  TComponent* FComponent;
};

}  // namespace

std::string ComponentReferenceName(TComponent* Component, TComponent* Root) {
  if (!Component) return {};
  if (!Root) return Component->GetName();
  if (Component == Root) return "Owner";
  std::string path = Component->GetName();
  for (TComponent* o = Component->GetOwner(); o; o = o->GetOwner()) {
    if (o == Root) return path;
    if (o->GetName().empty()) break;
    path = o->GetName() + "." + path;
  }
  // Outside Root: the owner's name and the component's, as another root would know it.
  TComponent* owner = Component->GetOwner();
  if (owner && !owner->GetName().empty() && !Component->GetName().empty())
    return owner->GetName() + "." + Component->GetName();
  return Component->GetName();
}

TComponent* FindNestedComponent(TComponent* Root, std::string_view NamePath) {
  if (!Root || NamePath.empty()) return nullptr;
  TComponent* current = Root;
  bool first = true;
  while (!NamePath.empty()) {
    const std::size_t dot = NamePath.find('.');
    const std::string_view segment = NamePath.substr(0, dot);
    TComponent* next = current->FindComponent(std::string(segment));
    if (!next && first && SameText(segment, "Owner")) next = Root;
    if (!next) return nullptr;
    current = next;
    first = false;
    if (dot == std::string_view::npos) break;
    NamePath.remove_prefix(dot + 1);
  }
  return current;
}

// ---- values ----

void TWriter::Write(const void* Buffer, int Count) {
  if (Count > 0) FStream->WriteBuffer(Buffer, Count);
}

void TWriter::WriteValue(TValueType Value) {
  const std::uint8_t b = Value;
  Write(&b, 1);
}

void TWriter::WriteSignature() { Write(FilerSignature, sizeof FilerSignature); }

void TWriter::WritePrefix(TFilerFlags Flags, int AChildPos) {
  if (Flags.Empty()) return;
  const std::uint8_t prefix = static_cast<std::uint8_t>(0xF0 | (Flags.Bits() & 0x0F));
  Write(&prefix, 1);
  if (Flags.Contains(ffChildPos)) WriteInteger(AChildPos);
}

void TWriter::WriteInteger(std::int64_t Value) {
  if (Value >= -128 && Value <= 127) {
    WriteValue(vaInt8);
    PutLE(this, static_cast<std::uint64_t>(Value), 1);
  } else if (Value >= -32768 && Value <= 32767) {
    WriteValue(vaInt16);
    PutLE(this, static_cast<std::uint64_t>(Value), 2);
  } else if (Value >= INT32_MIN && Value <= INT32_MAX) {
    WriteValue(vaInt32);
    PutLE(this, static_cast<std::uint64_t>(Value), 4);
  } else {
    WriteValue(vaInt64);
    PutLE(this, static_cast<std::uint64_t>(Value), 8);
  }
}

void TWriter::WriteBoolean(bool Value) { WriteValue(Value ? vaTrue : vaFalse); }

void TWriter::WriteStr(std::string_view Value) {
  if (Value.size() > 255) throw EWriteError("Name too long to store: %s", {std::string(Value.substr(0, 40))});
  const auto n = static_cast<std::uint8_t>(Value.size());
  Write(&n, 1);
  Write(Value.data(), n);
}

void TWriter::WriteString(std::string_view Value) {
  if (Value.size() > INT32_MAX) throw EWriteError("String too long to store");
  const bool ascii = IsAscii(Value);
  if (ascii && Value.size() <= 255) {
    WriteValue(vaString);
    WriteStr(Value);
    return;
  }
  WriteValue(ascii ? vaLString : vaUTF8String);
  PutLE(this, Value.size(), 4);
  Write(Value.data(), static_cast<int>(Value.size()));
}

void TWriter::WriteIdent(std::string_view Ident) {
  if (SameText(Ident, "False")) WriteValue(vaFalse);
  else if (SameText(Ident, "True")) WriteValue(vaTrue);
  else if (SameText(Ident, "nil")) WriteValue(vaNil);
  else if (SameText(Ident, "Null")) WriteValue(vaNull);
  else {
    WriteValue(vaIdent);
    WriteStr(Ident);
  }
}

void TWriter::WriteFloat(double Value) {
  WriteValue(vaExtended);
  const TExtendedBytes b = DoubleToExtended(Value);
  Write(b.data(), static_cast<int>(b.size()));
}

void TWriter::WriteSingle(float Value) {
  WriteValue(vaSingle);
  std::uint32_t bits;
  std::memcpy(&bits, &Value, 4);
  PutLE(this, bits, 4);
}

// ---- properties ----

void TWriter::WritePropName(const std::string& Name) { WriteStr(FPropPath + Name); }

void TWriter::DefineProperty(const std::string& Name, TReaderProc, TWriterProc WriteData, bool HasData) {
  if (!HasData || !WriteData) return;
  WritePropName(Name);
  WriteData(this);
}

void TWriter::DefineBinaryProperty(const std::string& Name, TStreamProc, TStreamProc WriteData, bool HasData) {
  if (!HasData || !WriteData) return;
  TOwned<TMemoryStream> data(TMemoryStream::Create());
  WriteData(data.get());
  if (data->GetSize() > INT32_MAX) throw EWriteError("Data of %s too large to store", {Name});
  WritePropName(Name);
  WriteValue(vaBinary);
  PutLE(this, static_cast<std::uint64_t>(data->GetSize()), 4);
  Write(data->GetMemory(), static_cast<int>(data->GetSize()));
}

void TWriter::WriteProperties(TPersistent* Instance) {
  for (const TPropInfo* prop : GetPropList(Instance->ClassType()).Items()) WriteProperty(Instance, prop);
  TFiler::DefinePropertiesOf(Instance, this);
}

std::string TWriter::HandlerName(TPersistent* Instance, const TPropInfo* Prop, TComponent* Root) {
  if (!Root || !Prop->EventAssigned(Instance)) return {};
  for (const THandlerInfo* h : GetHandlers(Root->ClassType()))
    if (Prop->EventIs(Instance, Root, *h)) return h->Name;
  return {};
}

void TWriter::WriteProperty(TPersistent* Instance, const TPropInfo* Prop) {
  if (!Prop->IsStored(Instance)) return;
  // The ancestor counts when it has the same property.
  TPersistent* anc = FAncestor;
  if (anc && GetPropInfo(anc->ClassType(), Prop->Name) != Prop) anc = nullptr;
  switch (Prop->Kind) {
    case pkInteger:
    case pkBoolean:
    case pkEnum:
    case pkSet:
    case pkInt64: {
      const std::int64_t v = Prop->GetOrd(Instance);
      if (anc ? v == Prop->GetOrd(anc) : (Prop->HasDefault && v == Prop->OrdDefault)) return;
      WritePropName(Prop->Name);
      if (Prop->Kind == pkBoolean) {
        WriteBoolean(v != 0);
      } else if (Prop->Kind == pkEnum) {
        const std::string name = Prop->EnumName(v);
        if (name.empty()) throw EWriteError("Invalid value %d of property %s", {v, Prop->Name});
        WriteIdent(name);
      } else if (Prop->Kind == pkSet) {
        WriteValue(vaSet);
        for (std::size_t i = 0; i < Prop->Names.size() && i < 64; ++i)
          if (static_cast<std::uint64_t>(v) & (std::uint64_t(1) << i)) WriteStr(Prop->Names[i]);
        WriteStr("");
      } else {
        std::string ident;
        if (Prop->ToIdent && Prop->ToIdent(v, ident)) WriteIdent(ident);
        else WriteInteger(v);
      }
      return;
    }
    case pkString: {
      const std::string v = Prop->GetStr(Instance);
      if (anc ? v == Prop->GetStr(anc) : (Prop->HasDefault && v == Prop->StrDefault)) return;
      WritePropName(Prop->Name);
      WriteString(v);
      return;
    }
    case pkFloat: {
      const double v = Prop->GetFloat(Instance);
      if (anc ? SameFloat(v, Prop->GetFloat(anc)) : (Prop->HasDefault && SameFloat(v, Prop->FloatDefault))) return;
      WritePropName(Prop->Name);
      if (Prop->FloatType == ftSingle) WriteSingle(static_cast<float>(v));
      else WriteFloat(v);
      return;
    }
    case pkObject: {
      auto* v = dynamic_cast<TPersistent*>(Prop->GetObj(Instance));
      auto* av = anc ? dynamic_cast<TPersistent*>(Prop->GetObj(anc)) : nullptr;
      if (!v) {
        if (av) {
          WritePropName(Prop->Name);
          WriteValue(vaNil);
        }
        return;
      }
      if (auto* c = dynamic_cast<TCollection*>(v)) {
        auto* ac = dynamic_cast<TCollection*>(av);
        if (anc ? CollectionsEqual(c, ac) : c->GetCount() == 0) return;
        WritePropName(Prop->Name);
        WriteCollection(c);
        return;
      }
      const std::string oldPath = FPropPath;
      TPersistent* oldAncestor = FAncestor;
      FPropPath += Prop->Name + ".";
      FAncestor = av;
      try {
        WriteProperties(v);
      } catch (...) {
        FPropPath = oldPath;
        FAncestor = oldAncestor;
        throw;
      }
      FPropPath = oldPath;
      FAncestor = oldAncestor;
      return;
    }
    case pkCollection: {
      auto* c = dynamic_cast<TCollection*>(Prop->GetObj(Instance));
      if (!c) return;
      auto* ac = anc ? dynamic_cast<TCollection*>(Prop->GetObj(anc)) : nullptr;
      if (anc ? CollectionsEqual(c, ac) : c->GetCount() == 0) return;
      WritePropName(Prop->Name);
      WriteCollection(c);
      return;
    }
    case pkComponent: {
      auto* v = dynamic_cast<TComponent*>(Prop->GetObj(Instance));
      const std::string name = ComponentReferenceName(v, FLookupRoot);
      if (anc) {
        auto* av = dynamic_cast<TComponent*>(Prop->GetObj(anc));
        if (v == av || (v && av && SameText(name, ComponentReferenceName(av, FRootAncestor)))) return;
      } else if (!v) {
        return;
      }
      // A component without a name cannot be named in a stream.
      if (v && name.empty()) return;
      WritePropName(Prop->Name);
      if (v) WriteIdent(name);
      else WriteValue(vaNil);
      return;
    }
    case pkEvent: {
      const std::string name = HandlerName(Instance, Prop, FLookupRoot);
      const std::string ancName = anc ? HandlerName(anc, Prop, FRootAncestor) : std::string();
      if (SameText(name, ancName)) return;
      WritePropName(Prop->Name);
      if (name.empty()) WriteValue(vaNil);
      else WriteIdent(name);
      return;
    }
  }
}

void TWriter::WriteCollection(TCollection* Value) {
  WriteValue(vaCollection);
  if (Value) {
    // Item properties are compared with no ancestor.
    TPersistent* oldAncestor = FAncestor;
    const std::string oldPath = FPropPath;
    FAncestor = nullptr;
    FPropPath.clear();
    try {
      for (int i = 0; i < Value->GetCount(); ++i) {
        WriteListBegin();
        WriteProperties(Value->GetItem(i));
        WriteListEnd();
      }
    } catch (...) {
      FAncestor = oldAncestor;
      FPropPath = oldPath;
      throw;
    }
    FAncestor = oldAncestor;
    FPropPath = oldPath;
  }
  WriteListEnd();
}

bool TWriter::CollectionsEqual(TCollection* A, TCollection* B) {
  if (!A || !B) return A == B;
  if (A->GetCount() != B->GetCount()) return false;
  auto written = [](TCollection* C, TComponent* Root) {
    TOwned<TMemoryStream> bytes(TMemoryStream::Create());
    TOwned<TWriter> w(TWriter::Create(bytes.get()));
    w->FRoot = w->FLookupRoot = Root;
    w->WriteCollection(C);
    const auto* p = static_cast<const char*>(bytes->GetMemory());
    return std::string(p, p + bytes->GetSize());
  };
  return written(A, FLookupRoot) == written(B, FRootAncestor);
}

// ---- components ----

void TWriter::WriteRootComponent(TComponent* Root) { WriteDescendent(Root, nullptr); }

void TWriter::WriteDescendent(TComponent* Root, TComponent* AAncestor) {
  FRootAncestor = AAncestor;
  FAncestor = AAncestor;
  FRoot = Root;
  FLookupRoot = Root;
  WriteSignature();
  WriteComponent(Root);
}

void TWriter::AddAncestor(TComponent* Component) {
  if (FCollecting) FCollecting->push_back(Component);
}

void TWriter::WriteComponent(TComponent* Component) {
  TPersistent* oldAncestor = FAncestor;
  try {
    TWritingState writing(Component);
    if (FAncestorList) {
      FAncestor = nullptr;
      for (TComponent* a : *FAncestorList)
        if (SameText(a->GetName(), Component->GetName())) FAncestor = a;
    }
    Component->WriteState(this);
  } catch (...) {
    FAncestor = oldAncestor;
    throw;
  }
  FAncestor = oldAncestor;
}

void TWriter::WriteData(TComponent* Instance) {
  TFilerFlags flags;
  if (FAncestor) flags.Include(ffInherited);
  const int ancestorCount = FAncestorList ? static_cast<int>(FAncestorList->size()) : 0;
  if (FAncestorList && FAncestorPos < ancestorCount && (!FAncestor || (*FAncestorList)[FAncestorPos] != FAncestor))
    flags.Include(ffChildPos);
  WritePrefix(flags, FChildPos);
  WriteStr(Instance->ClassName());
  WriteStr(Instance->GetName());
  if (FAncestorList && FAncestorPos < ancestorCount) {
    if (FAncestor) ++FAncestorPos;
    ++FChildPos;
  }
  WriteProperties(Instance);
  WriteListEnd();

  std::vector<TComponent*>* oldList = FAncestorList;
  std::vector<TComponent*>* oldCollecting = FCollecting;
  const int oldPos = FAncestorPos, oldChildPos = FChildPos;
  std::vector<TComponent*> ancestors;
  FAncestorList = nullptr;
  FAncestorPos = 0;
  FChildPos = 0;
  auto restore = [&] {
    FAncestorList = oldList;
    FCollecting = oldCollecting;
    FAncestorPos = oldPos;
    FChildPos = oldChildPos;
  };
  try {
    if (!FIgnoreChildren) {
      if (auto* ancestor = dynamic_cast<TComponent*>(FAncestor)) {
        FCollecting = &ancestors;
        ancestor->GetChildren(Bind(this, &TWriter::AddAncestor), FRootAncestor);
        FCollecting = nullptr;
        FAncestorList = &ancestors;
      }
      Instance->GetChildren(Bind(this, &TWriter::WriteComponent), FRoot);
    }
  } catch (...) {
    restore();
    throw;
  }
  restore();
  WriteListEnd();
}
