// Screen tips: larger hints of up to three bands (header, description, footer)
// kept in a repository component and attached to items. Hint view infos measure
// and paint what the one bar hint window shows: TdxBarHintViewInfo a plain hint
// (one wrapped text in the status font); screen-tip view infos come from the
// hint object's screen-tip provider.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "framework/OwnedObject.h"
#include "framework/Persistent.h"
#include "framework/Set.h"
#include "suite/bars/BarTypes.h"
#include "suite/common/ComponentCollection.h"

class TBitmap;
class TFont;
class TcxCanvas;
class TdxBarHintWindow;
class TdxBarScreenTip;
class TdxBarScreenTipRepository;

enum TdxBarScreenTipBandType : std::uint8_t { stbHeader, stbDescription, stbFooter };
using TdxScreenTipRepositoryFonts = TSet<TdxBarScreenTipBandType>;
enum TdxBarScreenTipBandTextAlign : std::uint8_t { stbtaLeft, stbtaRight };

class TdxBarCustomScreenTipBand : public TPersistent {
  SONVELT_CLASS(TdxBarCustomScreenTipBand, TPersistent)
public:
  using TCreateArg = TdxBarScreenTipBandType;
  explicit TdxBarCustomScreenTipBand(TdxBarScreenTipBandType AType);
  ~TdxBarCustomScreenTipBand() override;
  void Assign(TPersistent* Source) override;

  TdxBarScreenTipBandType GetBandType() const { return FBandType; }
  TBitmap* GetGlyph() const { return FGlyph.get(); }
  void SetGlyph(TBitmap* Value);
  const std::string& GetText() const { return FText; }
  void SetText(const std::string& Value);
  TdxBarScreenTipBandTextAlign GetTextAlign() const { return FTextAlign; }
  void SetTextAlign(TdxBarScreenTipBandTextAlign Value);
  virtual TFont* GetFont() const = 0;
  TNotifyEvent OnChange;

protected:
  virtual void DoChange() { OnChange(this); }

private:
  TdxBarScreenTipBandType FBandType;
  TOwned<TBitmap> FGlyph;
  std::string FText;
  TdxBarScreenTipBandTextAlign FTextAlign = stbtaRight;
};

class TdxBarScreenTipBand : public TdxBarCustomScreenTipBand {
  SONVELT_CLASS(TdxBarScreenTipBand, TdxBarCustomScreenTipBand)
public:
  TdxBarScreenTipBand(TdxBarScreenTip* ATip, TdxBarScreenTipBandType AType)
      : TdxBarCustomScreenTipBand(AType), FTip(ATip) {}
  TFont* GetFont() const override;

private:
  TdxBarScreenTip* FTip;
};

class TdxBarScreenTipFooterBand : public TdxBarCustomScreenTipBand {
  SONVELT_CLASS(TdxBarScreenTipFooterBand, TdxBarCustomScreenTipBand)
public:
  explicit TdxBarScreenTipFooterBand(TdxBarScreenTipRepository* ARepository)
      : TdxBarCustomScreenTipBand(stbFooter), FRepository(ARepository) {}
  TFont* GetFont() const override;

private:
  TdxBarScreenTipRepository* FRepository;
};

class TdxBarScreenTip : public TcxComponentCollectionItem {
  SONVELT_CLASS(TdxBarScreenTip, TcxComponentCollectionItem)
public:
  explicit TdxBarScreenTip(TComponent* AOwner);
  ~TdxBarScreenTip() override;
  static void Publish(TPublisher<TdxBarScreenTip>& P);
  void Assign(TPersistent* Source) override;

  TdxBarScreenTipBand* GetHeader() const { return FHeader.get(); }
  TdxBarScreenTipBand* GetDescription() const { return FDescription.get(); }
  TdxBarScreenTipBand* GetFooter() const { return FFooter.get(); }
  bool GetUseHintAsHeader() const { return FUseHintAsHeader; }
  void SetUseHintAsHeader(bool Value) { FUseHintAsHeader = Value; }
  bool GetUseStandardFooter() const { return FUseStandardFooter; }
  void SetUseStandardFooter(bool Value) { FUseStandardFooter = Value; }
  int GetWidth() const { return FWidth; }
  void SetWidth(int Value) { FWidth = Value; }
  // Width, else 318 pixels (210 with a description glyph) scaled to the screen.
  int GetRealWidth() const;
  // The same at a given number of pixels per inch.
  int GetRealWidthFor(int PixelsPerInch) const;
  std::string GetDisplayName() const;
  // The header follows a rename while it still shows the old name.
  void SetName(const std::string& NewName) override;
  TdxBarScreenTipRepository* GetRepository() const;

protected:
  TcxComponentCollection* CollectionOfParent(TComponent* ParentComponent) override;

private:
  TOwned<TdxBarScreenTipBand> FHeader;
  TOwned<TdxBarScreenTipBand> FDescription;
  TOwned<TdxBarScreenTipBand> FFooter;
  bool FUseHintAsHeader = false;
  bool FUseStandardFooter = false;
  int FWidth = 0;
};

