// Controls that show or pick a value in a range, over the system classes: the
// track bar, the up-down arrows, the progress bar and the scroll bar. A scroll bar's
// OnChange runs on every change of Position, by the user or by the program.
#pragma once

#include "framework/WinControl.h"

enum TTrackBarOrientation { trHorizontal, trVertical };
enum TTickStyle { tsNone, tsAuto, tsManual };

class TTrackBar : public TWinControl {
  SONVELT_CLASS(TTrackBar, TWinControl)
public:
  explicit TTrackBar(TComponent* AOwner);
  int GetMin() const { return FMin; }
  void SetMin(int Value) { SetRange(Value, FMax); }
  int GetMax() const { return FMax; }
  void SetMax(int Value) { SetRange(FMin, Value); }
  void SetRange(int AMin, int AMax);
  int GetPosition();
  void SetPosition(int Value);
  int GetFrequency() const { return FFrequency; }
  void SetFrequency(int Value);
  int GetLineSize() const { return FLineSize; }
  void SetLineSize(int Value);
  int GetPageSize() const { return FPageSize; }
  void SetPageSize(int Value);
  TTrackBarOrientation GetOrientation() const { return FOrientation; }
  void SetOrientation(TTrackBarOrientation Value);
  TTickStyle GetTickStyle() const { return FTickStyle; }
  void SetTickStyle(TTickStyle Value);
  void Dispatch(TMessage& Message) override;
  TNotifyEvent OnChange;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;

private:
  void Changed();
  int FMin = 0, FMax = 10, FPosition = 0, FFrequency = 1, FLineSize = 1, FPageSize = 2;
  TTrackBarOrientation FOrientation = trHorizontal;
  TTickStyle FTickStyle = tsAuto;
};

enum TUDBtnType { btNext, btPrev };
enum TUDAlignButton { udLeft, udRight };
using TUDClickEvent = TDelegate<void(TObject* Sender, TUDBtnType Button)>;
using TUDChangingEvent = TDelegate<void(TObject* Sender, bool& AllowChange)>;

class TUpDown : public TWinControl {
  SONVELT_CLASS(TUpDown, TWinControl)
public:
  explicit TUpDown(TComponent* AOwner);
  int GetMin() const { return FMin; }
  void SetMin(int Value);
  int GetMax() const { return FMax; }
  void SetMax(int Value);
  int GetPosition();
  void SetPosition(int Value);
  int GetIncrement() const { return FIncrement; }
  void SetIncrement(int Value);
  bool GetWrap() const { return FWrap; }
  void SetWrap(bool Value);
  TWinControl* GetAssociate() const { return FAssociate; }
  // The buddy window shows the position and sits beside the arrows.
  void SetAssociate(TWinControl* Value);
  void Dispatch(TMessage& Message) override;
  TUDClickEvent OnClick;
  TUDChangingEvent OnChanging;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  int FMin = 0, FMax = 100, FPosition = 0, FIncrement = 1;
  bool FWrap = false;
  TWinControl* FAssociate = nullptr;
};

class TProgressBar : public TWinControl {
  SONVELT_CLASS(TProgressBar, TWinControl)
public:
  explicit TProgressBar(TComponent* AOwner);
  int GetMin() const { return FMin; }
  void SetMin(int Value);
  int GetMax() const { return FMax; }
  void SetMax(int Value);
  int GetPosition();
  void SetPosition(int Value);
  int GetStep() const { return FStep; }
  void SetStep(int Value);
  void StepIt();
  void StepBy(int Delta) { SetPosition(GetPosition() + Delta); }

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;

private:
  int FMin = 0, FMax = 100, FPosition = 0, FStep = 10;
};

enum TScrollBarKind { sbHorizontal, sbVertical };
enum TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll };
using TScrollEvent = TDelegate<void(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos)>;

class TScrollBar : public TWinControl {
  SONVELT_CLASS(TScrollBar, TWinControl)
public:
  explicit TScrollBar(TComponent* AOwner);
  TScrollBarKind GetKind() const { return FKind; }
  void SetKind(TScrollBarKind Value);
  int GetMin() const { return FMin; }
  void SetMin(int Value) { SetParams(FPosition, Value, FMax); }
  int GetMax() const { return FMax; }
  void SetMax(int Value) { SetParams(FPosition, FMin, Value); }
  int GetPosition() const { return FPosition; }
  void SetPosition(int Value) { SetParams(Value, FMin, FMax); }
  // Range and position at once; Position is kept within the range.
  void SetParams(int APosition, int AMin, int AMax);
  int GetPageSize() const { return FPageSize; }
  void SetPageSize(int Value);
  int GetSmallChange() const { return FSmallChange; }
  void SetSmallChange(int Value) { FSmallChange = Value; }
  int GetLargeChange() const { return FLargeChange; }
  void SetLargeChange(int Value) { FLargeChange = Value; }
  void Dispatch(TMessage& Message) override;
  TNotifyEvent OnChange;
  TScrollEvent OnScroll;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  virtual void Change() { OnChange(this); }
  virtual void Scroll(TScrollCode ScrollCode, int& ScrollPos) { OnScroll(this, ScrollCode, ScrollPos); }

private:
  void UpdateWindow();
  void DoScroll(TMessage& Message);
  TScrollBarKind FKind = sbHorizontal;
  int FMin = 0, FMax = 100, FPosition = 0, FPageSize = 0, FSmallChange = 1, FLargeChange = 1;
};
