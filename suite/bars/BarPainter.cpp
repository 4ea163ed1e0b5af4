// The painter's shared rules: text, glyphs, fills, and the button and menu-line drawing.
#include "suite/bars/BarPainter.h"

#include <cmath>
#include <map>

#include "framework/Bitmap.h"
#include "framework/ImageList.h"
#include "framework/StringLists.h"
#include "framework/StringUtils.h"
#include "framework/Unicode.h"
#include "suite/bars/BarButtonControls.h"
#include "suite/bars/BarCanvas.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarGdiObjects.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarModelReads.h"
#include "suite/bars/BarPainterUtils.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/BarStandardPainter.h"
#include "suite/common/Office11Colors.h"
#include "suite/common/cxCanvas.h"
#include "suite/common/cxGraphicsRoutines.h"

TdxBarPainterClass dxBarSkinPainterClass = TdxBarStandardPainter::StaticClass();

namespace {
std::map<TClass, TdxBarPainter*>& SharedPainters() {
  static std::map<TClass, TdxBarPainter*> Painters;
  return Painters;
}
}  // namespace

TdxBarPainter* PainterInstanceOf(TdxBarPainterClass Class) {
  if (!Class) return nullptr;
  TdxBarPainter*& P = SharedPainters()[Class.Get()];
  if (!P) P = Class.Create(nullptr);
  return P;
}

void FreePainterInstances() {
  auto Painters = std::move(SharedPainters());
  SharedPainters().clear();
  for (auto& [Class, Painter] : Painters) Free(Painter);
}

// ---- text

void TdxBarPainter::ItemTextColors(TdxBarItemControl* Control, bool Enabled, bool Selected, bool Flat, TColor& Text,
                                   TColor& Shadow) {
  if (Enabled) {
    Text = ItemStyleTextColor(Control ? Control->LinkedItem() : nullptr);
    if (Text == clDefault) Text = ItemTextColor(Control, Selected, Flat);
    Shadow = Text;
  } else {
    DisabledTextColorPair(Control, Selected, Flat, Text, Shadow);
  }
}

TColor TdxBarPainter::TextColorForState(TdxBarItemControl* Control, bool Selected, bool Flat) {
  (void)Control;
  return Selected && !Flat ? clHighlightText : clBtnText;
}

void TdxBarPainter::DisabledTextColorPair(TdxBarItemControl* Control, bool Selected, bool Flat, TColor& First,
                                          TColor& Second) {
  (void)Control;
  if (Selected || Flat) {
    First = Second = clGrayText;
  } else {
    First = clBtnHighlight;
    Second = clBtnShadow;
  }
}

TColor TdxBarPainter::ArrowColor(TdxBarItemControlDrawParams* P) {
  if (!ArrowUsesTextColor()) return clDefault;
  TColor Text, Shadow;
  ItemTextColors(P->Control, P->Enabled, P->DrawSelected, HasFlatButtons(), Text, Shadow);
  return Text;
}

