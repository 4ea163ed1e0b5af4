// A skin: named colours, named typed properties and control groups of named
// elements, each element with a colour, borders, a content offset and two PNG
// strips (glyph and image) with nine-slice margins and a cell per state. Lists
// are looked up by exact, case-sensitive name (the locale's comparison) over a
// sort done at most once after a change; every change climbs to the skin, which
// tells its listeners and then fires OnChange. Skins load from and save to the
// binary skin stream; a stream that fails to read leaves the skin as it was.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/OwnedObject.h"
#include "framework/Persistent.h"
#include "framework/Streams.h"
#include "suite/common/SuiteException.h"
#include "suite/common/dxPNGImage.h"
#include "suite/navbar/NavBarStyles.h"
#include "suite/navbar/SkinStream.h"

SONVELT_EXCEPTION(EdxSkin, EdxException)

enum TdxSkinElementState : std::uint8_t {
  esNormal, esHot, esPressed, esDisabled, esActive, esFocused, esDroppedDown, esChecked, esHotCheck,
  esActiveDisabled, esCheckPressed
};
// Bit n stands for state n.
using TdxSkinElementStates = std::uint16_t;
enum TdxSkinImageLayout : std::uint8_t { ilHorizontal, ilVertical };
enum TdxSkinStretchMode : std::uint8_t { smStretch, smTile, smNoResize };
using TdxSkinGradientMode = TdxBarStyleGradientMode;

class TdxSkin;

// 0 untouched, 1 looked up by a skin info, 2 made by one as a placeholder.
class TdxSkinCustomPersistentObject : public TPersistent {
  SONVELT_CLASS(TdxSkinCustomPersistentObject, TPersistent)
public:
  TdxSkinCustomPersistentObject(TPersistent* AOwner, const std::string& AName) : FOwner(AOwner), FName(AName) {}
  const std::string& GetName() const { return FName; }
  void SetName(const std::string& Value) { FName = Value; }
  TPersistent* GetOwner() const override { return FOwner; }
  void SetOwner(TPersistent* Value) { FOwner = Value; }
  int UsageMark = 0;
  TNotifyEvent OnChange;

protected:
  virtual void DoChange() { OnChange(this); }

private:
  TPersistent* FOwner;
  std::string FName;
};

class TdxSkinProperty : public TdxSkinCustomPersistentObject {
  SONVELT_CLASS(TdxSkinProperty, TdxSkinCustomPersistentObject)
public:
  using TdxSkinCustomPersistentObject::TdxSkinCustomPersistentObject;
  virtual TdxSkinStreamPropertyKind Kind() const = 0;
  // The class name without "TdxSkin" and "Property" ("Integer", "Color").
  std::string Description() const;
  virtual void ToData(TdxSkinStreamProperty& P) const = 0;
  virtual void FromData(const TdxSkinStreamProperty& P) = 0;
  bool IsEqual(const TdxSkinProperty* Other) const;
  void Assign(TPersistent* Source) override;
  // A property of Kind owned by Owner.
  static TdxSkinProperty* CreateOfKind(TdxSkinStreamPropertyKind Kind, TPersistent* Owner, const std::string& Name);

protected:
  void ValueChanged() { DoChange(); }
};

#define DX_SKIN_PROPERTY(Class, KindValue, Type, Default)                                     \
  class Class : public TdxSkinProperty {                                                     \
    SONVELT_CLASS(Class, TdxSkinProperty)                                                     \
  public:                                                                                    \
    using TdxSkinProperty::TdxSkinProperty;                                                  \
    TdxSkinStreamPropertyKind Kind() const override { return KindValue; }                    \
    const Type& GetValue() const { return FValue; }                                          \
    void SetValue(const Type& V);                                                            \
    void ToData(TdxSkinStreamProperty& P) const override;                                    \
    void FromData(const TdxSkinStreamProperty& P) override;                                  \
                                                                                             \
  private:                                                                                   \
    Type FValue = Default;                                                                   \
  };
DX_SKIN_PROPERTY(TdxSkinIntegerProperty, spkInteger, int, 0)
DX_SKIN_PROPERTY(TdxSkinBooleanProperty, spkBoolean, bool, false)
DX_SKIN_PROPERTY(TdxSkinColor, spkColor, TColor, clDefault)
DX_SKIN_PROPERTY(TdxSkinRectProperty, spkRect, RECT, (RECT{0, 0, 0, 0}))
DX_SKIN_PROPERTY(TdxSkinSizeProperty, spkSize, SIZE, (SIZE{0, 0}))
DX_SKIN_PROPERTY(TdxSkinStringProperty, spkString, std::string, std::string())
#undef DX_SKIN_PROPERTY

