// How the Customize dialog draws its command rows, the bars list's check boxes
// and the focus frame, so that each command looks roughly as on a bar of the
// manager's style: a glyph in a square strip at the left, the caption 5 pixels
// after it, an arrow part for drop-down buttons, edit and combo boxes with their
// caption. One shared, stateless painter per style, chosen by the exact class of
// the manager's bar painter; the themed one draws its toolbar, combo and edit
// parts plainly while visual styles are off.
#pragma once

#include <windows.h>

#include <string>

#include "framework/Colors.h"
#include "framework/Object.h"
#include "suite/bars/BarTypes.h"

class TdxBarItem;

class TdxBarCustomizationFormPainter : public TObject {
  SONVELT_CLASS(TdxBarCustomizationFormPainter, TObject)
public:
  // The caption cell of an edit row; R.left moves to the cell's end.
  virtual void DrawCaptionCell(HDC DC, RECT& R, bool Selected, TdxBarItem* Item);
  virtual void DrawEditFrame(HDC DC, RECT& R, bool Selected);
  virtual void DrawEditBox(HDC DC, const RECT& R, bool WithButton, bool Selected, TdxBarItem* Item);
  // R.right reports the filled cell's right edge.
  virtual void DrawCaptionText(HDC DC, RECT& R, bool Selected, TdxBarItem* Item, const std::string& Text);
  virtual void DrawEditInterior(HDC DC, const RECT& R, bool Selected, TdxBarItem* Item);
  // The glyph strip (a square at the left), the caption (5 pixels after the strip,
  // ending 13 pixels early for a drop-down button) and the arrow part after it.
  virtual void CalcEntryRects(TdxBarItem* Item, const RECT& R, RECT& ArrowRect, RECT& TextRect, RECT& StripRect);
  virtual void DrawDropDownPart(HDC DC, const RECT& R, bool Selected, TdxBarItem* Item);
  virtual void DrawEntryBackground(HDC DC, TdxBarItem* Item, bool Selected, const RECT& ArrowRect,
                                   const RECT& StripRect, const RECT& TextRect);
  virtual void DrawEntryGlyph(HDC DC, const RECT& StripRect, bool Selected, TdxBarItem* Item);
  virtual void DrawSubArrow(HDC DC, int X, bool White, int Y);
  virtual void DrawButtonEntry(HDC DC, const RECT& R, bool Selected, const std::string& Caption, TdxBarItem* Item);
  virtual void DrawCheckBox(HDC DC, const RECT& R, bool Enabled, bool Checked);
  virtual void DrawComboButton(HDC DC, TdxBarItem* Item, bool Selected, const RECT& R);
  virtual void DrawEditEntry(HDC DC, const RECT& R, bool Selected, bool WithButton, TdxBarItem* Item);
  virtual void DrawFocusFrame(HDC DC, const RECT& R, TdxBarItem* Item);
  virtual TColor BackgroundColor(bool Selected, TdxBarItem* Item);
  virtual TColor TextColor(bool Selected);
  virtual TColor EntryBackColor() { return clBtnFace; }
  virtual TColor StripColor(bool Selected, TdxBarItem* Item) { return BackgroundColor(Selected, Item); }
  virtual int EntryHeight() { return 22; }
  virtual int ComboButtonWidth() { return 12; }

protected:
  static void Fill(HDC DC, const RECT& R, TColor Color);
  static void Frame(HDC DC, const RECT& R, TColor Color);
  void DrawFocusRectIn(HDC DC, const RECT& R);
};

class TdxBarCustomizationFormStandardPainter : public TdxBarCustomizationFormPainter {
  SONVELT_CLASS(TdxBarCustomizationFormStandardPainter, TdxBarCustomizationFormPainter)
public:
  void DrawFocusFrame(HDC DC, const RECT& R, TdxBarItem* Item) override;
};

