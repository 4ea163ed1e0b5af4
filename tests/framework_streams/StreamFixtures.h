// Components with one published property of every kind, a root that owns and
// streams them, and helpers that run streams through the reader and writer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/Collections.h"
#include "framework/Component.h"
#include "framework/Exceptions.h"
#include "framework/FilerTypes.h"
#include "framework/Font.h"
#include "framework/MemoryStreams.h"
#include "framework/OwnedObject.h"
#include "framework/StringLists.h"

using Bytes = std::vector<std::uint8_t>;

// What the things did, in order ("A.Count=5 LR", "A.Loaded", "B.ReadState in A").
extern std::vector<std::string> Log;

enum TMode { mdOff, mdSlow, mdFast };
enum TOption { opA, opB, opC };
using TOptions = TSet<TOption>;

class TThingItem : public TCollectionItem {
  SONVELT_CLASS(TThingItem, TCollectionItem)
public:
  explicit TThingItem(TCollection* Collection) : TCollectionItem(Collection) { ++Live; }
  ~TThingItem() override { --Live; }
  static inline int Live = 0;
  const std::string& GetCaption() const { return FCaption; }
  void SetCaption(const std::string& Value) { FCaption = Value; }
  int GetValue() const { return FValue; }
  void SetValue(int Value) { FValue = Value; }
  TComponent* GetTarget() const { return FTarget; }
  void SetTarget(TComponent* Value) { FTarget = Value; }
  static void Publish(TPublisher<TThingItem>& P);

private:
  std::string FCaption;
  int FValue = 0;
  TComponent* FTarget = nullptr;
};

class TThing : public TComponent {
  SONVELT_CLASS(TThing, TComponent)
public:
  explicit TThing(TComponent* AOwner);
  ~TThing() override;
  void BeforeDestruction() override;
  static inline int Live = 0;

  int GetCount() const { return FCount; }
  void SetCount(int Value);
  int GetLevel() const { return FLevel; }
  void SetLevel(int Value) { FLevel = Value; }
  TColor GetColour() const { return FColour; }
  void SetColour(TColor Value) { FColour = Value; }
  bool GetFlag() const { return FFlag; }
  void SetFlag(bool Value) { FFlag = Value; }
  TMode GetMode() const { return FMode; }
  void SetMode(TMode Value) { FMode = Value; }
  TOptions GetOptions() const { return FOptions; }
  void SetOptions(TOptions Value) { FOptions = Value; }
  const std::string& GetCaption() const { return FCaption; }
  void SetCaption(const std::string& Value) { FCaption = Value; }
  double GetRatio() const { return FRatio; }
  void SetRatio(double Value) { FRatio = Value; }
  float GetSmall() const { return FSmall; }
  void SetSmall(float Value) { FSmall = Value; }
  std::int64_t GetBig() const { return FBig; }
  void SetBig(std::int64_t Value) { FBig = Value; }
  std::uint8_t GetByte() const { return FByte; }
  void SetByte(std::uint8_t Value) { FByte = Value; }
  TFont* GetFont() const { return FFont.get(); }
  // The font is stored only when the thing has its own.
  bool GetOwnFont() const { return FOwnFont; }
  void SetOwnFont(bool Value) { FOwnFont = Value; }
  TStringList* GetLines() const { return FLines.get(); }
  TThing* GetPeer() const { return FPeer; }
  void SetPeer(TThing* Value);
  TOwnedCollection* GetItems() const { return FItems.get(); }
  // Defined properties: "Blob" (binary) and "Pairs" (a list of integers).
  Bytes Blob;
  std::vector<int> Pairs;

  TNotifyEvent OnChange;
  TDelegate<void(TObject* Sender, int Count)> OnCount;

  // Things inside things: the parent lists its children, owned by the root.
  TThing* GetParentThing() const { return FParentThing; }
  void SetParentThing(TThing* Value);
  const std::vector<TThing*>& GetChildThings() const { return FChildren; }
  bool HasParent() const override { return FParentThing != nullptr; }
  TComponent* GetParentComponent() const override { return FParentThing; }
  void SetParentComponent(TComponent* Value) override { SetParentThing(dynamic_cast<TThing*>(Value)); }
  void ReadState(TReader* Reader) override;
  void GetChildren(TGetChildProc Proc, TComponent* Root) override;
  void SetChildOrder(TComponent* Child, int Order) override;

  static void Publish(TPublisher<TThing>& P);

protected:
  void Loaded() override;
  void DefineProperties(TFiler* Filer) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  void ReadBlob(TStream* Stream);
  void WriteBlob(TStream* Stream);
  void ReadPairs(TReader* Reader);
  void WritePairs(TWriter* Writer);

  int FCount = 0;
  int FLevel = 0;
  TColor FColour = clNone;
  bool FFlag = false;
  TMode FMode = mdOff;
  TOptions FOptions{opA};
  std::string FCaption;
  double FRatio = 0;
  float FSmall = 0;
  std::int64_t FBig = 0;
  std::uint8_t FByte = 0;
  TOwned<TFont> FFont;
  bool FOwnFont = false;
  TOwned<TStringList> FLines;
  TThing* FPeer = nullptr;
  TOwned<TOwnedCollection> FItems;
  TThing* FParentThing = nullptr;
  std::vector<TThing*> FChildren;
};

// A thing of another class, for class checks of references.
class TOtherThing : public TThing {
  SONVELT_CLASS(TOtherThing, TThing)
public:
  using TThing::TThing;
};

// The root: streams the components it owns that have no parent, in creation order.
class TThingRoot : public TComponent {
  SONVELT_CLASS(TThingRoot, TComponent)
public:
  explicit TThingRoot(TComponent* AOwner) : TComponent(AOwner) { ++Live; }
  ~TThingRoot() override { --Live; }
  static inline int Live = 0;
  void GetChildren(TGetChildProc Proc, TComponent* Root) override;
  void ReadState(TReader* Reader) override;
  void ThingChange(TObject* Sender);
  void OtherChange(TObject* Sender);
  void ThingCount(TObject* Sender, int Count);
  static void Publish(TPublisher<TThingRoot>& P);

protected:
  void Loaded() override;
};

// A derived root, as a form class derives from its base form.
class TThingRoot2 : public TThingRoot {
  SONVELT_CLASS(TThingRoot2, TThingRoot)
public:
  using TThingRoot::TThingRoot;
};

// A thing named Name owned by Owner (inside Parent when given).
TThing* MakeThing(TComponent* Owner, const std::string& Name, TThing* Parent = nullptr);
Bytes Written(TComponent* Root, TComponent* Ancestor = nullptr);
TMemoryStream* StreamOf(const Bytes& Data);
// Reads Data into Root (null: a new root of the stored class).
TComponent* ReadBack(const Bytes& Data, TComponent* Root = nullptr);
// "TPF0" and the header of a root; the caller adds properties and the two list ends.
Bytes Header(const std::string& ClassName, const std::string& Name);
Bytes Str(const std::string& S);  // length byte and the characters
Bytes operator+(Bytes A, const Bytes& B);
// Text and binary forms of a stream.
std::string TextOf(const Bytes& Binary);
Bytes BinaryOf(const std::string& Text);
