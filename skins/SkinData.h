// TspSkinData: the live skin. It unpacks a stored skin package, keeps its
// pictures, reads its description into descriptor objects and answers the
// skinned controls when they look their descriptor up by name. Before and after
// a skin is loaded it tells every form by a sent message (WParam: this
// component, LParam: 1000).
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/Colors.h"
#include "framework/Component.h"
#include "framework/OwnedObject.h"
#include "framework/StringLists.h"
#include "skins/SkinControlDescriptors.h"
#include "skins/SkinObjectDescriptors.h"
#include "skins/SkinWindowDescriptors.h"

class TCustomIniFile;
class TspCompressedStoredSkin;
class TspCompressedSkinList;
class TspResourceStrData;

inline constexpr UINT WM_SKINDATA_BEFORECHANGE = 0x4C9;
inline constexpr UINT WM_SKINDATA_CHANGED = 0x4CA;
inline constexpr UINT WM_SKINDATA_CHANGEDONE = 0x4CB;
inline constexpr UINT WM_SKINDATA_RESSTRINGS = 0x4FA;
inline constexpr UINT WM_SKINDATA_FORMSKINNABLE = 0x50E;
inline constexpr LPARAM SkinMessageParam = 1000;

// The ten colours of a skin (section SKINCOLORS), in key order.
class TspSkinColors : public TPersistent {
  SONVELT_CLASS(TspSkinColors, TPersistent)
 public:
  // All 0 until SetDefaults or a skin's colours.
  TspSkinColors() = default;
  void SetDefaults();
  // Each colour is read as an integer, 0 when missing.
  void ReadFromIni(TCustomIniFile* Ini);
  void Assign(TPersistent* Source) override;

  TColor cBtnFace = 0, cBtnText = 0, cWindow = 0, cWindowText = 0, cHighLight = 0, cHighLightText = 0,
         cBtnHighLight = 0, cBtnShadow = 0, c3DLight = 0, c3DDkShadow = 0;
};

// A named rectangle of section SKINAREAS.
struct TspDataSkinArea {
  std::string IDName;
  RECT AreaRect{};
};

struct TspSkinInfo {
  std::string Name, Author, AuthorEmail, AuthorURL, Comments;
};

class TspSkinData : public TComponent {
  SONVELT_CLASS(TspSkinData, TComponent)
 public:
  explicit TspSkinData(TComponent* AOwner);
  ~TspSkinData() override;
  static void Publish(TPublisher<TspSkinData>& P);

  // Loads a package: nothing at all for an empty stored skin. Damaged data
  // raises (EDecompressionError, the bitmap's error, EConvertError, EReadError)
  // and leaves the skin empty; a version above 3 leaves it empty silently.
  void LoadCompressedSkin(TspCompressedStoredSkin* AStoredSkin);
  void ClearSkin();
  void ClearDescriptors();
  void BroadcastSkinMessage(UINT Msg);
  // The first control descriptor of exactly that section name, or -1.
  int FindControlIndex(const std::string& Name) const;
  // Splits "section:kind" at the first colon ("" and "" without one).
  static void SplitEntry(const std::string& Entry, std::string& Name, std::string& Kind);

  bool GetEmpty() const { return FEmpty; }
  bool GetSkinnableForm() const { return FSkinnableForm; }
  void SetSkinnableForm(bool Value);
  bool GetEnableSkinEffects() const { return FEnableSkinEffects; }
  void SetEnableSkinEffects(bool Value) { FEnableSkinEffects = Value; }
  TspCompressedStoredSkin* GetCompressedStoredSkin() const { return FCompressedStoredSkin; }
  // The setters load the skin they name; a damaged one leaves the skin empty
  // (the controls then draw plain) instead of failing the form that sets it.
  void SetCompressedStoredSkin(TspCompressedStoredSkin* Value);
  TspResourceStrData* GetResourceStrData() const { return FResourceStrData; }
  void SetResourceStrData(TspResourceStrData* Value);
  TspCompressedSkinList* GetSkinList() const { return FSkinList; }
  void SetSkinList(TspCompressedSkinList* Value);
  int GetSkinIndex() const { return FSkinIndex; }
  void SetSkinIndex(int Value);

  TBitmap* GetPicture() const { return FPicture.get(); }
  TBitmap* GetInactivePicture() const { return FInactivePicture.get(); }
  TBitmap* GetMask() const { return FMask.get(); }
  TBitmap* GetRollUpPicture() const { return FRollUpPicture.get(); }
  TBitmap* GetRollUpMask() const { return FRollUpMask.get(); }
  const std::string& GetPictureName() const { return FPictureName; }
  const std::string& GetMaskName() const { return FMaskName; }
  const std::string& GetRollUpPictureName() const { return FRollUpPictureName; }
  const std::string& GetRollUpMaskName() const { return FRollUpMaskName; }
  int GetActivePictureCount() const { return int(FActivePictures.size()); }
  // Null outside the list.
  TBitmap* GetActivePicture(int Index) const;
  TStringList* GetActivePictureNames() const { return FActivePictureNames.get(); }
  const TspSkinInfo& GetSkinInfo() const { return FSkinInfo; }
  int GetControlDescriptorCount() const { return int(FControls.size()); }
  TspDataSkinControl* GetControlDescriptor(int Index) const;
  int GetObjectDescriptorCount() const { return int(FObjects.size()); }
  TspDataSkinObject* GetObjectDescriptor(int Index) const;
  const std::vector<TspDataSkinArea>& GetSkinAreas() const { return FSkinAreas; }
  TspSkinColors* GetSkinColors() const { return FSkinColors.get(); }
  TspDataSkinPopupWindow* GetPopupWindow() const { return FPopupWindow.get(); }
  TspDataSkinHintWindow* GetHintWindow() const { return FHintWindow.get(); }
  TspDataSkinFormInfo* GetFormInfo() const { return FFormInfo.get(); }
  int GetStartCursorIndex() const { return FStartCursorIndex; }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void ReadSkinAreas(TCustomIniFile* Ini);
  void ReadSkinObjects(TCustomIniFile* Ini);
  void ReadSkinControls(TCustomIniFile* Ini);
  void ReadFormInfo(TCustomIniFile* Ini);

 private:
  bool Designing() const { return GetComponentState().Contains(csDesigning); }
  void LoadFromSetter(TspCompressedStoredSkin* AStoredSkin);
  void ReadPackage(TStream* Package);

  bool FEmpty = true;
  bool FSkinnableForm = true;
  bool FEnableSkinEffects = true;
  TspCompressedStoredSkin* FCompressedStoredSkin = nullptr;
  TspResourceStrData* FResourceStrData = nullptr;
  TspCompressedSkinList* FSkinList = nullptr;
  int FSkinIndex = 0;
  TOwned<TBitmap> FPicture, FInactivePicture, FMask, FRollUpPicture, FRollUpMask;
  std::string FPictureName, FMaskName, FRollUpPictureName, FRollUpMaskName;
  std::vector<TOwned<TBitmap>> FActivePictures;
  TOwned<TStringList> FActivePictureNames;
  TspSkinInfo FSkinInfo;
  std::vector<TOwned<TspDataSkinControl>> FControls;
  std::vector<TOwned<TspDataSkinObject>> FObjects;
  std::vector<TspDataSkinArea> FSkinAreas;
  TOwned<TspSkinColors> FSkinColors;
  TOwned<TspDataSkinPopupWindow> FPopupWindow;
  TOwned<TspDataSkinHintWindow> FHintWindow;
  TOwned<TspDataSkinFormInfo> FFormInfo;
  int FStartCursorIndex = 1;
};