// An owner of properties, with the update counter and the sorted flag.
class TdxSkinPersistent : public TdxSkinCustomPersistentObject {
  SONVELT_CLASS(TdxSkinPersistent, TdxSkinCustomPersistentObject)
public:
  using TdxSkinCustomPersistentObject::TdxSkinCustomPersistentObject;
  TdxSkinProperty* AddProperty(const std::string& Name, TdxSkinStreamPropertyKind Kind);
  TdxSkinProperty* PropertyByName(const std::string& Name);
  int PropertyCount() const { return static_cast<int>(FProperties.size()); }
  TdxSkinProperty* Properties(int Index) const { return FProperties[static_cast<size_t>(Index)].get(); }
  // Removes and frees an owned property; another object is ignored.
  virtual void DeleteItem(TObject* Item);
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  // Ends an update without a change notice (bindings adding placeholders).
  void EndUpdateQuietly() { EndUpdateSilently(); }
  bool IsModified() const { return FModified; }
  // How often the lists were sorted (they sort at most once after each change).
  int SortCount() const { return FSortCount; }
  virtual void Changed();

protected:
  void PartItemChanged(TObject* Sender) { Changed(); }
  // Lowers the counter without the change EndUpdate would report.
  void EndUpdateSilently() {
    if (FUpdateCount > 0) --FUpdateCount;
  }
  void AdoptProperty(TdxSkinProperty* P);
  virtual void Sort();
  void EnsureSorted();
  std::vector<TOwned<TdxSkinProperty>> FProperties;

private:
  int FUpdateCount = 0;
  bool FModified = false;
  bool FSorted = false;
  int FSortCount = 0;
};

class TdxSkinElement;
class TdxSkinCanvas;

class TdxSkinImage : public TPersistent {
  SONVELT_CLASS(TdxSkinImage, TPersistent)
public:
  explicit TdxSkinImage(TdxSkinElement* AOwner);
  ~TdxSkinImage() override;
  TPersistent* GetOwner() const override;
  void Assign(TPersistent* Source) override;
  bool IsEqual(TdxSkinImage* Other);
  // Empty: no picture and no stored source name.
  bool Empty() const;
  TdxPNGImage* GetPicture() const { return FPicture.get(); }
  // The stored name, or for a picture "Group\Element_Image.png".
  std::string SourceName() const;
  void SetSourceName(const std::string& Value) { FSourceName = Value; }
  void Clear();

  TdxSkinGradientMode GetGradient() const { return FGradient; }
  void SetGradient(TdxSkinGradientMode Value);
  TColor GetGradientBeginColor() const { return FGradientBeginColor; }
  void SetGradientBeginColor(TColor Value);
  TColor GetGradientEndColor() const { return FGradientEndColor; }
  void SetGradientEndColor(TColor Value);
  TdxSkinImageLayout GetImageLayout() const { return FImageLayout; }
  void SetImageLayout(TdxSkinImageLayout Value);
  RECT GetMargins() const { return FMargins; }
  void SetMargins(const RECT& Value);
  TdxSkinElementStates GetStates() const { return FStates; }
  void SetStates(TdxSkinElementStates Value);
  TdxSkinStretchMode GetStretch() const { return FStretch; }
  void SetStretch(TdxSkinStretchMode Value);
  void MarkDirty() { FDirty = true; }
  bool IsDirty() const { return FDirty; }
  void ClearDirty() { FDirty = false; }
  TNotifyEvent OnChange;

  void ToData(TdxSkinStreamImage& D) const;
  void FromData(const TdxSkinStreamImage& D);

