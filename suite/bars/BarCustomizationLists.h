// The Customize dialog's three lists (toolbars, categories, commands) kept in step
// with the bar manager. Each helper takes over its list box's window procedure for
// the dialog's registered messages, draws the rows and handles the mouse and keys,
// and gives the window procedure back when it goes.
#pragma once

#include "framework/ListControls.h"
#include "suite/bars/BarTypes.h"

class TdxBarCustomCustomizationForm;
class TdxBarCustomizationFormPainter;

// A list box whose rows its helper draws (fixed height).
class TdxBarCustomizationListBox : public TListBox {
  SONVELT_CLASS(TdxBarCustomizationListBox, TListBox)
public:
  explicit TdxBarCustomizationListBox(TComponent* AOwner) : TListBox(AOwner) {}
  int GetItemHeight() const { return FItemHeight; }
  void SetItemHeight(int Value);
  // The row under a client point; -1 below the last row.
  int ItemAtPos(POINT P);
  RECT ItemRect(int Row);

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;

private:
  int FItemHeight = 16;
};

class TdxBarCustomizationFormListBoxHelper : public TObject {
  SONVELT_CLASS(TdxBarCustomizationFormListBoxHelper, TObject)
public:
  TdxBarCustomizationFormListBoxHelper(TdxBarCustomCustomizationForm* AOwner, TListBox* AListBox);
  ~TdxBarCustomizationFormListBoxHelper() override;
  virtual void WndProc(TMessage& Message);
  TdxBarManager* Manager() const;
  TdxBarCustomizationFormPainter* PainterClass() const;
  TListBox* GetListBox() const { return FListBox; }
  void PushSelection(TObject* Sender);

protected:
  TdxBarCustomizationListBox* OwnerDrawn() const { return dynamic_cast<TdxBarCustomizationListBox*>(FListBox); }
  bool InDesign() const;
  TListBox* FListBox;
  TWndMethod FSavedListBoxProc;
  TdxBarCustomCustomizationForm* FOwner;
};

class TdxBarCustomizationFormBarListHelper : public TdxBarCustomizationFormListBoxHelper {
  SONVELT_CLASS(TdxBarCustomizationFormBarListHelper, TdxBarCustomizationFormListBoxHelper)
public:
  TdxBarCustomizationFormBarListHelper(TdxBarCustomCustomizationForm* AOwner, TListBox* AListBox);
  void WndProc(TMessage& Message) override;

private:
  void DrawRow(const DRAWITEMSTRUCT& Item);
  void MouseDown(POINT P, bool Double);
};

class TdxBarCustomizationFormCategoryListHelper : public TdxBarCustomizationFormListBoxHelper {
  SONVELT_CLASS(TdxBarCustomizationFormCategoryListHelper, TdxBarCustomizationFormListBoxHelper)
public:
  TdxBarCustomizationFormCategoryListHelper(TdxBarCustomCustomizationForm* AOwner, TListBox* AListBox);
  void WndProc(TMessage& Message) override;

private:
  void CategoryClick(TObject* Sender);
};

class TdxBarCustomizationFormItemsListHelper : public TdxBarCustomizationFormListBoxHelper {
  SONVELT_CLASS(TdxBarCustomizationFormItemsListHelper, TdxBarCustomizationFormListBoxHelper)
public:
  TdxBarCustomizationFormItemsListHelper(TdxBarCustomCustomizationForm* AOwner, TListBox* AListBox);
  void WndProc(TMessage& Message) override;

private:
  void DrawRow(const DRAWITEMSTRUCT& Item);
  void MouseDown(POINT P, bool Right);
  void ItemDblClick(TObject* Sender);
};