class TdxBarCustomizationFormFlatPainter : public TdxBarCustomizationFormPainter {
  SONVELT_CLASS(TdxBarCustomizationFormFlatPainter, TdxBarCustomizationFormPainter)
public:
  void DrawEditFrame(HDC DC, RECT& R, bool Selected) override;
  void DrawCaptionText(HDC DC, RECT& R, bool Selected, TdxBarItem* Item, const std::string& Text) override;
  void DrawDropDownPart(HDC DC, const RECT& R, bool Selected, TdxBarItem* Item) override;
  void DrawEntryGlyph(HDC DC, const RECT& StripRect, bool Selected, TdxBarItem* Item) override;
  void DrawButtonEntry(HDC DC, const RECT& R, bool Selected, const std::string& Caption, TdxBarItem* Item) override;
  void DrawComboButton(HDC DC, TdxBarItem* Item, bool Selected, const RECT& R) override;
  void DrawFocusFrame(HDC DC, const RECT& R, TdxBarItem* Item) override { (void)DC, (void)R, (void)Item; }
  TColor BackgroundColor(bool Selected, TdxBarItem* Item) override;
  TColor TextColor(bool Selected) override;
  TColor StripColor(bool Selected, TdxBarItem* Item) override { (void)Selected; return BackgroundColor(true, Item); }

protected:
  // The selection frame of this style.
  virtual void FrameSelected(HDC DC, const RECT& R);
  // The edit box's frame when not selected.
  virtual TColor EditFrameColor() { return clBtnShadow; }
  // The combo button's frame when not selected, and its face.
  virtual TColor ComboFrameColor() { return clBtnHighlight; }
  virtual TColor ComboFillColor(bool Selected, TdxBarItem* Item);
};

class TdxBarCustomizationFormOffice11Painter : public TdxBarCustomizationFormFlatPainter {
  SONVELT_CLASS(TdxBarCustomizationFormOffice11Painter, TdxBarCustomizationFormFlatPainter)
public:
  void DrawCaptionText(HDC DC, RECT& R, bool Selected, TdxBarItem* Item, const std::string& Text) override;
  void DrawDropDownPart(HDC DC, const RECT& R, bool Selected, TdxBarItem* Item) override;
  void DrawEntryBackground(HDC DC, TdxBarItem* Item, bool Selected, const RECT& ArrowRect, const RECT& StripRect,
                           const RECT& TextRect) override;
  void DrawEntryGlyph(HDC DC, const RECT& StripRect, bool Selected, TdxBarItem* Item) override;
  TColor BackgroundColor(bool Selected, TdxBarItem* Item) override;
  TColor TextColor(bool Selected) override;
  TColor EntryBackColor() override;

protected:
  void FrameSelected(HDC DC, const RECT& R) override;
  TColor EditFrameColor() override;
  TColor ComboFrameColor() override { return clWindow; }
  TColor ComboFillColor(bool Selected, TdxBarItem* Item) override;
};

class TdxBarCustomizationFormXPPainter : public TdxBarCustomizationFormPainter {
  SONVELT_CLASS(TdxBarCustomizationFormXPPainter, TdxBarCustomizationFormPainter)
public:
  void DrawEditFrame(HDC DC, RECT& R, bool Selected) override;
  void DrawEditInterior(HDC DC, const RECT& R, bool Selected, TdxBarItem* Item) override;
  void DrawDropDownPart(HDC DC, const RECT& R, bool Selected, TdxBarItem* Item) override;
  void DrawEntryGlyph(HDC DC, const RECT& StripRect, bool Selected, TdxBarItem* Item) override;
  void DrawComboButton(HDC DC, TdxBarItem* Item, bool Selected, const RECT& R) override;
  void DrawFocusFrame(HDC DC, const RECT& R, TdxBarItem* Item) override;
  int ComboButtonWidth() override { return 13; }
};

// The shared row painter for a bar painter class: the flat, the gradient and the
// themed bar painters have their own, every other class the standard one.
TdxBarCustomizationFormPainter* CustomizationFormPainterFor(TClass BarPainterClass);
