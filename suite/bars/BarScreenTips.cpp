#include "suite/bars/BarScreenTips.h"

#include <algorithm>

#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/Font.h"
#include "framework/Format.h"
#include "framework/Screen.h"
#include "framework/Unicode.h"
#include "suite/bars/BarHintWindow.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarRoutines.h"
#include "suite/common/UniqueNames.h"
#include "suite/common/WindowUtils.h"
#include "suite/common/cxCanvas.h"

namespace {
constexpr TColor ScreenTipTextColor = 0x4C4C4C;
}

// ---- bands

TdxBarCustomScreenTipBand::TdxBarCustomScreenTipBand(TdxBarScreenTipBandType AType)
    : FBandType(AType), FGlyph(TBitmap::Create()) {
  FGlyph->SetTransparent(true);
}

TdxBarCustomScreenTipBand::~TdxBarCustomScreenTipBand() = default;

void TdxBarCustomScreenTipBand::Assign(TPersistent* Source) {
  auto* B = dynamic_cast<TdxBarCustomScreenTipBand*>(Source);
  if (!B) {
    TPersistent::Assign(Source);
    return;
  }
  FText = B->FText;
  FTextAlign = B->FTextAlign;
  FGlyph->Assign(B->FGlyph.get());
  DoChange();
}

void TdxBarCustomScreenTipBand::SetGlyph(TBitmap* Value) {
  FGlyph->Assign(Value);
  DoChange();
}

void TdxBarCustomScreenTipBand::SetText(const std::string& Value) {
  if (FText == Value) return;
  FText = Value;
  DoChange();
}

void TdxBarCustomScreenTipBand::SetTextAlign(TdxBarScreenTipBandTextAlign Value) {
  if (FTextAlign == Value) return;
  FTextAlign = Value;
  DoChange();
}

TFont* TdxBarScreenTipBand::GetFont() const {
  TdxBarScreenTipRepository* R = FTip ? FTip->GetRepository() : nullptr;
  return R ? R->GetBandFont(GetBandType()) : nullptr;
}

TFont* TdxBarScreenTipFooterBand::GetFont() const { return FRepository ? FRepository->GetBandFont(stbFooter) : nullptr; }

// ---- TdxBarScreenTip

SONVELT_PUBLISHED(TdxBarScreenTip, P) {
  P.Boolean("UseHintAsHeader", &TdxBarScreenTip::GetUseHintAsHeader, &TdxBarScreenTip::SetUseHintAsHeader).Default(false);
  P.Boolean("UseStandardFooter", &TdxBarScreenTip::GetUseStandardFooter, &TdxBarScreenTip::SetUseStandardFooter)
      .Default(false);
  P.Integer("Width", &TdxBarScreenTip::GetWidth, &TdxBarScreenTip::SetWidth).Default(0);
}

TdxBarScreenTip::TdxBarScreenTip(TComponent* AOwner)
    : TcxComponentCollectionItem(AOwner),
      FHeader(TdxBarScreenTipBand::Create(this, stbHeader)),
      FDescription(TdxBarScreenTipBand::Create(this, stbDescription)),
      FFooter(TdxBarScreenTipBand::Create(this, stbFooter)) {}

TdxBarScreenTip::~TdxBarScreenTip() = default;

void TdxBarScreenTip::Assign(TPersistent* Source) {
  auto* T = dynamic_cast<TdxBarScreenTip*>(Source);
  if (!T) {
    TcxComponentCollectionItem::Assign(Source);
    return;
  }
  FHeader->Assign(T->FHeader.get());
  FDescription->Assign(T->FDescription.get());
  FFooter->Assign(T->FFooter.get());
  FUseHintAsHeader = T->FUseHintAsHeader;
  FUseStandardFooter = T->FUseStandardFooter;
  FWidth = T->FWidth;
}

int TdxBarScreenTip::GetRealWidth() const { return GetRealWidthFor(ScaleByScreenPPI(96)); }

int TdxBarScreenTip::GetRealWidthFor(int PixelsPerInch) const {
  if (FWidth != 0) return FWidth;
  return MulDiv(FDescription->GetGlyph()->GetEmpty() ? 318 : 210, PixelsPerInch, 96);
}

std::string TdxBarScreenTip::GetDisplayName() const { return Format("%s - '%s'", {GetName(), FHeader->GetText()}); }

void TdxBarScreenTip::SetName(const std::string& NewName) {
  std::string Old = GetName();
  bool Loading = GetComponentState().Contains(csLoading) ||
                 (GetOwner() && GetOwner()->GetComponentState().Contains(csLoading));
  TcxComponentCollectionItem::SetName(NewName);
  if (!Loading && FHeader->GetText() == Old) FHeader->SetText(NewName);
}

