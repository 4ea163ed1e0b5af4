#include "suite/bars/BarCustomizationPainters.h"

#include "framework/Bitmap.h"
#include "framework/ImageList.h"
#include "framework/Unicode.h"
#include "suite/bars/BarEditItems.h"
#include "suite/bars/BarFlatPainter.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarModelReads.h"
#include "suite/bars/BarOffice11Painter.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/BarSubItems.h"
#include "suite/bars/BarXPPainter.h"
#include "suite/common/Office11Colors.h"
#include "suite/common/Office11Drawing.h"
#include "suite/common/ThemeManager.h"

namespace {
constexpr UINT TextFlags = DT_VCENTER | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX;

void Shrink(RECT& R, int By) { InflateRect(&R, -By, -By); }

std::string WithoutAccelerators(std::string Caption) {
  AcceleratorCharIndex(Caption, true);
  return Caption;
}

void DrawText(HDC DC, const std::string& Text, RECT R, TColor Color) {
  int OldMode = SetBkMode(DC, TRANSPARENT);
  COLORREF OldColor = SetTextColor(DC, static_cast<COLORREF>(ColorToRGB(Color)));
  std::wstring W = Utf8ToWide(Text);
  DrawTextW(DC, W.c_str(), static_cast<int>(W.size()), &R, TextFlags);
  SetTextColor(DC, OldColor);
  SetBkMode(DC, OldMode);
}

int TextWidth(HDC DC, const std::string& Text) {
  std::wstring W = Utf8ToWide(Text);
  SIZE S{0, 0};
  GetTextExtentPoint32W(DC, W.c_str(), static_cast<int>(W.size()), &S);
  return S.cx;
}

bool IsDropDownButton(TdxBarItem* Item) {
  auto* B = dynamic_cast<TdxBarButton*>(Item);
  return B && B->GetButtonStyle() == bsDropDown;
}

bool HasGlyph(TdxBarItem* Item) {
  return Item && ((Item->GetGlyph() && !Item->GetGlyph()->GetEmpty()) || Item->HasAssignedImage());
}

bool ShowsSubArrow(TdxBarItem* Item) {
  if (IsDropDownButton(Item)) return true;
  if (auto* Container = dynamic_cast<TCustomdxBarContainerItem*>(Item)) return !ContainerFirstBeginsGroup(Container);
  return dynamic_cast<TCustomdxBarSubItem*>(Item) != nullptr;
}

// Draws a themed part; false (nothing drawn) while visual styles are off.
bool DrawThemed(TdxThemedObjectKind Kind, HDC DC, int Part, int State, const RECT& R) {
  HTHEME Theme = ThemeHandleFor(Kind);
  return Theme && SUCCEEDED(UxDrawThemeBackground(Theme, DC, Part, State, R));
}

TdxBarManager* ManagerOf(TdxBarItem* Item) { return Item ? Item->GetBarManager() : nullptr; }

void DrawGlyphCentred(HDC DC, const RECT& Strip, TdxBarItem* Item, HBRUSH Brush) {
  TBitmap* Glyph = Item->GetGlyph() && !Item->GetGlyph()->GetEmpty() ? Item->GetGlyph() : nullptr;
  TCustomImageList* Images = Glyph ? nullptr : Item->GetImages();
  int W = Glyph ? Glyph->GetWidth() : Images ? Images->GetWidth() : 0;
  int H = Glyph ? Glyph->GetHeight() : Images ? Images->GetHeight() : 0;
  RECT G{Strip.left + (Strip.right - Strip.left - W) / 2, Strip.top + (Strip.bottom - Strip.top - H) / 2, 0, 0};
  G.right = G.left + W;
  G.bottom = G.top + H;
  TdxBarManager* M = ManagerOf(Item);
  DrawBarGlyph(DC, Brush, G, G, Glyph, Images, Item->GetImageIndex(), M ? M->GetImageListBkColor() : clNone, true,
               false, false, false, false, false, false, false, false, false);
}
}  // namespace

// ---- TdxBarCustomizationFormPainter

void TdxBarCustomizationFormPainter::Fill(HDC DC, const RECT& R, TColor Color) {
  HBRUSH B = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(Color)));
  FillRect(DC, &R, B);
  DeleteObject(B);
}

void TdxBarCustomizationFormPainter::Frame(HDC DC, const RECT& R, TColor Color) {
  HBRUSH B = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(Color)));
  FrameRect(DC, &R, B);
  DeleteObject(B);
}