void TdxBarPainter::DrawItemText(TdxBarItemControl* Control, HDC DC, const std::string& Text, const RECT& R,
                                 int Alignment, bool Enabled, bool Selected, bool Vertical, bool Clip,
                                 bool FlatSelected, UINT Format) {
  TdxBarCanvas* Canvas = BarCanvasInstance();
  Canvas->PushDC(DC);
  try {
    RECT TR = R;
    UINT F = Format | DT_NOCLIP;
    if (Clip) {
      if (!Vertical)
        F &= ~static_cast<UINT>(DT_NOCLIP);
      else
        Canvas->IntersectClip(R);
    }
    std::string S = Text;
    int AccelIndex = 0, UnderlineStart = 0, UnderlineLength = 0, TextHeight = 0;
    if (!Vertical) {
      static const UINT Aligns[] = {DT_LEFT, DT_CENTER, DT_RIGHT};
      F |= Aligns[Alignment >= 0 && Alignment <= 2 ? Alignment : 0] | DT_VCENTER;
    } else {
      AccelIndex = AcceleratorCharIndex(S, true);
      SIZE Sz = TextExtentOnDC(DC, S);
      TextHeight = Sz.cy;
      int Along = Alignment == 1 ? (R.bottom - R.top - Sz.cx) / 2 : Alignment == 2 ? R.bottom - R.top - Sz.cx : 0;
      OffsetRect(&TR, (R.right - R.left + Sz.cy) / 2, Along);
      if (AccelIndex > 0) {
        F |= DT_NOPREFIX;
        UnderlineStart = TextExtentOnDC(DC, S.substr(0, static_cast<size_t>(AccelIndex - 1))).cx + Along;
        UnderlineLength = TextExtentOnDC(DC, S.substr(static_cast<size_t>(AccelIndex - 1), 1)).cx;
      }
    }
    TColor First, Second;
    ItemTextColors(Control, Enabled, Selected, HasFlatButtons() && FlatSelected, First, Second);
    SetBkMode(DC, TRANSPARENT);
    TEXTMETRICW Metrics{};
    if (Vertical && AccelIndex > 0) GetTextMetricsW(DC, &Metrics);
    auto Draw = [&](TColor Color, int Offset) {
      SetTextColor(DC, ColorToRGB(Color));
      RECT Moved = TR;
      OffsetRect(&Moved, Offset, Offset);
      DrawTextOnDC(DC, S, Moved, F);
      if (Vertical && AccelIndex > 0) {
        int X = (R.left + R.right - TextHeight) / 2 + Metrics.tmDescent - 2 + Offset;
        int Y = R.top + UnderlineStart + Offset;
        HGDIOBJ Old = SelectObject(DC, BarCreatePen(PS_SOLID, 1, Color));
        MoveToEx(DC, X, Y, nullptr);
        LineTo(DC, X, Y + UnderlineLength);
        BarSelectBackAndDelete(DC, Old);
      }
    };
    if (First != Second) {
      Draw(First, 1);
      Draw(Second, 0);
    } else {
      Draw(First, 0);
    }
  } catch (...) {
    Canvas->PopState();
    throw;
  }
  Canvas->PopState();
}

void TdxBarPainter::DrawItemCaption(TdxBarItemControlDrawParams* P, const RECT& R, int Alignment, UINT Format) {
  DrawItemText(P->Control, P->Canvas->DeviceContext(), P->Caption, R, Alignment, P->Enabled, P->DrawSelected,
               P->PaintType == 2, false, UsesFlatSelection(), Format);
}

void TdxBarPainter::CalcCaptionTextRect(TdxBarItemControlDrawParams* P, RECT& R) {
  R = RECT{0, 0, 0, 0};
  DrawTextOnDC(P->Canvas->DeviceContext(), P->Caption, R, DT_CALCRECT | DT_SINGLELINE);
}

int TdxBarPainter::HalfFontHeight(TdxBarItemControl* SubItem) {
  TCustomdxBarControl* W = SubItem ? SubItem->GetParent() : nullptr;
  TFont* Font = W ? W->ItemFont() : nullptr;
  if (!Font) return 0;
  LOGFONTW LF = Font->GetLogFont();
  return std::abs(static_cast<int>(LF.lfHeight)) / 2;
}

int TdxBarPainter::ItemHeightForCanvas(TcxCanvas* Canvas) { return TextExtentOnDC(Canvas->DeviceContext(), "Wg").cy + 6; }

// ---- glyphs

void TdxBarPainter::DrawCheckMarkInGlyphArea(TdxBarItemControl* Control, HDC DC, const RECT& R, int PaintType,
                                             bool Checked) {
  if (PaintType != 1 || !Checked) return;
  TCustomdxBarControl* W = Control->GetParent();
  int Scale = W && W->ItemFont() && W->ItemFont()->GetSize() >= 16 ? 2 : 1;
  int X = (R.left + R.right - 9 * Scale) / 2, Y = (R.top + R.bottom - 7 * Scale) / 2;
  DrawCheckMark(Control, DC, X, Y, Scale);
}

void TdxBarPainter::DrawDropDownArrow(HDC DC, const RECT& R, int Orientation, bool Selected, bool Enabled, bool Flat,
                                      TColor Color) {
  DrawArrowFitted(DC, R, Orientation, Enabled, Selected, Flat, Color);
}

void TdxBarPainter::DrawDropDownArrowSized(HDC DC, const RECT& R, int Orientation, int Size, bool Selected,
                                           bool Enabled, bool Flat, TColor Color) {
  DrawArrowSized(DC, R, Orientation, Size, Selected, Enabled, Flat, Color);
}

bool TdxBarPainter::FadesDisabledImages(TCustomdxBarControl* BarControl) {
  TdxBarManager* M = BarControl ? BarControl->GetBarManager() : nullptr;
  return M && M->GetMakeDisabledImagesFaded();
}

