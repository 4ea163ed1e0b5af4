// TReader: reads the binary component stream ("TPF0", then the root component:
// prefix, class, name, properties, children) into components.
//
//   TReader* R = TReader::Create(Stream);
//   TComponent* Root = R->ReadRootComponent(nullptr);   // a new root of the stored class
//   R->ReadRootComponent(Form);                        // or into an existing one
//   Free(R);                                            // the stream stands after the data
//
// Loading: every component read carries csLoading from its creation until its
// Loaded, and csReading while its own state is read; its ReadState sees the reader's
// Parent first (controls take their Parent there). A reference names a component:
// one already read is set at once, a later one once the whole tree is read, before
// the first Loaded. Then each component's Loaded runs once: the root first, then
// each component in the order its reading ended. Inherited components (written
// against an ancestor) are found by name, not created, and carry csAncestor.
//
// A name the class does not publish goes to DefineProperties; unknown there, it
// raises EReadError "Property %s does not exist" unless OnError sets Handled, which
// skips the value. A failed read frees every component it made (the root too when
// it made the root), so owners are left as they were.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/Component.h"
#include "framework/Delegate.h"
#include "framework/FilerTypes.h"
#include "framework/Persistent.h"

class TStream;
class TCollection;
class TPropInfo;

class TReader;
using TReaderError = TDelegate<void(TReader* Reader, const std::string& Message, bool& Handled)>;

class TReader : public TFiler {
  SONVELT_CLASS(TReader, TFiler)
public:
  explicit TReader(TStream* Stream);
  ~TReader() override;

  void DefineProperty(const std::string& Name, TReaderProc ReadData, TWriterProc WriteData, bool HasData) override;
  void DefineBinaryProperty(const std::string& Name, TStreamProc ReadData, TStreamProc WriteData,
                            bool HasData) override;

  // Components.
  TComponent* ReadRootComponent(TComponent* Root);
  // One component with its prefix: Component, or a new one of the stored class
  // owned by Owner and placed in Parent.
  TComponent* ReadComponent(TComponent* Component);
  // The properties and children of Instance; TComponent::ReadState calls it.
  void ReadData(TComponent* Instance);
  void ReadProperty(TPersistent* Instance);
  // The items after a vaCollection, added to Collection after it is cleared.
  void ReadCollection(TCollection* Collection);
  void ReadSignature();
  void ReadPrefix(TFilerFlags& Flags, int& AChildPos);

  // Values.
  TValueType ReadValue();
  TValueType NextValue();
  void CheckValue(TValueType Value);
  bool EndOfList();
  void ReadListBegin() { CheckValue(vaList); }
  void ReadListEnd() { CheckValue(vaNull); }
  int ReadInteger();
  std::int64_t ReadInt64();
  bool ReadBoolean();
  std::string ReadString();
  std::string ReadIdent();
  double ReadFloat();
  float ReadSingle();
  // A length byte and that many bytes, without a value type.
  std::string ReadStr();
  void SkipValue();
  // Raw bytes; EReadError when the stream holds fewer.
  void Read(void* Buffer, int Count);
  // Bytes left in the stream.
  std::int64_t Remaining() const;

  TComponent* GetOwner() const { return FOwner; }
  void SetOwner(TComponent* Value) { FOwner = Value; }
  TComponent* GetParent() const { return FParent; }
  void SetParent(TComponent* Value) { FParent = Value; }
  // The full name of the property being read ("Font.Height").
  const std::string& GetPropName() const { return FPropName; }

  TReaderError OnError;

private:
  struct TFixup {
    TPersistent* Instance;
    const TPropInfo* Prop;
    std::string Name;
  };
  void Fill();
  std::uint8_t ReadByte();
  std::int64_t ReadOrdinal(TValueType Type);
  void ReadPropValue(TPersistent* Instance, const TPropInfo* Prop);
  void ReadReference(TPersistent* Instance, const TPropInfo* Prop);
  void ReadEvent(TPersistent* Instance, const TPropInfo* Prop);
  std::uint64_t ReadSetValue(const TPropInfo* Prop);
  void ResolveFixups();
  void SkipComponent(bool SkipHeader);
  void SkipBytes(std::int64_t Count);
  std::int32_t ReadLength();
  // Offers an error to OnError; true when it is to be passed over.
  bool Recover(const std::string& Message);
  void Enter();
  void Leave() { --FDepth; }
  [[noreturn]] void PropValueError();
  // One read of a root or a lone component: EndRead resolves references and runs
  // Loaded; FailRead frees what the read made and restores the states it changed.
  void BeginRead();
  void EndRead();
  void FailRead();
  void Touch(TComponent* Component);

  TStream* FStream;
  std::vector<std::uint8_t> FBuffer;
  std::size_t FBufPos = 0, FBufEnd = 0;
  std::int64_t FStreamLeft = 0;  // bytes of the stream not yet in the buffer
  TComponent* FOwner = nullptr;
  TComponent* FParent = nullptr;
  std::string FPropName;
  bool FPropFound = false;
  int FDepth = 0;
  bool FInRead = false;
  bool FInData = false;
  bool FDeclined = false;
  std::vector<TComponent*> FLoaded;
  std::vector<TFixup> FFixups;
  std::vector<TComponent*> FCreated;
  std::vector<std::pair<TComponent*, TComponentState>> FTouched;
  TComponent* FRenamed = nullptr;  // an existing root the read renamed, and its old name
  std::string FOldName;
};
