// Text boxes over the system EDIT class: single-line (TEdit, with an optional
// number-only style) and multi-line (TMemo, its text as Lines).
#pragma once

#include <memory>

#include "framework/OwnedObject.h"
#include "framework/StringLists.h"
#include "framework/WinControl.h"

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

class TCustomEdit : public TWinControl {
  SONVELT_CLASS(TCustomEdit, TWinControl)
public:
  explicit TCustomEdit(TComponent* AOwner);
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  int GetMaxLength() const { return FMaxLength; }
  void SetMaxLength(int Value);
  bool GetNumbersOnly() const { return FNumbersOnly; }
  void SetNumbersOnly(bool Value);
  bool GetBorder() const { return FBorder; }
  void SetBorder(bool Value);
  TEditCharCase GetCharCase() const { return FCharCase; }
  void SetCharCase(TEditCharCase Value);
  bool GetModified();
  void SetModified(bool Value);
  int GetSelStart();
  void SetSelStart(int Value);
  int GetSelLength();
  void SetSelLength(int Value);
  std::string GetSelText();
  void SetSelText(const std::string& Value);
  void SelectAll();
  void Clear() { SetText(""); }
  void Dispatch(TMessage& Message) override;
  TNotifyEvent OnChange;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  virtual void Change() { OnChange(this); }

private:
  void SetStyleBit(DWORD Bit, bool On);
  bool FReadOnly = false;
  int FMaxLength = 0;
  bool FNumbersOnly = false;
  bool FBorder = true;
  TEditCharCase FCharCase = ecNormal;
};

class TEdit : public TCustomEdit {
  SONVELT_CLASS(TEdit, TCustomEdit)
public:
  explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) { SetBounds(0, 0, 121, 21); }
};

class TMemo : public TCustomEdit {
  SONVELT_CLASS(TMemo, TCustomEdit)
public:
  explicit TMemo(TComponent* AOwner);
  ~TMemo() override;
  // The lines of the text; changing them changes the text.
  TStrings* GetLines() const { return FLines.get(); }
  void SetLines(TStrings* Value) { FLines->Assign(Value); }
  TScrollStyle GetScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  bool GetWantReturns() const { return FWantReturns; }
  void SetWantReturns(bool Value) { FWantReturns = Value; }
  bool GetWantTabs() const { return FWantTabs; }
  void SetWantTabs(bool Value) { FWantTabs = Value; }
  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;

private:
  TOwned<TStrings> FLines;
  TScrollStyle FScrollBars = ssNone;
  bool FWordWrap = true;
  bool FWantReturns = true;
  bool FWantTabs = false;
};
