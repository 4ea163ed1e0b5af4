// Named visual styles: a TcxStyle holds a colour, a text colour, a font and a
// background bitmap, each with an assigned flag; a repository keeps styles and style
// sheets with the form; a style set (TcxCustomStyles) maps the visual elements of a
// control, by index, to styles, hears their changes and can follow a sheet.
#pragma once

#include <unknwn.h>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/Component.h"
#include "framework/Font.h"
#include "framework/Published.h"
#include "framework/Set.h"
#include "suite/common/BaseClasses.h"

enum TcxStyleValue : std::uint8_t { svBitmap, svColor, svFont, svTextColor };
using TcxStyleValues = TSet<TcxStyleValue>;

class TcxCustomStyle;
class TcxCustomStyleSheet;
class TcxStyleRepository;

inline constexpr GUID IID_IcxStyleObserver = {
    0xE25A5395, 0xC1E8, 0x4311, {0xA2, 0x81, 0x95, 0x75, 0xF7, 0x9D, 0xE8, 0x62}};

struct IcxStyleObserver : public IUnknown {
  virtual void STDMETHODCALLTYPE StyleModified(TcxCustomStyle* Sender) = 0;
  virtual void STDMETHODCALLTYPE StyleDetached(TcxCustomStyle* Sender) = 0;
};

class TcxCustomStyle : public TComponent {
  SONVELT_CLASS(TcxCustomStyle, TComponent)
public:
  explicit TcxCustomStyle(TComponent* AOwner) : TComponent(AOwner) {}
  ~TcxCustomStyle() override;
  void BeforeDestruction() override;

  virtual void BroadcastChange();
  virtual void AttachListener(IcxStyleObserver* Listener);
  virtual void DetachListener(IcxStyleObserver* Listener);
  virtual void ResetValues() {}

  bool HasParent() const override { return FStyleRepository != nullptr; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;
  void ReadState(TReader* Reader) override;

  TcxStyleRepository* GetStyleRepository() const { return FStyleRepository; }
  void SetStyleRepository(TcxStyleRepository* Value);
  int GetListenerCount() const { return static_cast<int>(FListeners.size()); }

private:
  // Not counted: a listener detaches itself before it goes.
  std::vector<IcxStyleObserver*> FListeners;
  TcxStyleRepository* FStyleRepository = nullptr;
};

class TcxStyle : public TcxCustomStyle {
  SONVELT_CLASS(TcxStyle, TcxCustomStyle)
public:
  explicit TcxStyle(TComponent* AOwner);
  ~TcxStyle() override;
  void Assign(TPersistent* Source) override;
  void ResetValues() override;
  void ReadState(TReader* Reader) override;
  static void Publish(TPublisher<TcxStyle>& P);

  TcxStyleValues GetAssignedValues() const { return FAssignedValues; }
  void SetAssignedValues(TcxStyleValues Value);
  TBitmap* GetBitmap() const { return FBitmap; }
  void SetBitmap(TBitmap* Value) { FBitmap->Assign(Value); }
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  TFont* GetFont() const { return FFont; }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  TColor GetTextColor() const { return FTextColor; }
  void SetTextColor(TColor Value);

private:
  void BitmapChanged(TObject* Sender);
  void FontChanged(TObject* Sender);
  TcxStyleValues FAssignedValues;
  TBitmap* FBitmap;
  TColor FColor = clDefault;
  TFont* FFont;
  TColor FTextColor = clDefault;
};

class TcxCustomStyles : public TcxInterfacedPersistent, public IcxStyleObserver {
  SONVELT_CLASS(TcxCustomStyles, TcxInterfacedPersistent)
public:
  explicit TcxCustomStyles(TPersistent* AOwner) : TcxInterfacedPersistent(AOwner) {}
  static TcxCustomStyles* CreateSet(TPersistent* AOwner) { return Create(AOwner); }
  ~TcxCustomStyles() override;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(-1); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(-1); }
  void STDMETHODCALLTYPE StyleModified(TcxCustomStyle* Style) override;
  void STDMETHODCALLTYPE StyleDetached(TcxCustomStyle* Style) override;

  void Assign(TPersistent* Source) override;
  virtual void ValueChanged(int Index) { (void)Index; }
  virtual void SignalChanged(int Index);

  int GetCount() const { return static_cast<int>(FItems.size()); }
  int GetItemIndex(int Position) const { return FItems.at(static_cast<size_t>(Position)).Index; }
  TcxCustomStyle* GetItemStyle(int Position) const { return FItems.at(static_cast<size_t>(Position)).Style; }
  void DeleteItem(int Position);
  void Clear();
  // The style of an element; null when none is set.
  TcxCustomStyle* GetValue(int Index) const;