void TdxBarCustomizationFormPainter::DrawFocusRectIn(HDC DC, const RECT& R) {
  COLORREF OldText = SetTextColor(DC, static_cast<COLORREF>(ColorToRGB(TextColor(true))));
  COLORREF OldBack = SetBkColor(DC, static_cast<COLORREF>(ColorToRGB(BackgroundColor(true, nullptr))));
  DrawFocusRect(DC, &R);
  SetBkColor(DC, OldBack);
  SetTextColor(DC, OldText);
}

void TdxBarCustomizationFormPainter::DrawCaptionCell(HDC DC, RECT& R, bool Selected, TdxBarItem* Item) {
  std::string Text = WithoutAccelerators(Item ? Item->GetCaption() : std::string());
  R.right = R.left + TextWidth(DC, Text);
  DrawCaptionText(DC, R, Selected, Item, Text);
  R.left = R.right;
}

void TdxBarCustomizationFormPainter::DrawEditFrame(HDC DC, RECT& R, bool Selected) {
  if (Selected)
    DrawEdge(DC, &R, BDR_SUNKENOUTER, BF_RECT);
  else
    Frame(DC, R, EntryBackColor());
  Shrink(R, 1);
  Frame(DC, R, EntryBackColor());
  Shrink(R, 1);
}

void TdxBarCustomizationFormPainter::DrawEditBox(HDC DC, const RECT& R, bool WithButton, bool Selected,
                                                 TdxBarItem* Item) {
  RECT Interior = R;
  if (WithButton) {
    RECT Button = R;
    Button.left = R.right - ComboButtonWidth();
    Interior.right = Button.left;
    DrawComboButton(DC, Item, Selected, Button);
  }
  DrawEditInterior(DC, Interior, Selected, Item);
}

void TdxBarCustomizationFormPainter::DrawCaptionText(HDC DC, RECT& R, bool Selected, TdxBarItem* Item,
                                                     const std::string& Text) {
  R.right += 7;
  Fill(DC, R, BackgroundColor(Selected, Item));
  RECT T = R;
  T.left += 2;
  DrawText(DC, Text, T, TextColor(Selected));
}

void TdxBarCustomizationFormPainter::DrawEditInterior(HDC DC, const RECT& R, bool Selected, TdxBarItem* Item) {
  (void)Selected, (void)Item;
  SetTextColor(DC, static_cast<COLORREF>(ColorToRGB(TextColor(false))));
  Fill(DC, R, clWindow);
}

void TdxBarCustomizationFormPainter::CalcEntryRects(TdxBarItem* Item, const RECT& R, RECT& ArrowRect,
                                                    RECT& TextRect, RECT& StripRect) {
  ArrowRect = TextRect = StripRect = R;
  StripRect.right = StripRect.left + (R.bottom - R.top);
  TextRect.left = StripRect.right + 5;
  if (IsDropDownButton(Item)) TextRect.right -= 13;
  ArrowRect.left = TextRect.right;
}

void TdxBarCustomizationFormPainter::DrawDropDownPart(HDC DC, const RECT& R, bool Selected, TdxBarItem* Item) {
  (void)Item;
  RECT P = R;
  if (Selected) {
    DrawEdge(DC, &P, BDR_RAISEDINNER, BF_RECT);
    Shrink(P, 1);
  } else {
    RECT Edge = P;
    --Edge.left;
    DrawEdge(DC, &Edge, BDR_SUNKENOUTER | BDR_RAISEDINNER, BF_LEFT);
    P.left += 2;
  }
  Fill(DC, P, BackgroundColor(false, Item));
}

void TdxBarCustomizationFormPainter::DrawEntryBackground(HDC DC, TdxBarItem* Item, bool Selected,
                                                         const RECT& ArrowRect, const RECT& StripRect,
                                                         const RECT& TextRect) {
  Fill(DC, TextRect, BackgroundColor(Selected, Item));
  Fill(DC, StripRect, StripColor(Selected && !HasGlyph(Item), Item));
  if (IsDropDownButton(Item)) DrawDropDownPart(DC, ArrowRect, Selected, Item);
}

void TdxBarCustomizationFormPainter::DrawEntryGlyph(HDC DC, const RECT& StripRect, bool Selected, TdxBarItem* Item) {
  if (Selected) {
    RECT R = StripRect;
    DrawEdge(DC, &R, BDR_RAISEDINNER, BF_RECT);
  }
  DrawGlyphCentred(DC, StripRect, Item, nullptr);
}

