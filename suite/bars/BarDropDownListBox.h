// The list a string combo drops down: a borderless, owner-drawn list box that
// floats above everything as a tool window owned by the form of the combo's bar
// window. It draws as focused without taking the keyboard focus (the combo's edit
// keeps it), tracks the mouse like a menu and lets a press on the combo's button
// be dragged into the list and released over the entry to choose.
#pragma once

#include <windows.h>

#include "framework/ListControls.h"

class TCustomdxBarControl;
class TdxBarCustomCombo;
class TdxBarPainter;

class TdxBarDropDownListBox : public TListBox {
  SONVELT_CLASS(TdxBarDropDownListBox, TListBox)
public:
  explicit TdxBarDropDownListBox(TComponent* AOwner);

  TdxBarCustomCombo* GetCombo() const { return FCombo; }
  void SetCombo(TdxBarCustomCombo* Value) { FCombo = Value; }
  // The bar window the list drops from: it owns the list's window, receives its
  // owner-draw notices and lends its painter. A new one makes the window again.
  TCustomdxBarControl* GetBarControl() const { return FBarControl; }
  void SetBarControl(TCustomdxBarControl* Value);
  TdxBarPainter* GetPainter() const;

  // Set while the press that opened the list is still held and the list has the
  // mouse: moving into the list takes that press, releasing outside only ends it.
  bool GetDragSelecting() const { return FDragSelecting; }
  void StartDragSelect();
  void CancelDragSelect() { FDragSelecting = false; }
  // The list's own index, and each entry's height from the combo.
  int GetListIndex();
  void SetListIndex(int Index);
  void RemeasureItems();

  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;

private:
  void DrawEntry(const DRAWITEMSTRUCT& Item);
  void PaintBorder();
  void MouseMoved(TMessage& Message);
  void ButtonReleased(TMessage& Message);
  TdxBarCustomCombo* FCombo = nullptr;
  TCustomdxBarControl* FBarControl = nullptr;
  bool FDragSelecting = false;
};