void TdxBarPainter::HintWindowPosition(TCustomdxBarControl* BarControl, RECT& ItemRect, POINT& P, POINT Cursor) {
  P = Cursor;
  if (BarControl && BarControl->HandleAllocated()) MapWindowPoints(BarControl->GetHandle(), nullptr, reinterpret_cast<POINT*>(&ItemRect), 2);
}

SIZE TdxBarPainter::GlyphAreaSize(int ImageSize, int TextHeight) {
  (void)TextHeight;
  return SIZE{GlyphAreaWidth(ImageSize), GlyphAreaHeight(ImageSize)};
}

void TdxBarPainter::CalcLargeGlyphRect(SIZE GlyphSize, const RECT& Area, TdxBarGlyphLayout Layout, int ViewStructure,
                                       int PaintType, RECT& R) {
  int Left = (Area.left + Area.right - GlyphSize.cx) / 2, Top = (Area.top + Area.bottom - GlyphSize.cy) / 2;
  if ((ViewStructure & vsCaption) && PaintType != 1) {
    if (PaintType == 0) {
      switch (Layout) {
        case glLeft: Left = Area.left + 4; break;
        case glRight: Left = Area.right - GlyphSize.cx - 4; break;
        case glTop: Top = Area.top + 2; break;
        case glBottom: Top = Area.bottom - GlyphSize.cy - 2; break;
      }
    } else {
      switch (Layout) {
        case glLeft: Top = Area.top + 4; break;
        case glRight: Top = Area.bottom - GlyphSize.cy - 4; break;
        case glTop: Left = Area.right - GlyphSize.cx - 2; break;
        case glBottom: Left = Area.left + 2; break;
      }
    }
  }
  R = RECT{Left, Top, Left + GlyphSize.cx, Top + GlyphSize.cy};
}

void TdxBarPainter::FillItemRect(TdxBarItemControl* Control, HDC DC, const RECT& R, HBRUSH Brush, bool Opaque) {
  if (Opaque) {
    FillRect(DC, &R, Brush);
    return;
  }
  TCustomdxBarControl* W = Control ? Control->GetParent() : nullptr;
  if (!W) {
    FillRect(DC, &R, Brush);
    return;
  }
  Control->SaveNonRecentToSubMenu();
  try {
    W->FillItemBackground(DC, R, Brush, clNone, true);
  } catch (...) {
    Control->ClearSubMenuNonRecent();
    throw;
  }
  Control->ClearSubMenuNonRecent();
}

void TdxBarPainter::FrameItemRect(TdxBarItemControl* Control, HDC DC, const RECT& R, HBRUSH Brush, bool Opaque) {
  if (Opaque) {
    FrameRect(DC, &R, Brush);
    return;
  }
  HRGN Saved;
  bool HadRgn;
  SaveDCClipping(DC, Saved, HadRgn);
  ExcludeClipRect(DC, R.left + 1, R.top + 1, R.right - 1, R.bottom - 1);
  try {
    FillItemRect(Control, DC, R, Brush, false);
  } catch (...) {
    RestoreDCClipping(DC, Saved, HadRgn);
    throw;
  }
  RestoreDCClipping(DC, Saved, HadRgn);
}

void TdxBarPainter::FillDisabledRect(TdxBarItemControl* Control, HDC DC, const RECT& R) {
  (void)Control;
  FillRect(DC, &R, GetSysColorBrush(COLOR_BTNSHADOW));
}

void TdxBarPainter::FillItemControlBackground(TdxBarItemControl* Control, TcxCanvas* Canvas, HBRUSH Brush,
                                              const RECT& R) {
  if (TCustomdxBarControl* W = Control ? Control->GetParent() : nullptr)
    W->FillItemBackground(Canvas->DeviceContext(), R, Brush, clNone, true);
}

HBRUSH TdxBarPainter::ItemBackgroundBrush(TdxBarItemControl* Control, int PaintType, const TdxBarGlyphState& State,
                                          bool CheckMark) {
  (void)PaintType, (void)State, (void)CheckMark;
  return Control->BackgroundBrush();
}

bool TdxBarPainter::UsesFlatSelection() const { return HasFlatButtons() && !BtnFaceIsWhite(); }

bool TdxBarPainter::IsGlyphBackgroundOpaque(TdxBarItemControl* Control, bool CheckMark, const TdxBarGlyphState& State) {
  if (Control->IsNonRecent()) return true;
  return CheckMark ? State.Pressed || State.DroppedDown : Control->HasStyleBrush();
}