void TdxBarCustomizationFormPainter::DrawSubArrow(HDC DC, int X, bool White, int Y) {
  COLORREF C = White && BtnFaceIsWhite() ? RGB(255, 255, 255) : GetTextColor(DC);
  HBRUSH B = CreateSolidBrush(C);
  HPEN P = CreatePen(PS_SOLID, 1, C);
  HGDIOBJ OldB = SelectObject(DC, B), OldP = SelectObject(DC, P);
  POINT Points[3] = {{X, Y}, {X, Y + 6}, {X + 3, Y + 3}};
  Polygon(DC, Points, 3);
  SelectObject(DC, OldB);
  SelectObject(DC, OldP);
  DeleteObject(P);
  DeleteObject(B);
}

void TdxBarCustomizationFormPainter::DrawButtonEntry(HDC DC, const RECT& R, bool Selected, const std::string& Caption,
                                                     TdxBarItem* Item) {
  RECT Arrow, Text, Strip;
  CalcEntryRects(Item, R, Arrow, Text, Strip);
  DrawEntryBackground(DC, Item, Selected, Arrow, Strip, Text);
  if (HasGlyph(Item)) DrawEntryGlyph(DC, Strip, Selected, Item);
  std::string Shown = Caption;
  auto* Container = dynamic_cast<TCustomdxBarContainerItem*>(Item);
  if (Container && ContainerFirstBeginsGroup(Container)) Shown = "(" + Caption + ")";
  DrawText(DC, Shown, Text, TextColor(Selected));
  if (ShowsSubArrow(Item)) {
    COLORREF Old = SetTextColor(DC, static_cast<COLORREF>(ColorToRGB(TextColor(Selected))));
    DrawSubArrow(DC, Text.right - 9, false, R.top + (EntryHeight() - 7) / 2);
    SetTextColor(DC, Old);
  }
}

void TdxBarCustomizationFormPainter::DrawCheckBox(HDC DC, const RECT& R, bool Enabled, bool Checked) {
  RECT Box = R;
  Shrink(Box, 1);
  UINT State = DFCS_BUTTONCHECK | (Checked ? DFCS_CHECKED : 0) | (Enabled ? 0 : DFCS_INACTIVE);
  DrawFrameControl(DC, &Box, DFC_BUTTON, State);
}

void TdxBarCustomizationFormPainter::DrawComboButton(HDC DC, TdxBarItem* Item, bool Selected, const RECT& R) {
  RECT B = R;
  ++B.left;
  TColor Line = Selected ? BackgroundColor(false, Item) : clBtnHighlight;
  if (Selected) {
    RECT E = B;
    DrawEdge(DC, &E, BDR_RAISEDINNER, BF_RECT);
  } else {
    Frame(DC, B, clBtnHighlight);
  }
  Fill(DC, RECT{B.left - 1, B.top, B.left, B.bottom}, Line);
  Shrink(B, 1);
  Fill(DC, B, BackgroundColor(false, Item));
  InflateRect(&B, 2, 2);
  DrawArrowFitted(DC, B, 1, true, false, true, clBtnText);
}

void TdxBarCustomizationFormPainter::DrawEditEntry(HDC DC, const RECT& R, bool Selected, bool WithButton,
                                                   TdxBarItem* Item) {
  RECT Cell = R;
  DrawCaptionCell(DC, Cell, Selected, Item);
  DrawEditFrame(DC, Cell, Selected);
  DrawEditBox(DC, Cell, WithButton, Selected, Item);
}

void TdxBarCustomizationFormPainter::DrawFocusFrame(HDC DC, const RECT& R, TdxBarItem* Item) {
  (void)Item;
  DrawFocusRectIn(DC, R);
}

TColor TdxBarCustomizationFormPainter::BackgroundColor(bool Selected, TdxBarItem* Item) {
  (void)Item;
  return Selected ? clHighlight : clBtnFace;
}

TColor TdxBarCustomizationFormPainter::TextColor(bool Selected) { return Selected ? clHighlightText : clBtnText; }

// ---- TdxBarCustomizationFormStandardPainter

void TdxBarCustomizationFormStandardPainter::DrawFocusFrame(HDC DC, const RECT& R, TdxBarItem* Item) {
  RECT F = R;
  Shrink(F, 2);
  TdxBarCustomizationFormPainter::DrawFocusFrame(DC, F, Item);
}

// ---- TdxBarCustomizationFormFlatPainter

void TdxBarCustomizationFormFlatPainter::FrameSelected(HDC DC, const RECT& R) { FrameRectHighlight(DC, R); }

void TdxBarCustomizationFormFlatPainter::DrawEditFrame(HDC DC, RECT& R, bool Selected) {
  if (Selected)
    FrameSelected(DC, R);
  else
    Frame(DC, R, EditFrameColor());
  Shrink(R, 1);
}

