// Stored skins: a skin packed into one zlib-compressed byte stream (the form
// pictures, the numbered pictures and the description text), kept inside a
// form so that the program needs no skin files. TspCompressedStoredSkin holds
// one package; TspCompressedSkinList holds several as collection items.
//
// The package, decompressed (integers 32-bit little-endian): version, then the
// picture slots the version has (picture, inactive picture, mask, roll-up
// picture, roll-up mask: a flag byte, 0 followed by a BMP file, nonzero for an
// empty slot), the count of numbered pictures and their BMP files, and the
// description text to the end. A compressed skin file (".skn") is the version,
// the size of the zlib data, and the zlib data.
#pragma once
#include <cstdint>
#include <string>

#include "framework/Collections.h"
#include "framework/Component.h"
#include "framework/MemoryStreams.h"
#include "framework/OwnedObject.h"

// A decompressed package may not grow beyond this: a few bytes of hostile
// zlib data can otherwise ask for gigabytes.
inline constexpr int64_t MaxSkinPackageSize = 64 << 20;

class TspCompressedStoredSkin : public TComponent {
  SONVELT_CLASS(TspCompressedStoredSkin, TComponent)
 public:
  explicit TspCompressedStoredSkin(TComponent* AOwner);
  ~TspCompressedStoredSkin() override;
  static void Publish(TPublisher<TspCompressedStoredSkin>& P);

  bool IsEmpty() const;
  // Decompresses the package into Dest; damaged data raises EDecompressionError.
  void DecompressToStream(TStream* Dest);
  // Packs the description file and the pictures it names (from its folder). A
  // file without the five required sections changes nothing; a missing picture
  // raises and leaves the stored skin as it was.
  void LoadFromSkinFile(const std::string& FileName);
  // The compressed skin file form. A version above 3, or a size that the data
  // does not hold, leaves the stored skin empty.
  void LoadFromCompressedFile(const std::string& FileName);
  void LoadFromCompressedStream(TStream* Stream);
  void SaveToCompressedStream(TStream* Stream);

  const std::string& GetDescription() const { return FDescription; }
  void SetDescription(const std::string& Value) { FDescription = Value; }
  const std::string& GetFileName() const { return FFileName; }
  // While designing, keeps the bare name and packs the file; otherwise only stores it.
  void SetFileName(const std::string& Value);
  const std::string& GetCompressedFileName() const { return FCompressedFileName; }
  void SetCompressedFileName(const std::string& Value);
  // The raw zlib stream of the package.
  TMemoryStream* GetCompressedStream() const { return FCompressedStream.get(); }

 protected:
  // "CompressedData": the whole zlib stream, always stored.
  void DefineProperties(TFiler* Filer) override;

 private:
  void ReadData(TStream* Stream);
  void WriteData(TStream* Stream);

  std::string FDescription, FFileName, FCompressedFileName;
  TOwned<TMemoryStream> FCompressedStream;
};

class TspSkinListItem : public TCollectionItem {
  SONVELT_CLASS(TspSkinListItem, TCollectionItem)
 public:
  explicit TspSkinListItem(TCollection* Collection);
  ~TspSkinListItem() override;
  void AfterConstruction() override;
  static void Publish(TPublisher<TspSkinListItem>& P);
  void Assign(TPersistent* Source) override;

  TspCompressedStoredSkin* GetStoredSkin() const { return FStoredSkin.get(); }
  const std::string& GetName() const { return FName; }
  void SetName(const std::string& Value) { FName = Value; }
  const std::string& GetDescription() const { return FDescription; }
  void SetDescription(const std::string& Value) { FDescription = Value; }
  const std::string& GetFileName() const { return FFileName; }
  void SetFileName(const std::string& Value);
  const std::string& GetCompressedFileName() const { return FCompressedFileName; }
  void SetCompressedFileName(const std::string& Value);
  std::string GetDisplayName() const override;

 protected:
  // "Skin": the stored skin in the compressed skin file form.
  void DefineProperties(TFiler* Filer) override;

 private:
  bool Designing() const;
  void ReadSkin(TStream* Stream) { FStoredSkin->LoadFromCompressedStream(Stream); }
  void WriteSkin(TStream* Stream) { FStoredSkin->SaveToCompressedStream(Stream); }

  std::string FName, FDescription, FFileName, FCompressedFileName;
  TOwned<TspCompressedStoredSkin> FStoredSkin;
};

class TspSkinListItems : public TOwnedCollection {
  SONVELT_CLASS(TspSkinListItems, TOwnedCollection)
 public:
  explicit TspSkinListItems(TPersistent* AOwner) : TOwnedCollection(AOwner, TspSkinListItem::StaticClass()) {}
  TspSkinListItem* Items(int Index) const { return static_cast<TspSkinListItem*>(GetItem(Index)); }
};

class TspCompressedSkinList : public TComponent {
  SONVELT_CLASS(TspCompressedSkinList, TComponent)
 public:
  explicit TspCompressedSkinList(TComponent* AOwner);
  ~TspCompressedSkinList() override;
  static void Publish(TPublisher<TspCompressedSkinList>& P);

  TspSkinListItems* GetSkins() const { return FSkins.get(); }
  void SetSkins(TspSkinListItems* Value) { FSkins->Assign(Value); }

 private:
  TOwned<TspSkinListItems> FSkins;
};