  // ---- drawing (after each change the geometry is worked out once)
  SIZE CellSize();
  // The cell of a state for an image index; a missing state falls back to the lowest present one.
  RECT SourceCell(TdxSkinElementState State, int ImageIndex);
  void Draw(HDC DC, const RECT& R, TdxSkinElementState State, int ImageIndex);
  void DrawEx(TdxSkinCanvas* Canvas, const RECT& R, TdxSkinElementState State, int ImageIndex);

private:
  void Changed();
  void CalculateCells();
  SIZE FCellSize{0, 0};
  int FStateCount = 0;
  int FStateOrdinal[dxSkinStateCount] = {};
  TdxSkinElement* FOwner;
  TOwned<TdxPNGImage> FPicture;
  std::string FSourceName;
  TdxSkinGradientMode FGradient = gmHorizontal;
  TColor FGradientBeginColor = clNone;
  TColor FGradientEndColor = clNone;
  TdxSkinImageLayout FImageLayout = ilHorizontal;
  RECT FMargins{0, 0, 0, 0};
  TdxSkinElementStates FStates = 0;
  TdxSkinStretchMode FStretch = smStretch;
  bool FDirty = true;
};

class TdxSkinBorder : public TdxSkinProperty {
  SONVELT_CLASS(TdxSkinBorder, TdxSkinProperty)
public:
  TdxSkinBorder(TPersistent* AOwner, const std::string& AName, int ASide)
      : TdxSkinProperty(AOwner, AName), FSide(ASide) {}
  TdxSkinStreamPropertyKind Kind() const override { return spkColor; }
  void ToData(TdxSkinStreamProperty&) const override {}
  void FromData(const TdxSkinStreamProperty&) override {}
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  int GetThin() const { return FThin; }
  void SetThin(int Value);
  int GetSide() const { return FSide; }

private:
  TColor FColor = clNone;
  int FThin = 1;
  int FSide;
};

class TdxSkinElement : public TdxSkinPersistent {
  SONVELT_CLASS(TdxSkinElement, TdxSkinPersistent)
public:
  TdxSkinElement(TPersistent* AOwner, const std::string& AName);
  ~TdxSkinElement() override;
  void Assign(TPersistent* Source) override;
  bool IsEqual(TdxSkinElement* Other);

  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  std::uint8_t GetAlpha() const { return FAlpha; }
  void SetAlpha(std::uint8_t Value);
  int GetImageCount() const { return FImageCount; }
  // Below 1 is stored as 1.
  void SetImageCount(int Value);
  TColor GetTextColor() const { return FTextColor; }
  void SetTextColor(TColor Value);
  RECT GetContentOffset() const { return FContentOffset; }
  void SetContentOffset(const RECT& Value);
  SIZE GetMinSize() const { return FMinSize; }
  void SetMinSize(SIZE Value);
  TdxSkinBorder* GetBorder(int Side) const { return FBorders[Side].get(); }
  TdxSkinImage* GetGlyph() const { return FGlyph.get(); }
  TdxSkinImage* GetImage() const { return FImage.get(); }
  bool HasColor() const { return FColor != clDefault && FColor != clNone; }
  // "Name_Glyph.png" or "Name_Image.png".
  std::string ImageFileName(const TdxSkinImage* Image) const;

  void ToData(TdxSkinStreamElement& D) const;
  void FromData(const TdxSkinStreamElement& D);
  // Background, image, borders and glyph over R.
  void Draw(HDC DC, const RECT& R, TdxSkinElementState State, int ImageIndex = 0);
  // The content offset when any side is set, else the borders' widths.
  RECT ContentMargins() const;

private:
  void SubChanged(TObject*) { Changed(); }
  TColor FColor = clDefault;
  std::uint8_t FAlpha = 255;
  int FImageCount = 1;
  TColor FTextColor = clDefault;
  RECT FContentOffset{0, 0, 0, 0};
  SIZE FMinSize{0, 0};
  TOwned<TdxSkinBorder> FBorders[4];
  TOwned<TdxSkinImage> FGlyph, FImage;
};

class TdxSkinControlGroup : public TdxSkinPersistent {
  SONVELT_CLASS(TdxSkinControlGroup, TdxSkinPersistent)
public:
  using TdxSkinPersistent::TdxSkinPersistent;
  TdxSkinElement* AddElement(const std::string& Name);
  TdxSkinElement* ElementByName(const std::string& Name);
  int ElementCount() const { return static_cast<int>(FElements.size()); }
  TdxSkinElement* Elements(int Index) const { return FElements[static_cast<size_t>(Index)].get(); }
  void Assign(TPersistent* Source) override;

protected:
  void Sort() override;

private:
  std::vector<TOwned<TdxSkinElement>> FElements;
};

// Told after every change of a skin it listens to.
class IdxSkinChangeListener {
public:
  virtual ~IdxSkinChangeListener() = default;
  virtual void SkinChanged(TdxSkin* Skin) = 0;
};