void TdxBarCustomizationFormFlatPainter::DrawCaptionText(HDC DC, RECT& R, bool Selected, TdxBarItem* Item,
                                                         const std::string& Text) {
  R.right += 11;
  Fill(DC, R, BackgroundColor(Selected, Item));
  if (Selected) {
    RECT F = R;
    ++F.right;
    FrameSelected(DC, F);
  }
  RECT T = R;
  T.left += 5;
  DrawText(DC, Text, T, TextColor(Selected));
}

void TdxBarCustomizationFormFlatPainter::DrawDropDownPart(HDC DC, const RECT& R, bool Selected, TdxBarItem* Item) {
  Fill(DC, R, BackgroundColor(Selected, Item));
  if (Selected)
    FrameSelected(DC, R);
  else
    Frame(DC, R, clBtnShadow);
}

void TdxBarCustomizationFormFlatPainter::DrawEntryGlyph(HDC DC, const RECT& StripRect, bool Selected,
                                                        TdxBarItem* Item) {
  HBRUSH B = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(StripColor(Selected, Item))));
  DrawGlyphCentred(DC, StripRect, Item, B);
  DeleteObject(B);
}

void TdxBarCustomizationFormFlatPainter::DrawButtonEntry(HDC DC, const RECT& R, bool Selected,
                                                         const std::string& Caption, TdxBarItem* Item) {
  TdxBarCustomizationFormPainter::DrawButtonEntry(DC, R, Selected, Caption, Item);
  if (Selected) FrameSelected(DC, R);
}

void TdxBarCustomizationFormFlatPainter::DrawComboButton(HDC DC, TdxBarItem* Item, bool Selected, const RECT& R) {
  RECT B = R;
  ++B.left;
  if (Selected) {
    RECT F = B;
    InflateRect(&F, 1, 1);
    FrameSelected(DC, F);
  } else {
    Frame(DC, B, ComboFrameColor());
    Fill(DC, RECT{B.left - 1, B.top, B.left, B.bottom}, ComboFrameColor());
  }
  Shrink(B, 1);
  Fill(DC, B, ComboFillColor(Selected, Item));
  if (Selected) Shrink(B, 1);
  InflateRect(&B, 2, 2);
  DrawArrowFitted(DC, B, 1, true, false, true, Selected && BtnFaceIsWhite() ? clWhite : clBtnText);
}

TColor TdxBarCustomizationFormFlatPainter::ComboFillColor(bool Selected, TdxBarItem* Item) {
  return Selected ? TdxBarManager::FlatHotItemColor() : BackgroundColor(false, Item);
}

TColor TdxBarCustomizationFormFlatPainter::BackgroundColor(bool Selected, TdxBarItem* Item) {
  (void)Item;
  return Selected ? TdxBarManager::FlatHotItemColor() : clWindow;
}

TColor TdxBarCustomizationFormFlatPainter::TextColor(bool Selected) {
  return Selected && BtnFaceIsWhite() ? clBtnFace : clBtnText;
}

// ---- TdxBarCustomizationFormOffice11Painter

void TdxBarCustomizationFormOffice11Painter::FrameSelected(HDC DC, const RECT& R) { Office11FrameSelection(DC, R); }

TColor TdxBarCustomizationFormOffice11Painter::EditFrameColor() { return Office11Color27; }

void TdxBarCustomizationFormOffice11Painter::DrawCaptionText(HDC DC, RECT& R, bool Selected, TdxBarItem* Item,
                                                             const std::string& Text) {
  int Height = R.bottom - R.top;
  R.right += Height + 11;
  Fill(DC, R, BackgroundColor(Selected, Item));
  if (Selected)
    FrameSelected(DC, R);
  else
    PaintTwoStageGradient(DC, RECT{R.left, R.top, R.left + Height, R.bottom}, Office11Color1, Office11Color2, true);
  RECT T = R;
  T.left += Height + 5;
  DrawText(DC, Text, T, TextColor(Selected));
}

void TdxBarCustomizationFormOffice11Painter::DrawDropDownPart(HDC DC, const RECT& R, bool Selected,
                                                              TdxBarItem* Item) {
  if (Selected)
    FrameSelected(DC, R);
  else
    Frame(DC, R, Office11Color15);
  RECT P = R;
  Shrink(P, 1);
  Fill(DC, P, BackgroundColor(Selected, Item));
}

void TdxBarCustomizationFormOffice11Painter::DrawEntryBackground(HDC DC, TdxBarItem* Item, bool Selected,
                                                                 const RECT& ArrowRect, const RECT& StripRect,
                                                                 const RECT& TextRect) {
  Fill(DC, TextRect, BackgroundColor(Selected, Item));
  if (!Selected) PaintTwoStageGradient(DC, StripRect, Office11Color1, Office11Color2, true);
  if (IsDropDownButton(Item)) DrawDropDownPart(DC, ArrowRect, Selected, Item);
}

