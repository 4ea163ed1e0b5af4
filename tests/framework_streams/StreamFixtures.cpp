#include "tests/framework_streams/StreamFixtures.h"

#include <algorithm>

#include "framework/ClassRegistry.h"
#include "framework/ComponentStreams.h"
#include "framework/ObjectText.h"
#include "framework/Published.h"
#include "framework/Reader.h"
#include "framework/Writer.h"

std::vector<std::string> Log;

namespace {
const bool Registered =
    (RegisterClasses({TThing::StaticClass(), TOtherThing::StaticClass(), TThingRoot::StaticClass(),
                      TThingRoot2::StaticClass(), TThingItem::StaticClass()}),
     true);

std::string States(TComponent* C) {
  std::string s;
  if (C->GetComponentState().Contains(csLoading)) s += "L";
  if (C->GetComponentState().Contains(csReading)) s += "R";
  if (C->GetComponentState().Contains(csAncestor)) s += "A";
  return s;
}
}  // namespace

SONVELT_PUBLISHED(TThingItem, P) {
  P.String("Caption", &TThingItem::GetCaption, &TThingItem::SetCaption);
  P.Integer("Value", &TThingItem::GetValue, &TThingItem::SetValue).Default(0);
  P.Component("Target", &TThingItem::GetTarget, &TThingItem::SetTarget);
}

SONVELT_PUBLISHED(TThing, P) {
  P.Integer("Count", &TThing::GetCount, &TThing::SetCount).Default(0);
  P.Integer("Level", &TThing::GetLevel, &TThing::SetLevel);
  P.Integer("Colour", &TThing::GetColour, &TThing::SetColour).Idents(ColorToIdent, IdentToColor).Default(clNone);
  P.Boolean("Flag", &TThing::GetFlag, &TThing::SetFlag).Default(false);
  P.Enum("Mode", &TThing::GetMode, &TThing::SetMode, {"mdOff", "mdSlow", "mdFast"}).Default(mdOff);
  P.Set("Options", &TThing::GetOptions, &TThing::SetOptions, {"opA", "opB", "opC"}).Default(TOptions{opA});
  P.String("Caption", &TThing::GetCaption, &TThing::SetCaption);
  P.Float("Ratio", &TThing::GetRatio, &TThing::SetRatio);
  P.Float("Small", &TThing::GetSmall, &TThing::SetSmall);
  P.Int64("Big", &TThing::GetBig, &TThing::SetBig);
  P.Integer("Byte", &TThing::GetByte, &TThing::SetByte).Default(0);
  P.Boolean("OwnFont", &TThing::GetOwnFont, &TThing::SetOwnFont).Default(false);
  P.Object("Font", &TThing::GetFont).Stored(&TThing::GetOwnFont);
  P.Object("Lines", &TThing::GetLines);
  P.Component("Peer", &TThing::GetPeer, &TThing::SetPeer);
  P.Collection("Items", &TThing::GetItems);
  P.Event("OnChange", &TThing::OnChange);
  P.Event("OnCount", &TThing::OnCount);
}

SONVELT_PUBLISHED(TThingRoot, P) {
  P.Handler("ThingChange", &TThingRoot::ThingChange);
  P.Handler("OtherChange", &TThingRoot::OtherChange);
  P.Handler("ThingCount", &TThingRoot::ThingCount);
}

TThing::TThing(TComponent* AOwner)
    : TComponent(AOwner),
      FFont(TFont::Create()),
      FLines(TStringList::Create()),
      FItems(TOwnedCollection::Create(this, TThingItem::StaticClass())) {
  ++Live;
  Log.push_back("create " + States(this));
}

TThing::~TThing() { --Live; }

void TThing::BeforeDestruction() {
  SetParentThing(nullptr);
  while (!FChildren.empty()) FChildren.back()->SetParentThing(nullptr);
  TComponent::BeforeDestruction();
}

void TThing::SetCount(int Value) {
  FCount = Value;
  Log.push_back(GetName() + ".Count=" + std::to_string(Value) + " " + States(this));
}

void TThing::SetPeer(TThing* Value) {
  FPeer = Value;
  if (Value) Value->FreeNotification(this);
  Log.push_back(GetName() + ".Peer=" + (Value ? Value->GetName() : "nil"));
}