class TdxBarScreenTipCollection : public TcxComponentCollection {
  SONVELT_CLASS(TdxBarScreenTipCollection, TcxComponentCollection)
public:
  explicit TdxBarScreenTipCollection(TdxBarScreenTipRepository* ARepository);
  TdxBarScreenTipRepository* GetRepository() const { return FRepository; }
  TdxBarScreenTip* GetTip(int Index) const { return static_cast<TdxBarScreenTip*>(ItemAt(Index)); }
  TdxBarScreenTip* Add() { return static_cast<TdxBarScreenTip*>(AppendNewItem()); }

protected:
  void NameNewItem(TcxComponentCollectionItem* Item) override;

private:
  TdxBarScreenTipRepository* FRepository;
};

class TdxBarScreenTipRepository : public TComponent {
  SONVELT_CLASS(TdxBarScreenTipRepository, TComponent)
public:
  explicit TdxBarScreenTipRepository(TComponent* AOwner);
  ~TdxBarScreenTipRepository() override;
  static void Publish(TPublisher<TdxBarScreenTipRepository>& P);
  void Assign(TPersistent* Source) override;

  TdxScreenTipRepositoryFonts GetAssignedFonts() const { return FAssignedFonts; }
  void SetAssignedFonts(TdxScreenTipRepositoryFonts Value) { FAssignedFonts = Value; }
  TFont* GetHeaderFont() const { return FHeaderFont.get(); }
  TFont* GetDescriptionFont() const { return FDescriptionFont.get(); }
  TFont* GetFooterFont() const { return FFooterFont.get(); }
  void SetHeaderFont(TFont* Value);
  void SetDescriptionFont(TFont* Value);
  void SetFooterFont(TFont* Value);
  TdxBarScreenTipCollection* GetItems() const { return FItems.get(); }
  bool GetShowDescription() const { return FShowDescription; }
  void SetShowDescription(bool Value) { FShowDescription = Value; }
  TdxBarScreenTipFooterBand* GetStandardFooter() const { return FStandardFooter.get(); }
  // The repository's own font of a band when assigned, else the hint font in grey.
  TFont* GetBandFont(TdxBarScreenTipBandType Type);

private:
  void FontChanged(TObject* Sender);
  TFont* OwnFont(TdxBarScreenTipBandType Type) const;
  void FillDefaultFont(TFont* Font, TdxBarScreenTipBandType Type) const;
  TdxScreenTipRepositoryFonts FAssignedFonts;
  TOwned<TFont> FHeaderFont;
  TOwned<TFont> FDescriptionFont;
  TOwned<TFont> FFooterFont;
  TOwned<TdxBarScreenTipCollection> FItems;
  bool FShowDescription = true;
  TOwned<TdxBarScreenTipFooterBand> FStandardFooter;
  TOwned<TFont> FScratchFont;
};

// What the hint window shows: bounds (empty: nothing) and painting.
class TdxBarCustomHintViewInfo : public TObject {
  SONVELT_CLASS(TdxBarCustomHintViewInfo, TObject)
public:
  explicit TdxBarCustomHintViewInfo(TdxBarManager* AManager) : FManager(AManager) {}
  TdxBarManager* GetManager() const { return FManager; }
  RECT GetBounds() const { return FBounds; }
  virtual void CalcBounds(TcxCanvas* Canvas) = 0;
  // 0 a plain hint, 1 a screen tip.
  virtual int GetHintKind() const { return 0; }
  virtual void Paint(TcxCanvas* Canvas) = 0;
  virtual void PrepareWindow(TdxBarHintWindow* Window);

protected:
  void SetBoundsRect(const RECT& R) { FBounds = R; }

private:
  TdxBarManager* FManager;
  RECT FBounds{0, 0, 0, 0};
};

class TdxBarHintViewInfo : public TdxBarCustomHintViewInfo {
  SONVELT_CLASS(TdxBarHintViewInfo, TdxBarCustomHintViewInfo)
public:
  TdxBarHintViewInfo(TdxBarManager* AManager, const std::string& Text, const std::string& Suffix, POINT Position);
  const std::string& GetText() const { return FText; }
  POINT GetPosition() const { return FPosition; }
  void CalcBounds(TcxCanvas* Canvas) override;
  void Paint(TcxCanvas* Canvas) override;
  void PrepareWindow(TdxBarHintWindow* Window) override;
  // The font a plain hint uses: the status font unless the manager has its own.
  virtual void ApplyFont(TFont* Font);

protected:
  virtual void AddMargins(SIZE& Size) { Size.cx += 6, Size.cy += 6; }
  virtual RECT GetTextRect() const;

private:
  std::string FText;
  POINT FPosition;
};

// What a hint object that shows screen tips offers the hint window.
class IdxBarScreenTipProvider {
public:
  virtual TdxBarCustomHintViewInfo* CreateHintViewInfo(const std::string& Text, const std::string& Suffix) = 0;
  virtual POINT HintPosition(POINT Cursor, int Height) = 0;

protected:
  ~IdxBarScreenTipProvider() = default;
};