void TdxBarCustomizationFormOffice11Painter::DrawEntryGlyph(HDC DC, const RECT& StripRect, bool Selected,
                                                            TdxBarItem* Item) {
  TdxBarCustomizationFormPainter::DrawEntryGlyph(DC, StripRect, Selected, Item);
}

TColor TdxBarCustomizationFormOffice11Painter::ComboFillColor(bool Selected, TdxBarItem* Item) {
  (void)Item;
  return Selected ? Office11Color21 : Office11Color27;
}

TColor TdxBarCustomizationFormOffice11Painter::BackgroundColor(bool Selected, TdxBarItem* Item) {
  (void)Item;
  return Selected ? Office11Color21 : Office11Color20;
}

TColor TdxBarCustomizationFormOffice11Painter::TextColor(bool Selected) {
  return Selected && BtnFaceIsWhite() ? clBtnFace : Office11Color31;
}

TColor TdxBarCustomizationFormOffice11Painter::EntryBackColor() { return Office11Color27; }

// ---- TdxBarCustomizationFormXPPainter

void TdxBarCustomizationFormXPPainter::DrawEditFrame(HDC DC, RECT& R, bool Selected) {
  (void)Selected;
  Frame(DC, R, EntryBackColor());
  Shrink(R, 1);
}

void TdxBarCustomizationFormXPPainter::DrawEditInterior(HDC DC, const RECT& R, bool Selected, TdxBarItem* Item) {
  RECT Inner = R;
  Shrink(Inner, 1);
  TdxBarCustomizationFormPainter::DrawEditInterior(DC, Inner, Selected, Item);
  if (!ThemeHandleFor(tokEdit)) return;
  // The themed frame around the interior, which it must not paint over.
  int Saved = SaveDC(DC);
  ExcludeClipRect(DC, Inner.left, Inner.top, Inner.right, Inner.bottom);
  DrawThemed(tokEdit, DC, 1, 1, R);
  RestoreDC(DC, Saved);
}

void TdxBarCustomizationFormXPPainter::DrawDropDownPart(HDC DC, const RECT& R, bool Selected, TdxBarItem* Item) {
  Fill(DC, R, BackgroundColor(false, Item));
  if (!DrawThemed(tokToolBar, DC, 1, 2, R)) TdxBarCustomizationFormPainter::DrawDropDownPart(DC, R, Selected, Item);
}

void TdxBarCustomizationFormXPPainter::DrawEntryGlyph(HDC DC, const RECT& StripRect, bool Selected, TdxBarItem* Item) {
  if (Selected && dynamic_cast<TdxBarButton*>(Item) && DrawThemed(tokToolBar, DC, 1, 2, StripRect)) {
    DrawGlyphCentred(DC, StripRect, Item, nullptr);
    return;
  }
  TdxBarCustomizationFormPainter::DrawEntryGlyph(DC, StripRect, Selected, Item);
}

void TdxBarCustomizationFormXPPainter::DrawComboButton(HDC DC, TdxBarItem* Item, bool Selected, const RECT& R) {
  if (!DrawThemed(tokComboBox, DC, 1, 1, R)) TdxBarCustomizationFormPainter::DrawComboButton(DC, Item, Selected, R);
}

void TdxBarCustomizationFormXPPainter::DrawFocusFrame(HDC DC, const RECT& R, TdxBarItem* Item) {
  RECT F = R;
  if (Item && !dynamic_cast<TdxBarEdit*>(Item) && HasGlyph(Item)) F.left += (R.bottom - R.top) + 1;
  TdxBarCustomizationFormPainter::DrawFocusFrame(DC, F, Item);
}

// ---- choice

TdxBarCustomizationFormPainter* CustomizationFormPainterFor(TClass BarPainterClass) {
  static TdxBarCustomizationFormStandardPainter Standard;
  static TdxBarCustomizationFormFlatPainter Flat;
  static TdxBarCustomizationFormOffice11Painter Office11;
  static TdxBarCustomizationFormXPPainter XP;
  // The exact class decides: a class derived from these draws as the standard one.
  if (BarPainterClass == TdxBarFlatPainter::StaticClass()) return &Flat;
  if (BarPainterClass == TdxBarOffice11Painter::StaticClass()) return &Office11;
  if (BarPainterClass == TdxBarXPPainter::StaticClass()) return &XP;
  return &Standard;
}