bool TdxBarPainter::ItemHasOwnBackground(TdxBarItemControl* Control) {
  if (UsesThemeBackground()) return true;
  if (Control->IsNonRecent()) return false;
  TCustomdxBarControl* W = Control->GetParent();
  return W && W->HasBackgroundPicture();
}

void TdxBarPainter::PlaceAndDrawGlyph(TdxBarItemControl* Control, HDC DC, const RECT& Area, const RECT& SecondArea,
                                      int PaintType, int ViewStructure, int ViewSize, bool CheckMark,
                                      const TdxBarGlyphState& State, RECT& GlyphRect) {
  // A control with a hot image shows it while drawn selected.
  SIZE Size = Control->GlyphSize(ViewSize, State.Selected);
  int Index = -1;
  TCustomImageList* List = nullptr;
  TBitmap* Glyph = nullptr;
  // A caption-only control on a bar frames its whole content, not a glyph-sized
  // square under the start of its caption.
  bool CaptionOnly = CheckMark && PaintType != 1;
  if (!Control->FindGlyphSource(ViewSize, State.Selected, Index, List, Glyph)) CheckMark = true;
  RECT DrawArea = Area;
  if (ViewSize == 2 && PaintType != 1) {
    CalcLargeGlyphRect(Size, Area, Control->ItemGlyphLayout(), ViewStructure, PaintType, GlyphRect);
  } else {
    TdxBarItemControlDrawParams* P = Control->GetDrawParams();
    if (PaintType == 0 && !CaptionOnly) DrawArea.right = DrawArea.left + P->GlyphAreaSize.cx;
    if (PaintType == 2 && !CaptionOnly) DrawArea.bottom = DrawArea.top + P->GlyphAreaSize.cy;
    SIZE Image = Size;
    if (ViewSize == 1) {
      TdxBarManager* M = Control->LinkManager();
      if (M && M->HasLargeImagesForLargeIcons()) {
        Image = SIZE{M->GetLargeImages()->GetWidth(), M->GetLargeImages()->GetHeight()};
      } else if (!(M && M->GetUseLargeImagesForLargeIcons() && Glyph)) {
        Image.cx *= 2;
        Image.cy *= 2;
      }
      TCustomdxBarControl* W = Control->GetParent();
      if (W && W->GetScaleRatio() != 1.0) {
        Image.cx = static_cast<int>(std::lround(Image.cx * W->GetScaleRatio()));
        Image.cy = static_cast<int>(std::lround(Image.cy * W->GetScaleRatio()));
        int AW = DrawArea.right - DrawArea.left, AH = DrawArea.bottom - DrawArea.top;
        if ((Image.cx - AW) % 2 != 0 && (Image.cy - AH) % 2 != 0) {
          --Image.cx;
          --Image.cy;
        }
      }
    }
    int Left = DrawArea.left + (DrawArea.right - DrawArea.left - Image.cx) / 2;
    int Top = DrawArea.top + (DrawArea.bottom - DrawArea.top - Image.cy) / 2;
    GlyphRect = RECT{Left, Top, Left + Image.cx, Top + Image.cy};
    if (State.Down) {
      int D = DownGlyphOffset(Control);
      OffsetRect(&GlyphRect, D, D);
    }
    if (State.Pressed) {
      int D = PressedGlyphOffset(Control, State.Down);
      OffsetRect(&GlyphRect, D, D);
    }
  }
  Control->GetViewInfo()->SetImageBounds(GlyphRect);
  if (!IsRectEmpty(&SecondArea)) DrawArea = SecondArea;
  DrawGlyphImage(Control, DC, State, CheckMark, PaintType, List, Glyph, Index, DrawArea, GlyphRect);
}

