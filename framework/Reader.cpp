#include "framework/Reader.h"

#include <algorithm>
#include <cstring>

#include "framework/ClassRegistry.h"
#include "framework/Collections.h"
#include "framework/Component.h"
#include "framework/Exceptions.h"
#include "framework/ExtendedFloat.h"
#include "framework/MemoryStreams.h"
#include "framework/OwnedObject.h"
#include "framework/Published.h"
#include "framework/StringUtils.h"
#include "framework/Unicode.h"
#include "framework/Writer.h"

namespace {

constexpr std::size_t BufferSize = 4096;
// Components, lists and collections inside one another; real forms stay far below.
constexpr int MaxDepth = 100;

[[noreturn]] void ReadError() { throw EReadError("Stream read error"); }
[[noreturn]] void FormatError() { throw EReadError("Invalid stream format"); }

bool IsInteger(TValueType T) { return T == vaInt8 || T == vaInt16 || T == vaInt32; }

std::string AnsiToUtf8(const std::string& S) {
  if (std::all_of(S.begin(), S.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) return S;
  const int n = MultiByteToWideChar(CP_ACP, 0, S.data(), static_cast<int>(S.size()), nullptr, 0);
  std::wstring w(static_cast<std::size_t>(std::max(n, 0)), L'\0');
  if (n > 0) MultiByteToWideChar(CP_ACP, 0, S.data(), static_cast<int>(S.size()), w.data(), n);
  return WideToUtf8(w);
}

TClass FindComponentClass(const std::string& Name) {
  TClass c = FindClass(Name);
  if (!c->InheritsFrom(TComponent::StaticClass())) throw EReadError("%s is not a component class", {Name});
  return c;
}

// Whether Component is of the class named Name or inherits from it.
bool IsOfClassNamed(TComponent* Component, const std::string& Name) {
  for (TClass c = Component->ClassType(); c; c = c->ClassParent())
    if (SameText(c->ClassName(), Name)) return true;
  return false;
}

void IncludeState(TComponent* C, std::initializer_list<TComponentStateFlag> Flags) {
  TComponentState s = C->GetComponentState();
  for (TComponentStateFlag f : Flags) s.Include(f);
  C->SetComponentState(s);
}

void ExcludeState(TComponent* C, TComponentStateFlag Flag) {
  TComponentState s = C->GetComponentState();
  s.Exclude(Flag);
  C->SetComponentState(s);
}

}  // namespace

TReader::TReader(TStream* Stream) : FStream(Stream), FBuffer(BufferSize) {
  FStreamLeft = std::max<std::int64_t>(Stream->GetSize() - Stream->GetPosition(), 0);
}

TReader::~TReader() {
  // Hands back what was buffered but not read.
  if (FBufEnd > FBufPos) FStream->Seek(-static_cast<std::int64_t>(FBufEnd - FBufPos), soCurrent);
}

// ---- raw bytes ----

std::int64_t TReader::Remaining() const { return static_cast<std::int64_t>(FBufEnd - FBufPos) + FStreamLeft; }

void TReader::Fill() {
  if (FBufPos < FBufEnd) return;
  const int want = static_cast<int>(std::min<std::int64_t>(FStreamLeft, BufferSize));
  if (want <= 0) ReadError();
  const int got = FStream->Read(FBuffer.data(), want);
  if (got <= 0) ReadError();
  FBufPos = 0;
  FBufEnd = static_cast<std::size_t>(got);
  FStreamLeft -= got;
}

std::uint8_t TReader::ReadByte() {
  Fill();
  return FBuffer[FBufPos++];
}

void TReader::Read(void* Buffer, int Count) {
  if (Count < 0 || Count > Remaining()) ReadError();
  auto* out = static_cast<std::uint8_t*>(Buffer);
  while (Count > 0) {
    Fill();
    const int n = static_cast<int>(std::min<std::size_t>(FBufEnd - FBufPos, static_cast<std::size_t>(Count)));
    std::memcpy(out, FBuffer.data() + FBufPos, static_cast<std::size_t>(n));
    FBufPos += static_cast<std::size_t>(n);
    out += n;
    Count -= n;
  }
}

void TReader::SkipBytes(std::int64_t Count) {
  if (Count < 0 || Count > Remaining()) ReadError();
  while (Count > 0) {
    Fill();
    const auto n = std::min<std::int64_t>(static_cast<std::int64_t>(FBufEnd - FBufPos), Count);
    FBufPos += static_cast<std::size_t>(n);
    Count -= n;
  }
}

std::int32_t TReader::ReadLength() {
  std::uint8_t b[4];
  Read(b, 4);
  const auto n = static_cast<std::int32_t>(b[0] | (b[1] << 8) | (b[2] << 16) | (std::uint32_t(b[3]) << 24));
  // A length is checked against what is left before anything is made of that size.
  if (n < 0 || n > Remaining()) ReadError();
  return n;
}

void TReader::Enter() {
  if (++FDepth > MaxDepth) {
    --FDepth;
    throw EReadError("Stream data nested too deeply");
  }
}

// ---- values ----

TValueType TReader::ReadValue() {
  const std::uint8_t b = ReadByte();
  if (b > vaLast) PropValueError();
  return static_cast<TValueType>(b);
}

TValueType TReader::NextValue() {
  Fill();
  const std::uint8_t b = FBuffer[FBufPos];
  return b > vaLast ? static_cast<TValueType>(0xFF) : static_cast<TValueType>(b);
}

bool TReader::EndOfList() { return NextValue() == vaNull; }

void TReader::CheckValue(TValueType Value) {
  if (ReadValue() != Value) PropValueError();
}

void TReader::PropValueError() { throw EReadError("Invalid property value"); }

std::int64_t TReader::ReadOrdinal(TValueType Type) {
  std::uint8_t b[8];
  switch (Type) {
    case vaInt8: Read(b, 1); return static_cast<std::int8_t>(b[0]);
    case vaInt16: Read(b, 2); return static_cast<std::int16_t>(b[0] | (b[1] << 8));
    case vaInt32: Read(b, 4); return static_cast<std::int32_t>(b[0] | (b[1] << 8) | (b[2] << 16) | (std::uint32_t(b[3]) << 24));
    case vaInt64: {
      Read(b, 8);
      std::uint64_t v = 0;
      for (int i = 7; i >= 0; --i) v = (v << 8) | b[i];
      return static_cast<std::int64_t>(v);
    }
    default: PropValueError();
  }
}

int TReader::ReadInteger() {
  const TValueType t = ReadValue();
  if (!IsInteger(t)) PropValueError();
  return static_cast<int>(ReadOrdinal(t));
}

std::int64_t TReader::ReadInt64() {
  const TValueType t = ReadValue();
  if (!IsInteger(t) && t != vaInt64) PropValueError();
  return ReadOrdinal(t);
}

bool TReader::ReadBoolean() {
  const TValueType t = ReadValue();
  if (t != vaTrue && t != vaFalse) PropValueError();
  return t == vaTrue;
}

std::string TReader::ReadStr() {
  const std::uint8_t n = ReadByte();
  std::string s(n, '\0');
  Read(s.data(), n);
  return s;
}

std::string TReader::ReadString() {
  const TValueType t = ReadValue();
  switch (t) {
    case vaString: return AnsiToUtf8(ReadStr());
    case vaLString:
    case vaUTF8String: {
      std::string s(static_cast<std::size_t>(ReadLength()), '\0');
      Read(s.data(), static_cast<int>(s.size()));
      return t == vaLString ? AnsiToUtf8(s) : s;
    }
    case vaWString: {
      const std::int32_t n = ReadLength();
      if (n > Remaining() / 2) ReadError();
      std::vector<std::uint8_t> bytes(static_cast<std::size_t>(n) * 2);
      Read(bytes.data(), static_cast<int>(bytes.size()));
      std::wstring w(static_cast<std::size_t>(n), L'\0');
      for (std::int32_t i = 0; i < n; ++i) w[i] = static_cast<wchar_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
      return WideToUtf8(w);
    }
    default: PropValueError();
  }
}

std::string TReader::ReadIdent() {
  switch (ReadValue()) {
    case vaIdent: return ReadStr();
    case vaFalse: return "False";
    case vaTrue: return "True";
    case vaNil: return "nil";
    case vaNull: return "Null";
    default: PropValueError();
  }
}

double TReader::ReadFloat() {
  const TValueType t = ReadValue();
  switch (t) {
    case vaExtended: {
      TExtendedBytes b;
      Read(b.data(), static_cast<int>(b.size()));
      return ExtendedToDouble(b);
    }
    case vaDouble:
    case vaDate: {
      double d;
      Read(&d, 8);
      return d;
    }
    case vaSingle: {
      float f;
      Read(&f, 4);
      return f;
    }
    case vaCurrency: return static_cast<double>(ReadOrdinal(vaInt64)) / 10000.0;
    case vaInt8:
    case vaInt16:
    case vaInt32:
    case vaInt64: return static_cast<double>(ReadOrdinal(t));
    default: PropValueError();
  }
}

float TReader::ReadSingle() {
  if (NextValue() == vaSingle) {
    ReadValue();
    float f;
    Read(&f, 4);
    return f;
  }
  return static_cast<float>(ReadFloat());
}

void TReader::SkipValue() {
  const TValueType t = ReadValue();
  switch (t) {
    case vaNull:
    case vaFalse:
    case vaTrue:
    case vaNil: return;
    case vaList:
      Enter();
      while (!EndOfList()) SkipValue();
      ReadListEnd();
      Leave();
      return;
    case vaInt8: SkipBytes(1); return;
    case vaInt16: SkipBytes(2); return;
    case vaInt32:
    case vaSingle: SkipBytes(4); return;
    case vaInt64:
    case vaCurrency:
    case vaDate:
    case vaDouble: SkipBytes(8); return;
    case vaExtended: SkipBytes(10); return;
    case vaString:
    case vaIdent: SkipBytes(ReadByte()); return;
    case vaBinary:
    case vaLString:
    case vaUTF8String: SkipBytes(ReadLength()); return;
    case vaWString: SkipBytes(std::int64_t(ReadLength()) * 2); return;
    case vaSet:
      while (!ReadStr().empty()) {
      }
      return;
    case vaCollection:
      Enter();
      while (!EndOfList()) {
        if (IsInteger(NextValue())) SkipValue();
        ReadListBegin();
        while (!EndOfList()) {
          ReadStr();
          SkipValue();
        }
        ReadListEnd();
      }
      ReadListEnd();
      Leave();
      return;
  }
  PropValueError();
}

// ---- structure ----

void TReader::ReadSignature() {
  std::uint8_t sig[4];
  if (Remaining() < 4) FormatError();
  Read(sig, 4);
  if (std::memcmp(sig, FilerSignature, 4) != 0) FormatError();
}

void TReader::ReadPrefix(TFilerFlags& Flags, int& AChildPos) {
  Flags = TFilerFlags();
  Fill();
  if ((FBuffer[FBufPos] & 0xF0) != 0xF0) return;
  const std::uint8_t prefix = ReadByte();
  Flags = TFilerFlags::FromBits(prefix & 0x07);
  if (Flags.Contains(ffChildPos)) AChildPos = ReadInteger();
}

bool TReader::Recover(const std::string& Message) {
  if (FDeclined || !OnError) return false;
  bool handled = false;
  OnError(this, Message, handled);
  if (!handled) FDeclined = true;
  return handled;
}

void TReader::DefineProperty(const std::string& Name, TReaderProc ReadData, TWriterProc, bool) {
  if (FPropFound || !ReadData || !SameText(Name, FPropName)) return;
  FPropFound = true;
  ReadData(this);
  // The procedure may have read properties of other objects meanwhile.
  FPropFound = true;
}

void TReader::DefineBinaryProperty(const std::string& Name, TStreamProc ReadData, TStreamProc, bool) {
  if (FPropFound || !ReadData || !SameText(Name, FPropName)) return;
  FPropFound = true;
  CheckValue(vaBinary);
  const std::int32_t n = ReadLength();
  TOwned<TMemoryStream> data(TMemoryStream::Create());
  if (n > 0) {
    data->SetSize(n);
    Read(data->GetMemory(), n);
  }
  data->SetPosition(0);
  ReadData(data.get());
}

void TReader::ReadProperty(TPersistent* Instance) {
  const std::string path = ReadStr();
  const std::int64_t valueAt = FStream->GetPosition() - static_cast<std::int64_t>(FBufEnd - FBufPos);
  const int depth = FDepth;
  try {
    TPersistent* instance = Instance;
    std::size_t start = 0;
    const TPropInfo* prop = nullptr;
    while (true) {
      const std::size_t dot = path.find('.', start);
      const std::string segment = path.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
      prop = GetPropInfo(instance->ClassType(), segment);
      if (dot == std::string::npos) {
        FPropName = segment;
        break;
      }
      if (!prop) {
        // "Prop.SubProp" may be a defined property as a whole.
        FPropName = path;
        break;
      }
      auto* value = (prop->Kind == pkObject || prop->Kind == pkCollection)
                        ? dynamic_cast<TPersistent*>(prop->GetObj(instance))
                        : nullptr;
      if (!value) throw EReadError("Property %s does not exist", {path});
      instance = value;
      start = dot + 1;
      prop = nullptr;
    }
    if (prop) {
      ReadPropValue(instance, prop);
    } else {
      FPropFound = false;
      TFiler::DefinePropertiesOf(instance, this);
      if (!FPropFound) throw EReadError("Property %s does not exist", {path});
      FPropFound = false;
    }
  } catch (const Exception& E) {
    FPropFound = false;
    if (!Recover(E.GetMessage())) throw;
    FDepth = depth;
    // Skips the whole value from its start, whatever the failed read took of it.
    FStream->Seek(valueAt, soBeginning);
    FStreamLeft = std::max<std::int64_t>(FStream->GetSize() - valueAt, 0);
    FBufPos = FBufEnd = 0;
    SkipValue();
  }
}

std::uint64_t TReader::ReadSetValue(const TPropInfo* Prop) {
  CheckValue(vaSet);
  std::uint64_t bits = 0;
  for (std::string name = ReadStr(); !name.empty(); name = ReadStr()) {
    const int v = Prop->EnumValue(name);
    if (v < 0 || v >= 64) PropValueError();
    bits |= std::uint64_t(1) << v;
  }
  return bits;
}

void TReader::ReadPropValue(TPersistent* Instance, const TPropInfo* Prop) {
  switch (Prop->Kind) {
    case pkInteger: {
      std::int64_t v = 0;
      if (NextValue() == vaIdent) {
        const std::string ident = ReadIdent();
        if (!Prop->FromIdent || !Prop->FromIdent(ident, v)) PropValueError();
      } else {
        v = ReadInteger();
      }
      if (v < Prop->MinValue || v > Prop->MaxValue) PropValueError();
      Prop->SetOrd(Instance, v);
      return;
    }
    case pkBoolean: Prop->SetOrd(Instance, ReadBoolean() ? 1 : 0); return;
    case pkEnum: {
      if (NextValue() != vaIdent && NextValue() != vaTrue && NextValue() != vaFalse) PropValueError();
      const int v = Prop->EnumValue(ReadIdent());
      if (v < 0) PropValueError();
      Prop->SetOrd(Instance, v);
      return;
    }
    case pkSet: Prop->SetOrd(Instance, static_cast<std::int64_t>(ReadSetValue(Prop))); return;
    case pkString: Prop->SetStr(Instance, ReadString()); return;
    case pkFloat: Prop->SetFloat(Instance, Prop->FloatType == ftSingle ? ReadSingle() : ReadFloat()); return;
    case pkInt64: Prop->SetOrd(Instance, ReadInt64()); return;
    case pkObject:
    case pkCollection: {
      const TValueType t = NextValue();
      if (t == vaNil && Prop->SetObj) {
        ReadValue();
        Prop->SetObj(Instance, nullptr);
        return;
      }
      auto* c = dynamic_cast<TCollection*>(Prop->GetObj(Instance));
      if (t != vaCollection || !c) PropValueError();
      ReadValue();
      ReadCollection(c);
      return;
    }
    case pkComponent: ReadReference(Instance, Prop); return;
    case pkEvent: ReadEvent(Instance, Prop); return;
  }
}

void TReader::ReadReference(TPersistent* Instance, const TPropInfo* Prop) {
  if (NextValue() == vaNil) {
    ReadValue();
    Prop->SetObj(Instance, nullptr);
    return;
  }
  if (NextValue() != vaIdent) PropValueError();
  const std::string name = ReadIdent();
  if (TComponent* c = FindNestedComponent(FLookupRoot, name)) {
    if (!c->InheritsFrom(Prop->RefClass)) PropValueError();
    Prop->SetObj(Instance, c);
    return;
  }
  FFixups.push_back(TFixup{Instance, Prop, name});
}

void TReader::ReadEvent(TPersistent* Instance, const TPropInfo* Prop) {
  if (NextValue() == vaNil) {
    ReadValue();
    Prop->SetEvent(Instance, FLookupRoot, nullptr);
    return;
  }
  if (NextValue() != vaIdent) PropValueError();
  const std::string name = ReadIdent();
  const THandlerInfo* h = FLookupRoot ? FindHandler(FLookupRoot->ClassType(), name) : nullptr;
  if (!h) throw EReadError("Method %s does not exist", {name});
  if (*h->DelegateType != *Prop->EventType) throw EReadError("Method %s does not fit event %s", {name, Prop->Name});
  Prop->SetEvent(Instance, FLookupRoot, h);
}

void TReader::ResolveFixups() {
  std::vector<TFixup> fixups;
  fixups.swap(FFixups);
  for (const TFixup& f : fixups) {
    TComponent* c = FindNestedComponent(FLookupRoot, f.Name);
    if (c && c->InheritsFrom(f.Prop->RefClass)) {
      f.Prop->SetObj(f.Instance, c);
      continue;
    }
    const std::string message =
        c ? Format("Component %s does not fit property %s", {f.Name, f.Prop->Name})
          : Format("Component %s named by property %s does not exist", {f.Name, f.Prop->Name});
    if (!Recover(message)) throw EReadError(message);
  }
}

void TReader::ReadCollection(TCollection* Collection) {
  Enter();
  Collection->BeginUpdate();
  try {
    // An empty stored collection empties the collection too.
    Collection->Clear();
    while (!EndOfList()) {
      if (IsInteger(NextValue())) ReadInteger();  // the item's order, kept by position
      TCollectionItem* item = Collection->Add();
      ReadListBegin();
      while (!EndOfList()) ReadProperty(item);
      ReadListEnd();
    }
    ReadListEnd();
  } catch (...) {
    Collection->EndUpdate();
    Leave();
    throw;
  }
  Collection->EndUpdate();
  Leave();
}

void TReader::SkipComponent(bool SkipHeader) {
  Enter();
  if (SkipHeader) {
    TFilerFlags flags;
    int pos = 0;
    ReadPrefix(flags, pos);
    ReadStr();
    ReadStr();
  }
  while (!EndOfList()) {
    ReadStr();
    SkipValue();
  }
  ReadListEnd();
  while (!EndOfList()) SkipComponent(true);
  ReadListEnd();
  Leave();
}

void TReader::ReadData(TComponent* Instance) {
  const bool outer = !FInData;
  FInData = true;
  TComponent* oldParent = FParent;
  TComponent* oldOwner = FOwner;
  try {
    while (!EndOfList()) ReadProperty(Instance);
    ReadListEnd();
    FParent = Instance->GetChildParent();
    FOwner = Instance->GetChildOwner();
    if (!FOwner) FOwner = FRoot;
    while (!EndOfList()) ReadComponent(nullptr);
    ReadListEnd();
    FParent = oldParent;
    FOwner = oldOwner;
    if (outer) ResolveFixups();
  } catch (...) {
    FParent = oldParent;
    FOwner = oldOwner;
    if (outer) FInData = false;
    throw;
  }
  if (outer) FInData = false;
}

TComponent* TReader::ReadComponent(TComponent* Component) {
  const bool outer = !FInRead;
  if (outer) BeginRead();
  TComponent* result = Component;
  try {
    Enter();
    TFilerFlags flags;
    int position = -1;
    ReadPrefix(flags, position);
    const std::string className = ReadStr();
    const std::string name = ReadStr();
    TComponent* oldParent = FParent;
    if (!result && flags.Contains(ffInherited)) {
      // Inherited: the ancestor made it already.
      if (FOwner) result = FOwner->FindComponent(name);
      if (!result && FLookupRoot) result = FLookupRoot->FindComponent(name);
      if (!result || !IsOfClassNamed(result, className))
        throw EReadError("Ancestor for '%s' not found", {name});
      Touch(result);
      result->SetAncestor(true);
      FParent = result->GetParentComponent();
      if (!FParent) FParent = FRoot;
    } else if (!result) {
      TClass cls = nullptr;
      try {
        cls = FindComponentClass(className);
      } catch (const Exception& E) {
        if (!Recover(E.GetMessage())) throw;
        SkipComponent(false);
        Leave();
        if (outer) EndRead();
        return nullptr;
      }
      {
        sonvelt_detail::TLoadingConstruction loading;
        result = TClassOf<TComponent>(cls).Create(FOwner);
      }
      FCreated.push_back(result);
    } else {
      Touch(result);
    }
    IncludeState(result, {csLoading});
    if (!flags.Contains(ffInherited)) result->SetName(name);
    IncludeState(result, {csReading});
    result->ReadState(this);
    ExcludeState(result, csReading);
    FParent = oldParent;
    if (flags.Contains(ffChildPos) && FParent) FParent->SetChildOrder(result, position);
    if (std::find(FLoaded.begin(), FLoaded.end(), result) == FLoaded.end()) FLoaded.push_back(result);
    Leave();
  } catch (...) {
    if (outer) FailRead();
    throw;
  }
  if (outer) EndRead();
  return result;
}

TComponent* TReader::ReadRootComponent(TComponent* Root) {
  BeginRead();
  TComponent* result = Root;
  try {
    ReadSignature();
    TFilerFlags flags;
    int position = 0;
    ReadPrefix(flags, position);
    const std::string className = ReadStr();
    if (!result) {
      TClass cls = FindComponentClass(className);
      {
        sonvelt_detail::TLoadingConstruction loading;
        result = TClassOf<TComponent>(cls).Create(nullptr);
      }
      FCreated.push_back(result);
      result->SetName(ReadStr());
    } else {
      Touch(result);
      IncludeState(result, {csLoading, csReading});
      std::string name = ReadStr();
      // Another component of the owner may carry the stored name already.
      if (TComponent* owner = result->GetOwner()) {
        const std::string base = name;
        for (int i = 1; !name.empty(); ++i) {
          TComponent* other = owner->FindComponent(name);
          if (!other || other == result) break;
          name = base + "_" + std::to_string(i);
        }
      }
      FRenamed = result;
      FOldName = result->GetName();
      result->SetName(name);
    }
    FRoot = FLookupRoot = result;
    FOwner = result;
    FLoaded.push_back(result);
    IncludeState(result, {csLoading, csReading});
    result->ReadState(this);
    ExcludeState(result, csReading);
  } catch (...) {
    FailRead();
    throw;
  }
  EndRead();
  return result;
}

// ---- one read operation ----

void TReader::BeginRead() {
  FInRead = true;
  FRenamed = nullptr;
  FDeclined = false;
  FLoaded.clear();
  FFixups.clear();
  FCreated.clear();
  FTouched.clear();
}

void TReader::Touch(TComponent* Component) {
  for (const auto& t : FTouched)
    if (t.first == Component) return;
  FTouched.emplace_back(Component, Component->GetComponentState());
}

void TReader::EndRead() {
  // References are complete before any component hears Loaded.
  try {
    ResolveFixups();
    std::vector<TComponent*> loaded;
    loaded.swap(FLoaded);
    for (TComponent* c : loaded) c->Loaded();
  } catch (...) {
    FailRead();
    throw;
  }
  FCreated.clear();
  FTouched.clear();
  FRenamed = nullptr;
  FInRead = false;
}

void TReader::FailRead() {
  FFixups.clear();
  FLoaded.clear();
  // Later components first: nothing freed here is owned or parented by a later one.
  std::vector<TComponent*> created;
  created.swap(FCreated);
  for (auto it = created.rbegin(); it != created.rend(); ++it) Free(*it);
  for (const auto& [component, state] : FTouched) component->SetComponentState(state);
  FTouched.clear();
  if (FRenamed) {
    try {
      FRenamed->SetName(FOldName);
    } catch (const Exception&) {
      // Cleaning up must not raise over the read's own error.
    }
    FRenamed = nullptr;
  }
  FInRead = false;
  FInData = false;
  FDepth = 0;
}