class TdxSkin : public TdxSkinPersistent {
  SONVELT_CLASS(TdxSkin, TdxSkinPersistent)
public:
  explicit TdxSkin(const std::string& AName);
  ~TdxSkin() override;
  double GetVersion() const { return FVersion; }
  void SetVersion(double Value) { FVersion = Value; }

  TdxSkinColor* AddColor(const std::string& Name, TColor Value);
  TdxSkinColor* ColorByName(const std::string& Name);
  int ColorCount() const { return static_cast<int>(FColors.size()); }
  TdxSkinColor* Colors(int Index) const { return FColors[static_cast<size_t>(Index)].get(); }
  TdxSkinControlGroup* AddGroup(const std::string& Name);
  TdxSkinControlGroup* GroupByName(const std::string& Name);
  int GroupCount() const { return static_cast<int>(FGroups.size()); }
  TdxSkinControlGroup* Groups(int Index) const { return FGroups[static_cast<size_t>(Index)].get(); }
  void Clear();
  void DeleteItem(TObject* Item) override;
  void Assign(TPersistent* Source) override;

  // Reads a stream in full before the skin changes: on any failure (EdxSkin) the
  // skin is as it was. Without GDI+ nothing is read.
  void LoadFromStream(TStream* Stream);
  void SaveToStream(TStream* Stream);
  // The resource named after the skin, of ResourceType().
  void LoadFromResource(HINSTANCE Instance);
  virtual const wchar_t* ResourceType() const { return L"DXSKINS"; }

  void AddListener(IdxSkinChangeListener* Listener);
  void RemoveListener(IdxSkinChangeListener* Listener);

  void ToData(TdxSkinStreamData& D) const;
  void FromData(const TdxSkinStreamData& D);

protected:
  void DoChange() override;
  void Sort() override;

private:
  double FVersion = 1.02;
  std::vector<TOwned<TdxSkinColor>> FColors;
  std::vector<TOwned<TdxSkinControlGroup>> FGroups;
  std::vector<IdxSkinChangeListener*> FListeners;
};

// A window [Start, End) over another stream: reads go to the source, seeks are
// relative to Start and held inside the window, its size is End - Start.
class TdxSkinPartStream : public TStream {
  SONVELT_CLASS(TdxSkinPartStream, TStream)
public:
  TdxSkinPartStream(TStream* ASource, std::int64_t AStart, std::int64_t AEnd);
  int Read(void* Buffer, int Count) override;
  int Write(const void* Buffer, int Count) override;
  std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;
  std::int64_t GetSize() override { return FEnd - FStart; }

private:
  TStream* FSource;
  std::int64_t FStart, FEnd;
};

// Locale-aware, case-sensitive comparison of two names (negative, 0, positive).
int SkinCompareNames(const std::string& A, const std::string& B);

// The surface one drawing goes to: the target DC, or a 32-bit copy of the area
// when the target has 16 bits per pixel or fewer (GDI+ keeps alpha then), which
// goes back to the target at the end.
class TdxSkinCanvas {
public:
  ~TdxSkinCanvas() { EndPaint(); }
  void BeginPaint(HDC DC, const RECT& R);
  void EndPaint();
  bool Buffered() const { return FBuffer != nullptr; }
  HDC DC() const { return FUsed; }
  void Fill(const RECT& R, TColor Color);
  void FillAlpha(const RECT& R, TColor Color, std::uint8_t Alpha);
  void Gradient(const RECT& R, TColor Color1, TdxSkinGradientMode Mode, TColor Color2);
  void DrawNatural(TdxPNGImage* Picture, const RECT& Dest, const RECT& Source);
  void DrawStretched(TdxPNGImage* Picture, const RECT& Dest, const RECT& Source);
  void DrawTiled(TdxPNGImage* Picture, const RECT& Dest, const RECT& Source);

private:
  HDC FTarget = nullptr;
  HDC FUsed = nullptr;
  RECT FRect{};
  TBitmap* FBuffer = nullptr;
  TdxGPGraphics* FGraphics = nullptr;
};

// The nine parts of R cut by margins M (column x 3 + row); with Adjust, margins
// that do not fit shrink in proportion and their columns or rows stretch.
void SkinNineParts(const RECT& R, RECT M, bool Adjust, RECT Parts[9], int Stretch[9]);