void TdxBarPainter::DrawGlyphImage(TdxBarItemControl* Control, HDC DC, const TdxBarGlyphState& State, bool CheckMark,
                                   int PaintType, TCustomImageList* ImageList, TBitmap* Glyph, int ImageIndex,
                                   const RECT& Area, const RECT& GlyphRect) {
  HBRUSH Brush = ItemBackgroundBrush(Control, PaintType, State, CheckMark);
  TdxBarManager* M = Control->LinkManager();
  int ImageW = GlyphRect.right - GlyphRect.left, ImageH = GlyphRect.bottom - GlyphRect.top;
  if (CheckMark) ImageW = ImageH = M ? M->GlyphSize() : 16;
  bool NeedBorder = Area.right - Area.left - ImageW >= 2 && Area.bottom - Area.top - ImageH >= 2;
  RECT Inner = Area;
  if (NeedBorder) InflateRect(&Inner, -1, -1);
  bool ThemeBackground = UsesThemeBackground();
  if (ThemeBackground) DrawGlyphFrame(Control, DC, Brush, NeedBorder, Area, PaintType, CheckMark, State);
  bool OwnBackground = ItemHasOwnBackground(Control);
  if (!ThemeBackground && (CheckMark || OwnBackground))
    FillItemRect(Control, DC, Inner, Brush, IsGlyphBackgroundOpaque(Control, CheckMark, State));
  if (CheckMark) {
    DrawCheckMarkInGlyphArea(Control, DC, Inner, PaintType, State.Down);
  } else {
    TdxBarImageOptions* Options = M ? M->GetImageOptions() : nullptr;
    DrawItemControlGlyph(Control, DC, OwnBackground ? nullptr : Brush, GlyphRect, Inner, Glyph, ImageList, ImageIndex,
                         M ? M->GetImageListBkColor() : clNone, Control->HasEnabledLookImage(), State.Grayed,
                         UsesIdleGlyphLook(), State.Selected, State.Down, State.Pressed, ShadowsHotGlyphs(),
                         FadesDisabledImages(Control->GetParent()), Options && Options->GetSmoothGlyphs(),
                         !Options || Options->GetUseLeftBottomPixelAsTransparent());
  }
  if (!ThemeBackground) DrawGlyphFrame(Control, DC, Brush, NeedBorder, Area, PaintType, CheckMark, State);
}

void TdxBarPainter::DrawControlGlyph(TdxBarItemControlDrawParams* P, const RECT& Area, const RECT& SecondArea,
                                     int PaintType, bool CheckMark, const TdxBarGlyphState& State) {
  RECT GlyphRect;
  PlaceAndDrawGlyph(P->Control, P->Canvas->DeviceContext(), Area, SecondArea, PaintType, P->ViewStructure,
                    P->GetViewSize(), CheckMark, State, GlyphRect);
}

void TdxBarPainter::DrawSunkenEdge(HDC DC, RECT& R) {
  DrawEdge(DC, &R, BDR_SUNKENOUTER, BF_RECT);
  InflateRect(&R, -1, -1);
}

// ---- buttons and menu items

void TdxBarPainter::CalcButtonTextRect(TdxBarButtonLikeControlDrawParams* P, RECT& TextRect, int& Alignment,
                                       const RECT& GlyphRect) {
  bool Vertical = P->PaintType == 2;
  if (P->GetViewSize() == 2) {
    Alignment = 1;
    switch (P->Control->ItemGlyphLayout()) {
      case glLeft:
        (Vertical ? TextRect.top : TextRect.left) = (Vertical ? GlyphRect.bottom : GlyphRect.right) + 3;
        Alignment = 0;
        break;
      case glRight:
        (Vertical ? TextRect.bottom : TextRect.right) = (Vertical ? GlyphRect.top : GlyphRect.left) - 3;
        Alignment = 2;
        break;
      case glTop:
        if (Vertical)
          TextRect.right = GlyphRect.left;
        else
          TextRect.top = GlyphRect.bottom;
        break;
      case glBottom:
        if (Vertical)
          TextRect.left = GlyphRect.right;
        else
          TextRect.bottom = GlyphRect.top;
        break;
    }
    return;
  }
  Alignment = 0;
  int Offset = P->ShowsGlyph() ? (Vertical ? P->GlyphAreaSize.cy : P->GlyphAreaSize.cx) : P->Control->CaptionIndent();
  (Vertical ? TextRect.top : TextRect.left) += Offset;
  if (!HighlightsMenuBarItem(P->Control)) ShiftContentForState(P->Down, P->DrawDown, TextRect);
}

void TdxBarPainter::AddCaptionExtraWidth(TdxBarButtonLikeControlDrawParams* P, int& Width) {
  if (P->IsButton) {
    if (!P->IsMenu() && P->HasDropDown) {
      RECT M;
      CaptionMargins(M);
      Width += M.right + P->ArrowSize.cx;
    }
  } else if (!P->InMainMenu) {
    TCustomdxBarControl* W = P->Control->GetParent();
    Width += W ? W->GetTextSize() / 2 : 0;
  }
}