TdxBarScreenTipRepository* TdxBarScreenTip::GetRepository() const {
  auto* C = dynamic_cast<TdxBarScreenTipCollection*>(GetCollection());
  return C ? C->GetRepository() : nullptr;
}

TcxComponentCollection* TdxBarScreenTip::CollectionOfParent(TComponent* ParentComponent) {
  auto* R = dynamic_cast<TdxBarScreenTipRepository*>(ParentComponent);
  return R ? R->GetItems() : nullptr;
}

// ---- TdxBarScreenTipCollection

TdxBarScreenTipCollection::TdxBarScreenTipCollection(TdxBarScreenTipRepository* ARepository)
    : TcxComponentCollection(ARepository, TdxBarScreenTip::StaticClass()), FRepository(ARepository) {}

void TdxBarScreenTipCollection::NameNewItem(TcxComponentCollectionItem* Item) {
  TComponent* Owner = FRepository->GetOwner();
  std::string Name = MakeUniqueComponentName(Owner, FRepository, Item, "TdxBar", "");
  if (!Name.empty()) Item->SetName(Name);
}

// ---- TdxBarScreenTipRepository

SONVELT_PUBLISHED(TdxBarScreenTipRepository, P) {
  P.Set("AssignedFonts", &TdxBarScreenTipRepository::GetAssignedFonts, &TdxBarScreenTipRepository::SetAssignedFonts,
        {"stbHeader", "stbDescription", "stbFooter"})
      .Default(TdxScreenTipRepositoryFonts{});
  P.Object("DescriptionFont", &TdxBarScreenTipRepository::GetDescriptionFont)
      .Stored([](TdxBarScreenTipRepository* R) { return R->GetAssignedFonts().Contains(stbDescription); });
  P.Object("FooterFont", &TdxBarScreenTipRepository::GetFooterFont)
      .Stored([](TdxBarScreenTipRepository* R) { return R->GetAssignedFonts().Contains(stbFooter); });
  P.Object("HeaderFont", &TdxBarScreenTipRepository::GetHeaderFont)
      .Stored([](TdxBarScreenTipRepository* R) { return R->GetAssignedFonts().Contains(stbHeader); });
  P.Boolean("ShowDescription", &TdxBarScreenTipRepository::GetShowDescription,
            &TdxBarScreenTipRepository::SetShowDescription)
      .Default(true);
  P.Object("StandardFooter", &TdxBarScreenTipRepository::GetStandardFooter);
}

TdxBarScreenTipRepository::TdxBarScreenTipRepository(TComponent* AOwner)
    : TComponent(AOwner),
      FHeaderFont(TFont::Create()),
      FDescriptionFont(TFont::Create()),
      FFooterFont(TFont::Create()),
      FScratchFont(TFont::Create()) {
  FillDefaultFont(FHeaderFont.get(), stbHeader);
  FillDefaultFont(FDescriptionFont.get(), stbDescription);
  FillDefaultFont(FFooterFont.get(), stbFooter);
  for (TFont* F : {FHeaderFont.get(), FDescriptionFont.get(), FFooterFont.get()})
    F->OnChange = Bind(this, &TdxBarScreenTipRepository::FontChanged);
  FStandardFooter.reset(TdxBarScreenTipFooterBand::Create(this));
  FItems.reset(TdxBarScreenTipCollection::Create(this));
}

TdxBarScreenTipRepository::~TdxBarScreenTipRepository() = default;

void TdxBarScreenTipRepository::Assign(TPersistent* Source) {
  auto* R = dynamic_cast<TdxBarScreenTipRepository*>(Source);
  if (!R) {
    TComponent::Assign(Source);
    return;
  }
  FStandardFooter->Assign(R->FStandardFooter.get());
  FDescriptionFont->Assign(R->FDescriptionFont.get());
  FFooterFont->Assign(R->FFooterFont.get());
  FHeaderFont->Assign(R->FHeaderFont.get());
  FAssignedFonts = R->FAssignedFonts;
  FShowDescription = R->FShowDescription;
}

void TdxBarScreenTipRepository::FillDefaultFont(TFont* Font, TdxBarScreenTipBandType Type) const {
  TNotifyEvent Saved = Font->OnChange;
  Font->OnChange = nullptr;
  if (Screen) Font->Assign(Screen->GetHintFont());
  Font->SetColor(ScreenTipTextColor);
  TFontStyles Styles = Font->GetStyle();
  if (Type != stbDescription)
    Styles.Include(fsBold);
  else
    Styles.Exclude(fsBold);
  Font->SetStyle(Styles);
  Font->OnChange = Saved;
}

