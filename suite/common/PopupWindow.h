// A borderless, stay-on-top form that opens next to a rectangle of its owner
// (below, above or beside it), flips to the side with more room when it does not
// fit the monitor's work area, sizes itself around its child controls and closes
// when it loses activation.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>

#include "framework/Form.h"
#include "framework/OwnedObject.h"

class TcxCanvas;

enum TcxPopupHorzAlign : std::uint8_t { phaLeft, phaCenter, phaRight };
enum TcxPopupVertAlign : std::uint8_t { pvaTop, pvaCenter, pvaBottom };
// Horizontal: to the left or right of the owner; vertical: above or below it.
enum TcxPopupDirection : std::uint8_t { pdirHorizontal, pdirVertical };
// 0 none, 1 a line in the frame colour, 2 a raised one-pixel edge, 3 a raised two-pixel edge.
enum TcxPopupBorderStyle : std::uint8_t { pbsNone, pbsSingle, pbsRaised, pbsRaised3D };

// The work area of the monitor nearest to a point.
using TcxWorkAreaFunc = std::function<RECT(POINT)>;

// Where a popup of Size opens beside OwnerBounds (screen coordinates): flipped
// along Direction when it runs out of the work area and the other side has more
// room, then held inside the work area across Direction (and along it for a
// centred alignment); the start wins when it is larger than the work area.
POINT CalculatePopupPosition(const RECT& OwnerBounds, SIZE Size, TcxPopupHorzAlign HorzAlign,
                             TcxPopupVertAlign VertAlign, TcxPopupDirection Direction,
                             const TcxWorkAreaFunc& WorkAreaAt);

class TcxPopupWindow : public TForm {
  SONVELT_CLASS(TcxPopupWindow, TForm)
public:
  explicit TcxPopupWindow(TComponent* AOwner);
  static TcxPopupWindow* CreatePopup(TComponent* AOwner) { return Create(AOwner); }
  ~TcxPopupWindow() override;

  // Takes the owner's font, fits itself to its controls and shows at its place.
  virtual void OpenPopup();
  virtual void CloseUp();
  virtual void ComputePosition(POINT& P);
  virtual void FitToControls();
  // Frame thickness plus border space; the same on every side (0 left, 1 top, 2 right, 3 bottom).
  virtual int SideInset(int Side);
  virtual void InnerClientRect(RECT& R);
  virtual int FrameThickness();
  virtual void OwnerScreenBounds(RECT& R);

  bool GetAdjustable() const { return FAdjustable; }
  void SetAdjustable(bool Value) { FAdjustable = Value; }
  TcxPopupHorzAlign GetAlignHorz() const { return FAlignHorz; }
  void SetAlignHorz(TcxPopupHorzAlign Value) { FAlignHorz = Value; }
  TcxPopupVertAlign GetAlignVert() const { return FAlignVert; }
  void SetAlignVert(TcxPopupVertAlign Value) { FAlignVert = Value; }
  int GetBorderSpace() const { return FBorderSpace; }
  void SetBorderSpace(int Value) { FBorderSpace = Value; }
  TcxPopupBorderStyle GetPopupBorderStyle() const { return FPopupBorderStyle; }
  void SetPopupBorderStyle(TcxPopupBorderStyle Value);
  TcxPopupDirection GetDirection() const { return FDirection; }
  void SetDirection(TcxPopupDirection Value) { FDirection = Value; }
  TColor GetFrameColor() const { return FFrameColor; }
  void SetFrameColor(TColor Value);
  // In the owner parent's client coordinates.
  RECT GetOwnerBounds() const { return FOwnerBounds; }
  void SetOwnerBounds(const RECT& Value) { FOwnerBounds = Value; }
  TControl* GetOwnerParent() const { return FOwnerParent; }
  void SetOwnerParent(TControl* Value) { FOwnerParent = Value; }
  TcxCanvas* GetCxCanvas() const { return FCanvas.get(); }
  // Where the work areas come from (the monitors'; tests put their own).
  void SetWorkAreaFunc(TcxWorkAreaFunc Value) { FWorkAreaAt = std::move(Value); }

  void WndProc(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;

protected:
  virtual void InheritOwnerFont();
  virtual void PaintFrame();
  virtual void VisibleChanged() {}
  void Paint() override;
  void Deactivate() override;

private:
  bool FAdjustable = true;
  TcxPopupHorzAlign FAlignHorz = phaLeft;
  TcxPopupVertAlign FAlignVert = pvaBottom;
  int FBorderSpace = 0;
  TcxPopupBorderStyle FPopupBorderStyle = pbsNone;
  TOwned<TcxCanvas> FCanvas;
  TcxPopupDirection FDirection = pdirVertical;
  TColor FFrameColor = clWindowFrame;
  RECT FOwnerBounds{0, 0, 0, 0};
  TControl* FOwnerParent = nullptr;
  HWND FPrevActiveWindow = nullptr;
  TcxWorkAreaFunc FWorkAreaAt;
};