void TdxBarPainter::AdjustButtonParts(TdxBarButtonLikeControlDrawParams* P, std::vector<RECT>& Parts) {
  if (!P->HasDropDown || Parts.size() < 2) return;
  Parts[1].left = Parts[1].right - P->ArrowSize.cx;
  Parts[0].right = Parts[1].left;
}

int TdxBarPainter::MenuItemHeight(TCustomdxBarControl* BarControl) {
  int H = BarControl->GetTextSize();
  if (LinksItemSizeOf(BarControl->GetItemLinks()) == misLarge)
    H = static_cast<int>(std::lround(40 * BarControl->GetScaleRatio()));
  AdjustMenuItemHeight(H);
  return H;
}

int TdxBarPainter::SubMenuItemIndent(TdxBarItemControl* Control) {
  TCustomdxBarControl* W = Control->GetParent();
  return W && W->Kind() == bwkSubMenu ? W->GetTextSize() + 1 : 0;
}

int TdxBarPainter::DropDownArrowWidth(TdxBarManager* Manager) {
  int W = Manager ? Manager->GetButtonArrowWidth() : 11;
  if (Manager && Manager->GetLargeIcons()) W *= 2;
  if (W % 2 == 0) ++W;
  return W;
}

int TdxBarPainter::LargeDropDownArrowWidth(TdxBarManager* Manager) {
  return Manager ? Manager->GetLargeButtonArrowWidth() : 13;
}

int TdxBarPainter::ItemIconAreaWidth(TdxBarItemControlDrawParams* P) {
  TCustomdxBarControl* W = P->Control->GetParent();
  return W ? W->GetIconAreaWidth() : 0;
}

HBRUSH TdxBarPainter::ArrowPartBrush(TdxBarButtonLikeControlDrawParams* P) { return P->Control->BackgroundBrush(); }

bool TdxBarPainter::ArrowPartOpaque(TdxBarButtonLikeControlDrawParams* P) {
  return P->Control->IsNonRecent() || (HasFlatButtons() && (P->DroppedDown || P->DrawSelected));
}

bool TdxBarPainter::ArrowSelected(TdxBarButtonLikeControlDrawParams* P) {
  if (HasFlatButtons())
    return (BtnFaceIsWhite() && P->DrawSelected && (P->IsMenu() || !P->DroppedDown)) ||
           (P->IsMenu() && P->DroppedDown);
  return HotTracksButtons() && P->DroppedDown;
}

void TdxBarPainter::ShiftContentForState(bool Down, bool Pressed, RECT& R) {
  if (HasFlatButtons()) return;
  if (Down || Pressed) OffsetRect(&R, 1, 1);
  if (Down && Pressed && !HotTracksButtons()) OffsetRect(&R, 1, 1);
}

void TdxBarPainter::ShiftPressedContent(bool Pressed, RECT& R) {
  if (Pressed && !HasFlatButtons()) OffsetRect(&R, 1, 1);
}

void TdxBarPainter::DrawButtonItem(TdxBarButtonLikeControlDrawParams* P, const RECT& R) {
  HDC DC = P->Canvas->DeviceContext();
  RECT Item = R;
  if (P->Lowered) DrawSunkenEdge(DC, Item);
  if (P->IsMenu()) {
    DrawMenuLine(P, Item);
  } else {
    RECT Content = Item;
    if (P->HasDropDown && P->IsButton) Content.right -= P->Control->PartRect(1).right - P->Control->PartRect(1).left;
    RECT GlyphArea = Item, Second{0, 0, 0, 0};
    if (P->GetViewSize() == 2) {
      GlyphArea = Content;
      InflateRect(&Content, -1, -1);
      ShiftContentForState(P->Down, P->DrawDown, Content);
      Second = GlyphArea;
    }
    if (P->DroppedDownHot) Second = Item;
    TdxBarGlyphState State;
    State.Selected = P->DrawSelected;
    State.Down = P->Down;
    State.Pressed = P->DrawDown;
    State.DroppedDown = P->DroppedDown;
    State.Grayed = P->GlyphGrayed;
    State.Split = P->IsButton && P->HasDropDown;
    RECT GlyphRect;
    PlaceAndDrawGlyph(P->Control, DC, Content, Second, P->PaintType, P->ViewStructure, P->GetViewSize(),
                      !P->ShowsGlyph(), State, GlyphRect);
    if (P->ShowsCaption()) {
      RECT TextRect = Content;
      int Alignment = 0;
      CalcButtonTextRect(P, TextRect, Alignment, GlyphRect);
      DrawItemText(P->Control, DC, P->Caption, TextRect, Alignment, P->Enabled, P->HighlightText, P->PaintType == 2,
                   false, P->KeepTextColor, DT_SINGLELINE);
    }
  }
  if (P->HasDropDown && !P->InMainMenu) {
    if (P->IsButton)
      DrawDropDownPart(P, Item);
    else
      DrawSubItemArrow(P, Item);
  }
}