TFont* TdxBarScreenTipRepository::OwnFont(TdxBarScreenTipBandType Type) const {
  return Type == stbHeader ? FHeaderFont.get() : Type == stbDescription ? FDescriptionFont.get() : FFooterFont.get();
}

TFont* TdxBarScreenTipRepository::GetBandFont(TdxBarScreenTipBandType Type) {
  if (FAssignedFonts.Contains(Type)) return OwnFont(Type);
  FillDefaultFont(FScratchFont.get(), Type);
  return FScratchFont.get();
}

void TdxBarScreenTipRepository::SetHeaderFont(TFont* Value) { FHeaderFont->Assign(Value); }
void TdxBarScreenTipRepository::SetDescriptionFont(TFont* Value) { FDescriptionFont->Assign(Value); }
void TdxBarScreenTipRepository::SetFooterFont(TFont* Value) { FFooterFont->Assign(Value); }

void TdxBarScreenTipRepository::FontChanged(TObject* Sender) {
  if (GetComponentState().Contains(csLoading)) return;
  if (Sender == FHeaderFont.get()) FAssignedFonts.Include(stbHeader);
  if (Sender == FDescriptionFont.get()) FAssignedFonts.Include(stbDescription);
  if (Sender == FFooterFont.get()) FAssignedFonts.Include(stbFooter);
}

// ---- hint view infos

void TdxBarCustomHintViewInfo::PrepareWindow(TdxBarHintWindow* Window) {
  Window->SetHintKind(GetHintKind());
  Window->HandleNeeded();
}

TdxBarHintViewInfo::TdxBarHintViewInfo(TdxBarManager* AManager, const std::string& Text, const std::string& Suffix,
                                       POINT Position)
    : TdxBarCustomHintViewInfo(AManager), FText(Text.empty() ? std::string() : Text + Suffix), FPosition(Position) {}

void TdxBarHintViewInfo::CalcBounds(TcxCanvas* Canvas) {
  if (FText.empty()) {
    SetBoundsRect(RECT{0, 0, 0, 0});
    return;
  }
  RECT WorkArea = NearestWorkArea(FPosition);
  RECT R{0, 0, WorkArea.right - WorkArea.left, 0};
  std::wstring W = Utf8ToWide(FText);
  DrawTextW(Canvas->GetCanvas()->GetHandle(), W.c_str(), static_cast<int>(W.size()), &R,
            DT_WORDBREAK | DT_CALCRECT | DT_NOPREFIX);
  SIZE S{R.right - R.left, R.bottom - R.top};
  AddMargins(S);
  SetBoundsRect(RECT{0, 0, S.cx, S.cy});
}

RECT TdxBarHintViewInfo::GetTextRect() const {
  RECT R = GetBounds();
  InflateRect(&R, -3, -3);
  return R;
}

void TdxBarHintViewInfo::Paint(TcxCanvas* Canvas) {
  HDC DC = Canvas->GetCanvas()->GetHandle();
  RECT B = GetBounds();
  DrawEdge(DC, &B, BDR_RAISEDOUTER, BF_RECT);
  RECT T = GetTextRect();
  std::wstring W = Utf8ToWide(FText);
  SetBkMode(DC, TRANSPARENT);
  DrawTextW(DC, W.c_str(), static_cast<int>(W.size()), &T, DT_WORDBREAK | DT_NOCLIP | DT_NOPREFIX);
}

void TdxBarHintViewInfo::ApplyFont(TFont* Font) {
  TdxBarManager* M = GetManager();
  if (!M || M->GetUseSystemFont()) {
    NONCLIENTMETRICSW Metrics{};
    Metrics.cbSize = sizeof Metrics;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof Metrics, &Metrics, 0))
      Font->SetHandle(CreateFontIndirectW(&Metrics.lfStatusFont));
    else
      Font->SetSize(8);
  } else {
    Font->Assign(M->GetFont());
  }
  if (Screen) Font->SetColor(Screen->GetHintFont()->GetColor());
}

void TdxBarHintViewInfo::PrepareWindow(TdxBarHintWindow* Window) {
  TdxBarCustomHintViewInfo::PrepareWindow(Window);
  Window->SetText(FText);
  ApplyFont(Window->GetCanvas()->GetFont());
  ApplyFont(Window->GetFont());
  if (Application) Window->SetColor(Application->GetHintColor());
}