  TcxCustomStyleSheet* GetStyleSheet() const { return FStyleSheet; }
  void FollowStyleSheet(TcxCustomStyleSheet* Sheet);
  TcxCustomStyleSheet* GetOwningStyleSheet() const { return FOwningStyleSheet; }

protected:
  // For descendants: the element Index takes Style (null removes it).
  void SetValue(int Index, TcxCustomStyle* Style);

private:
  friend class TcxCustomStyleSheet;
  struct TItem {
    int Index;
    TcxCustomStyle* Style;
  };
  bool CanFollow(TcxCustomStyleSheet* Sheet) const;
  static void CollectIndexes(TcxCustomStyleSheet* Sheet, std::vector<int>& Indexes);
  std::vector<TItem> FItems;
  bool FDestroying = false;
  TcxCustomStyleSheet* FStyleSheet = nullptr;
  TcxCustomStyleSheet* FOwningStyleSheet = nullptr;
};

using TcxCustomStylesClass = TClassOf<TcxCustomStyles>;

class TcxCustomStyleSheet : public TcxComponent {
  SONVELT_CLASS(TcxCustomStyleSheet, TcxComponent)
public:
  explicit TcxCustomStyleSheet(TComponent* AOwner) : TcxComponent(AOwner) {}
  void AfterConstruction() override;
  ~TcxCustomStyleSheet() override;
  void Assign(TPersistent* Source) override;
  void ReadState(TReader* Reader) override;
  virtual TcxCustomStylesClass StylesClassOf() const { return TcxCustomStyles::StaticClass(); }
  static void Publish(TPublisher<TcxCustomStyleSheet>& P);

  bool HasParent() const override { return FStyleRepository != nullptr; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;

  bool GetBuiltIn() const { return FBuiltIn; }
  bool IsCaptionStored() const { return !FCaption.empty(); }
  std::string GetCaption() const;
  void SetCaption(const std::string& Value);
  TcxCustomStyles* GetStyles() const { return FStyles; }
  TcxStyleRepository* GetStyleRepository() const { return FStyleRepository; }
  void SetStyleRepository(TcxStyleRepository* Value);
  int GetFollowerCount() const { return static_cast<int>(FFollowers.size()); }

protected:
  void DefineProperties(TFiler* Filer) override;
  void CollectFakeLinks(std::vector<TComponent*>& List) override;

private:
  friend class TcxCustomStyles;
  void StyleChanged(int Index);
  void ReadBuiltIn(TReader* Reader);
  void WriteBuiltIn(TWriter* Writer);
  bool FBuiltIn = false;
  std::string FCaption;
  TcxCustomStyles* FStyles = nullptr;
  std::vector<TcxCustomStyles*> FFollowers;
  TcxStyleRepository* FStyleRepository = nullptr;
};

using TcxCustomStyleClass = TClassOf<TcxCustomStyle>;
using TcxCustomStyleSheetClass = TClassOf<TcxCustomStyleSheet>;

class TcxStyleRepository : public TComponent {
  SONVELT_CLASS(TcxStyleRepository, TComponent)
public:
  explicit TcxStyleRepository(TComponent* AOwner) : TComponent(AOwner) {}
  ~TcxStyleRepository() override;
  static void Publish(TPublisher<TcxStyleRepository>& P);

  virtual TcxCustomStyle* NewStyle(TcxCustomStyleClass StyleClass);
  virtual TcxCustomStyle* NewStyleOwnedBy(TcxCustomStyleClass StyleClass, TComponent* Owner);
  virtual TcxCustomStyleSheet* NewStyleSheet(TcxCustomStyleSheetClass SheetClass);
  virtual TcxCustomStyleSheet* NewStyleSheetOwnedBy(TcxCustomStyleSheetClass SheetClass, TComponent* Owner);
  void GetChildren(TGetChildProc Proc, TComponent* Root) override;

  // A font height read from a stream written at another resolution, for this screen.
  int ScaleToScreen(int Value) const;
  bool GetScalable() const { return FScalable; }
  void SetScalable(bool Value) { FScalable = Value; }
  int GetPixelsPerInch() const { return FPixelsPerInch; }
  int GetStyleCount() const { return static_cast<int>(FStyles.size()); }
  TcxCustomStyle* GetStyle(int Index) const { return FStyles.at(static_cast<size_t>(Index)); }
  int GetStyleSheetCount() const { return static_cast<int>(FStyleSheets.size()); }
  TcxCustomStyleSheet* GetStyleSheet(int Index) const { return FStyleSheets.at(static_cast<size_t>(Index)); }

protected:
  void DefineProperties(TFiler* Filer) override;

private:
  friend class TcxCustomStyle;
  friend class TcxCustomStyleSheet;
  void ReadPixelsPerInch(TReader* Reader);
  void WritePixelsPerInch(TWriter* Writer);
  std::vector<TcxCustomStyle*> FStyles;
  std::vector<TcxCustomStyleSheet*> FStyleSheets;
  int FPixelsPerInch = 0;
  bool FScalable = false;
};