void TdxBarPainter::DrawMenuLine(TdxBarButtonLikeControlDrawParams* P, const RECT& R) {
  HDC DC = P->Canvas->DeviceContext();
  DrawMenuGlyphArea(P, R);
  TCustomdxBarControl* W = P->Control->GetParent();
  RECT GlyphRect;
  MenuGlyphRect(R, W ? W->GetIconAreaWidth() : 0, GlyphRect);
  TdxBarGlyphState State;
  State.Selected = P->DrawSelected;
  State.Down = P->Down;
  State.Grayed = P->GlyphGrayed;
  DrawControlGlyph(P, GlyphRect, RECT{0, 0, 0, 0}, 1, !P->Control->ShowsImage(P->GetViewSize(), P->ViewStructure),
                   State);
  RECT TextRect;
  MenuTextRect(P, R, TextRect);
  InflateRect(&TextRect, 0, -MenuTextVerticalInset());
  int TextSize = W ? W->GetTextSize() : 0;
  if (P->Control->ShowsDescription() && !P->Description.empty()) {
    int H = TextExtentOnDC(DC, "Wg").cy;
    int Spare = TextRect.bottom - TextRect.top - 3 * H;
    RECT Desc{TextRect.left, TextRect.bottom - 2 * (Spare / 4) - 2 * H, TextRect.right - TextSize, TextRect.bottom};
    TextRect.bottom = Desc.top;
    TStringList* Lines = TStringList::Create();
    try {
      WrapTextToLines(P->Description, P->Canvas, Desc, Lines);
      std::vector<std::string> Shown;
      if (Lines->GetCount() > 0) Shown.push_back(Lines->GetStrings(0));
      if (Lines->GetCount() > 1) Shown.push_back(Trim(P->Description.substr(Lines->GetStrings(0).size())));
      RECT LineRect = Desc;
      for (const std::string& Line : Shown) {
        DrawItemText(P->Control, DC, Line, LineRect, 0, P->Enabled, P->DrawSelected, false, true, UsesFlatSelection(),
                     DT_END_ELLIPSIS);
        OffsetRect(&LineRect, 0, H);
      }
    } catch (...) {
      Free(Lines);
      throw;
    }
    Free(Lines);
    P->Canvas->FontObject()->SetStyle(P->Canvas->FontObject()->GetStyle() + fsBold);
  }
  DrawItemText(P->Control, DC, P->Caption, TextRect, 0, P->Enabled, P->DrawSelected, false, false, UsesFlatSelection(),
               DT_SINGLELINE);
  if (P->Control->ShowsShortCuts() && !P->ShortCutText.empty()) {
    TextRect.right -= TextSize + 5;
    DrawItemText(P->Control, DC, P->ShortCutText, TextRect, 2, P->Enabled, P->DrawSelected, false, false,
                 UsesFlatSelection(), DT_SINGLELINE);
  }
}

void TdxBarPainter::DrawButtonCaption(TdxBarButtonLikeControlDrawParams* P, const RECT& GlyphRect,
                                      const RECT& TextRect) {
  if (!P->ShowsCaption()) return;
  RECT R = TextRect;
  int Alignment = 0;
  CalcButtonTextRect(P, R, Alignment, GlyphRect);
  DrawItemCaption(P, R, Alignment, DT_SINGLELINE | DT_END_ELLIPSIS);
}