void TThing::SetParentThing(TThing* Value) {
  if (Value == FParentThing) return;
  if (FParentThing) {
    auto& siblings = FParentThing->FChildren;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
  FParentThing = Value;
  if (Value) Value->FChildren.push_back(this);
}

void TThing::ReadState(TReader* Reader) {
  Log.push_back(GetName() + ".ReadState in " + (Reader->GetParent() ? Reader->GetParent()->GetName() : "nil") + " " +
                States(this));
  if (auto* parent = dynamic_cast<TThing*>(Reader->GetParent())) SetParentThing(parent);
  TComponent::ReadState(Reader);
}

void TThing::GetChildren(TGetChildProc Proc, TComponent* Root) {
  for (TThing* c : FChildren)
    if (c->GetOwner() == Root) Proc(c);
}

void TThing::SetChildOrder(TComponent* Child, int Order) {
  auto it = std::find(FChildren.begin(), FChildren.end(), Child);
  if (it == FChildren.end()) return;
  FChildren.erase(it);
  FChildren.insert(FChildren.begin() + std::clamp<int>(Order, 0, static_cast<int>(FChildren.size())),
                   static_cast<TThing*>(Child));
}

void TThing::Loaded() {
  TComponent::Loaded();
  Log.push_back(GetName() + ".Loaded" + (FPeer ? " peer " + FPeer->GetName() : ""));
}

void TThing::DefineProperties(TFiler* Filer) {
  TComponent::DefineProperties(Filer);
  Filer->DefineBinaryProperty("Blob", Bind(this, &TThing::ReadBlob), Bind(this, &TThing::WriteBlob), !Blob.empty());
  Filer->DefineProperty("Pairs", Bind(this, &TThing::ReadPairs), Bind(this, &TThing::WritePairs), !Pairs.empty());
}

void TThing::ReadBlob(TStream* Stream) {
  Blob.resize(static_cast<std::size_t>(Stream->GetSize()));
  if (!Blob.empty()) Stream->ReadBuffer(Blob.data(), static_cast<int>(Blob.size()));
}

void TThing::WriteBlob(TStream* Stream) { Stream->WriteBuffer(Blob.data(), static_cast<int>(Blob.size())); }

void TThing::ReadPairs(TReader* Reader) {
  Pairs.clear();
  Reader->ReadListBegin();
  while (!Reader->EndOfList()) Pairs.push_back(Reader->ReadInteger());
  Reader->ReadListEnd();
}

void TThing::WritePairs(TWriter* Writer) {
  Writer->WriteListBegin();
  for (int v : Pairs) Writer->WriteInteger(v);
  Writer->WriteListEnd();
}

void TThing::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPeer) FPeer = nullptr;
}

void TThingRoot::GetChildren(TGetChildProc Proc, TComponent* Root) {
  for (int i = 0; i < GetComponentCount(); ++i)
    if (!GetComponent(i)->GetParentComponent()) Proc(GetComponent(i));
}

void TThingRoot::ReadState(TReader* Reader) {
  Log.push_back(GetName() + ".ReadState " + States(this));
  TComponent::ReadState(Reader);
}

void TThingRoot::Loaded() {
  TComponent::Loaded();
  Log.push_back(GetName() + ".Loaded");
}

void TThingRoot::ThingChange(TObject*) { Log.push_back("ThingChange"); }
void TThingRoot::OtherChange(TObject*) { Log.push_back("OtherChange"); }
void TThingRoot::ThingCount(TObject*, int Count) { Log.push_back("ThingCount " + std::to_string(Count)); }

TThing* MakeThing(TComponent* Owner, const std::string& Name, TThing* Parent) {
  TThing* t = TThing::Create(Owner);
  t->SetName(Name);
  if (Parent) t->SetParentThing(Parent);
  return t;
}

Bytes Written(TComponent* Root, TComponent* Ancestor) {
  TOwned<TMemoryStream> stream(TMemoryStream::Create());
  WriteDescendent(stream.get(), Root, Ancestor);
  const auto* p = static_cast<const std::uint8_t*>(stream->GetMemory());
  return Bytes(p, p + stream->GetSize());
}

TMemoryStream* StreamOf(const Bytes& Data) {
  TMemoryStream* s = TMemoryStream::Create();
  if (!Data.empty()) s->WriteBuffer(Data.data(), static_cast<int>(Data.size()));
  s->SetPosition(0);
  return s;
}

TComponent* ReadBack(const Bytes& Data, TComponent* Root) {
  TOwned<TMemoryStream> stream(StreamOf(Data));
  return ReadComponent(stream.get(), Root);
}

Bytes Str(const std::string& S) {
  Bytes b(S.size() + 1);
  b[0] = static_cast<std::uint8_t>(S.size());
  std::copy(S.begin(), S.end(), b.begin() + 1);
  return b;
}

Bytes operator+(Bytes A, const Bytes& B) {
  A.insert(A.end(), B.begin(), B.end());
  return A;
}

Bytes Header(const std::string& ClassName, const std::string& Name) {
  return Bytes{'T', 'P', 'F', '0'} + Str(ClassName) + Str(Name);
}

std::string TextOf(const Bytes& Binary) {
  TOwned<TMemoryStream> in(StreamOf(Binary));
  TOwned<TMemoryStream> out(TMemoryStream::Create());
  ObjectBinaryToText(in.get(), out.get());
  const auto* p = static_cast<const char*>(out->GetMemory());
  return std::string(p, p + out->GetSize());
}

Bytes BinaryOf(const std::string& Text) {
  TOwned<TMemoryStream> in(TMemoryStream::Create());
  if (!Text.empty()) in->WriteBuffer(Text.data(), static_cast<int>(Text.size()));
  in->SetPosition(0);
  TOwned<TMemoryStream> out(TMemoryStream::Create());
  ObjectTextToBinary(in.get(), out.get());
  const auto* p = static_cast<const std::uint8_t*>(out->GetMemory());
  return Bytes(p, p + out->GetSize());
}