void TdxBarPainter::DrawButtonDropArrow(TdxBarButtonLikeControlDrawParams* P, const RECT& R) {
  RECT A = R;
  if (!HotTracksButtons() && P->DroppedDown && (A.right - A.left > 9 || P->IsMenu())) OffsetRect(&A, 1, 1);
  HDC DC = P->Canvas->DeviceContext();
  bool Enabled = P->Enabled && P->DropDownEnabled;
  if (P->IsMenu())
    DrawDropDownArrowSized(DC, A, 3, P->ArrowSize.cy, ArrowSelected(P), Enabled, HotTracksButtons(), ArrowColor(P));
  else
    DrawDropDownArrow(DC, A, 1, ArrowSelected(P), Enabled, HotTracksButtons(), ArrowColor(P));
}

void TdxBarPainter::DrawArrowPartBackground(TdxBarButtonLikeControlDrawParams* P, const RECT& R, HBRUSH Brush) {
  RECT A = R;
  if (HasFlatButtons() && !P->IsMenu()) {
    --A.left;
    if (P->DroppedDown) return;
  }
  FillItemRect(P->Control, P->Canvas->DeviceContext(), A, Brush, ArrowPartOpaque(P));
}

void TdxBarPainter::DrawDropDownPart(TdxBarButtonLikeControlDrawParams* P, const RECT& R) {
  RECT Part = R;
  Part.left = Part.right - P->ArrowSize.cx;
  DrawArrowPartBackground(P, Part, ArrowPartBrush(P));
  DrawButtonDropArrow(P, Part);
}

void TdxBarPainter::DrawSubItemArrow(TdxBarButtonLikeControlDrawParams* P, const RECT& R) {
  RECT A = R;
  if (!P->IsMenu()) ShiftContentForState(false, P->DroppedDown, A);
  int Orientation = P->PaintType == 0 ? 1 : 3;
  int Size = P->ArrowSize.cy - (P->IsMenu() ? 0 : 1);
  bool Selected = P->IsMenu() ? P->DrawSelected && !UsesFlatSelection() : P->HighlightText;
  TCustomdxBarControl* W = P->Control->GetParent();
  int TextSize = W ? W->GetTextSize() : 0;
  int FontHalf = W && W->ItemFont() ? W->ItemFont()->GetHeight() / 2 : 0;
  if (P->IsMenu())
    A.left = A.right + P->ArrowSize.cy - TextSize;
  else if (P->PaintType == 0)
    A.left = A.right + FontHalf - TextSize / 2;
  else
    A.top = A.bottom + FontHalf - TextSize / 2;
  DrawDropDownArrowSized(P->Canvas->DeviceContext(), A, Orientation, Size, Selected, P->Enabled, HasFlatButtons(),
                         ArrowColor(P));
}

void TdxBarPainter::MenuGlyphRect(const RECT& ItemRect, int IconAreaWidth, RECT& R) {
  R = ItemRect;
  R.right = R.left + IconAreaWidth;
}

void TdxBarPainter::MenuTextRect(TdxBarItemControlDrawParams* P, const RECT& ItemRect, RECT& R) {
  R = ItemRect;
  R.left += MenuTextOffset(P);
}

int TdxBarPainter::MenuTextOffset(TdxBarItemControlDrawParams* P) {
  TCustomdxBarControl* W = P->Control->GetParent();
  return (W ? W->GetIconAreaWidth() : 0) + 3;
}

void TdxBarPainter::DrawMenuGlyphColumn(TdxBarButtonLikeControlDrawParams* P, const RECT& R, HBRUSH Background) {
  TdxBarItemControl* C = P->Control;
  TCustomdxBarControl* W = C->GetParent();
  HDC DC = P->Canvas->DeviceContext();
  bool Opaque = P->DrawSelected || C->IsNonRecent();
  HBRUSH Column =
      P->DrawSelected && !C->ShowsImage(P->GetViewSize(), P->ViewStructure) && !P->Down ? W->SelectedBrush() : Background;
  RECT Glyph;
  MenuGlyphRect(R, W->GetIconAreaWidth(), Glyph);
  RECT Item = R;
  FillItemRect(C, DC, RECT{Glyph.right, Glyph.top, Glyph.right + 1, Glyph.bottom}, Column, Opaque);
  Item.left = Glyph.right + 1;
  if (Glyph.top > Item.top) FillItemRect(C, DC, RECT{Glyph.left, Item.top, Item.left, Glyph.top}, Column, Opaque);
  if (Glyph.bottom < Item.bottom)
    FillItemRect(C, DC, RECT{Glyph.left, Glyph.bottom, Item.left, Item.bottom}, Column, Opaque);
  FillItemRect(C, DC, Item, P->DrawSelected ? W->SelectedBrush() : Background, Opaque);
}
