// The element painter: fills the base painter's empty drawing steps by handing
// each element (background, group background and border, caption button, image,
// sign, hint, selection, scroll buttons, drop marks) to a small stateless
// painter. A view changes one element's look by naming another such painter.
#pragma once

#include <windows.h>

#include "framework/Canvas.h"
#include "framework/ImageList.h"
#include "framework/Picture.h"
#include "suite/common/cxCanvas.h"
#include "suite/navbar/NavBarPainter.h"
#include "suite/navbar/NavBarStyles.h"

// The element painters hold nothing; each has one shared instance.
#define DX_ELEMENT_PAINTER(Name)                \
public:                                          \
  static const Name* Instance() {                \
    static const Name I;                         \
    return &I;                                   \
  }

class TdxNavBarCustomImagePainter {
  DX_ELEMENT_PAINTER(TdxNavBarCustomImagePainter)
  virtual ~TdxNavBarCustomImagePainter() = default;
  void DrawImage(TcxCanvas* Canvas, TCustomImageList* ImageList, int ImageIndex, RECT R, bool Enabled) const {
    InternalDrawImage(Canvas, ImageList, ImageIndex, R, Enabled);
  }
  virtual void InternalDrawImage(TcxCanvas* Canvas, TCustomImageList* ImageList, int ImageIndex, const RECT& R,
                                 bool Enabled) const;
};

class TdxNavBarCustomSelectionPainter {
  DX_ELEMENT_PAINTER(TdxNavBarCustomSelectionPainter)
  virtual ~TdxNavBarCustomSelectionPainter() = default;
  void DrawSelection(TcxCanvas* Canvas, RECT R, TColor BackColor, TdxNavBarObjectStates State) const {
    InternalDrawSelection(Canvas, R, BackColor, State);
  }
  virtual void GetSelectionColors(TdxNavBarObjectStates State, TColor BackColor, TColor& FillColor,
                                  TColor& OuterTopLeft, TColor& OuterBottomRight, TColor& InnerTopLeft,
                                  TColor& InnerBottomRight) const;
  virtual void InternalDrawSelection(TcxCanvas* Canvas, const RECT& R, TColor BackColor,
                                     TdxNavBarObjectStates State) const;
  virtual bool IsPressedLook(TdxNavBarObjectStates State) const { return State & (nsPressed | nsSelected); }
};

class TdxNavBarUltraFlatSelectionPainter : public TdxNavBarCustomSelectionPainter {
  DX_ELEMENT_PAINTER(TdxNavBarUltraFlatSelectionPainter)
  void GetSelectionColors(TdxNavBarObjectStates State, TColor BackColor, TColor& FillColor, TColor& OuterTopLeft,
                          TColor& OuterBottomRight, TColor& InnerTopLeft, TColor& InnerBottomRight) const override;
  bool IsPressedLook(TdxNavBarObjectStates State) const override {
    return (State & nsPressed) && !(State & nsSelected);
  }
};

// Tiled picture, erase colour, then a solid fill or a gradient over it.
class TdxNavBarCustomBackgroundPainter {
  DX_ELEMENT_PAINTER(TdxNavBarCustomBackgroundPainter)
  virtual ~TdxNavBarCustomBackgroundPainter() = default;
  void DrawBackground(TcxCanvas* Canvas, RECT R, TPicture* Image, bool EraseBackground, TColor EraseColor,
                      TColor Color1, TColor Color2, std::uint8_t AlphaBlend1, std::uint8_t AlphaBlend2,
                      TdxBarStyleGradientMode GradientMode) const {
    InternalDrawBackground(Canvas, R, Image, EraseBackground, EraseColor, Color1, Color2, AlphaBlend1, AlphaBlend2,
                           GradientMode);
  }
  virtual void InternalDrawBackground(TcxCanvas* Canvas, const RECT& R, TPicture* Image, bool EraseBackground,
                                      TColor EraseColor, TColor Color1, TColor Color2, std::uint8_t AlphaBlend1,
                                      std::uint8_t AlphaBlend2, TdxBarStyleGradientMode GradientMode) const;
};

class TdxNavBarCustomGroupBackgroundPainter {
  DX_ELEMENT_PAINTER(TdxNavBarCustomGroupBackgroundPainter)
  virtual ~TdxNavBarCustomGroupBackgroundPainter() = default;
  void DrawGroupBackground(TcxCanvas* Canvas, RECT R, TPicture* Image, TColor Color1, TColor Color2,
                           std::uint8_t AlphaBlend1, std::uint8_t AlphaBlend2,
                           TdxBarStyleGradientMode GradientMode) const {
    InternalDrawGroupBackground(Canvas, R, Image, Color1, Color2, AlphaBlend1, AlphaBlend2, GradientMode);
  }
  virtual void InternalDrawGroupBackground(TcxCanvas* Canvas, const RECT& R, TPicture* Image, TColor Color1,
                                           TColor Color2, std::uint8_t AlphaBlend1, std::uint8_t AlphaBlend2,
                                           TdxBarStyleGradientMode GradientMode) const;
};

class TdxNavBarCustomGroupBorderPainter {
  DX_ELEMENT_PAINTER(TdxNavBarCustomGroupBorderPainter)
  virtual ~TdxNavBarCustomGroupBorderPainter() = default;
  void DrawBorder(TcxCanvas* Canvas, RECT R, TColor Color, bool WithCaption) const {
    InternalDrawBorder(Canvas, R, Color, WithCaption);
  }
  virtual void InternalDrawBorder(TcxCanvas* Canvas, const RECT& R, TColor Color, bool WithCaption) const {}
};

class TdxNavBarCustomSignPainter {
  DX_ELEMENT_PAINTER(TdxNavBarCustomSignPainter)
  virtual ~TdxNavBarCustomSignPainter() = default;
  void DrawSign(TcxCanvas* Canvas, RECT R, TColor ForeColor, TColor BackColor1, TColor BackColor2,
                TdxNavBarObjectStates State) const {
    InternalDrawSign(Canvas, R, ForeColor, BackColor1, BackColor2, State);
  }
  virtual void InternalDrawSign(TcxCanvas* Canvas, const RECT& R, TColor ForeColor, TColor BackColor1,
                                TColor BackColor2, TdxNavBarObjectStates State) const {}
};

class TdxNavBarCustomHintPainter {
  DX_ELEMENT_PAINTER(TdxNavBarCustomHintPainter)
  virtual ~TdxNavBarCustomHintPainter() = default;
  void DrawHint(TcxCanvas* Canvas, RECT R, const std::string& Text, TPicture* Image, TColor Color1, TColor Color2,
                std::uint8_t AlphaBlend1, std::uint8_t AlphaBlend2, TdxBarStyleGradientMode GradientMode,
                TFont* Font) const {
    InternalDrawHint(Canvas, R, Text, Image, Color1, Color2, AlphaBlend1, AlphaBlend2, GradientMode, Font);
  }
  virtual void InternalDrawHint(TcxCanvas* Canvas, const RECT& R, const std::string& Text, TPicture* Image,
                                TColor Color1, TColor Color2, std::uint8_t AlphaBlend1, std::uint8_t AlphaBlend2,
                                TdxBarStyleGradientMode GradientMode, TFont* Font) const;
};

class TdxNavBarCustomButtonPainter {
  DX_ELEMENT_PAINTER(TdxNavBarCustomButtonPainter)
  virtual ~TdxNavBarCustomButtonPainter() = default;
  void DrawButton(TcxCanvas* Canvas, RECT R, TPicture* Image, TColor Color1, TColor Color2,
                  std::uint8_t AlphaBlend1, std::uint8_t AlphaBlend2, TdxBarStyleGradientMode GradientMode,
                  TColor BorderColor, TdxNavBarObjectStates State) const {
    InternalDrawButton(Canvas, R, Image, Color1, Color2, AlphaBlend1, AlphaBlend2, GradientMode, BorderColor, State);
  }
  virtual void InternalDrawButton(TcxCanvas* Canvas, const RECT& R, TPicture* Image, TColor Color1, TColor Color2,
                                  std::uint8_t AlphaBlend1, std::uint8_t AlphaBlend2,
                                  TdxBarStyleGradientMode GradientMode, TColor BorderColor,
                                  TdxNavBarObjectStates State) const;
};

class TdxNavBarCustomScrollButtonsPainter {
  DX_ELEMENT_PAINTER(TdxNavBarCustomScrollButtonsPainter)
  virtual ~TdxNavBarCustomScrollButtonsPainter() = default;
  void DrawBottomButton(TcxCanvas* Canvas, RECT R, const TdxNavBarCustomButtonPainter* ButtonPainter,
                        TColor Color1, TColor Color2, std::uint8_t AlphaBlend1, std::uint8_t AlphaBlend2,
                        TdxBarStyleGradientMode GradientMode, TColor BorderColor, TdxNavBarObjectStates State) const {
    InternalDrawBottomButton(Canvas, R, ButtonPainter, Color1, Color2, AlphaBlend1, AlphaBlend2, GradientMode,
                             BorderColor, State);
  }
  void DrawTopButton(TcxCanvas* Canvas, RECT R, const TdxNavBarCustomButtonPainter* ButtonPainter, TColor Color1,
                     TColor Color2, std::uint8_t AlphaBlend1, std::uint8_t AlphaBlend2,
                     TdxBarStyleGradientMode GradientMode, TColor BorderColor, TdxNavBarObjectStates State) const {
    InternalDrawTopButton(Canvas, R, ButtonPainter, Color1, Color2, AlphaBlend1, AlphaBlend2, GradientMode,
                          BorderColor, State);
  }
  virtual void InternalDrawBottomButton(TcxCanvas* Canvas, const RECT& R,
                                        const TdxNavBarCustomButtonPainter* ButtonPainter, TColor Color1,
                                        TColor Color2, std::uint8_t AlphaBlend1, std::uint8_t AlphaBlend2,
                                        TdxBarStyleGradientMode GradientMode, TColor BorderColor,
                                        TdxNavBarObjectStates State) const {}
  virtual void InternalDrawTopButton(TcxCanvas* Canvas, const RECT& R,
                                     const TdxNavBarCustomButtonPainter* ButtonPainter, TColor Color1, TColor Color2,
                                     std::uint8_t AlphaBlend1, std::uint8_t AlphaBlend2,
                                     TdxBarStyleGradientMode GradientMode, TColor BorderColor,
                                     TdxNavBarObjectStates State) const {}
};

class TdxNavBarCustomDropTargetLinkPainter {
  DX_ELEMENT_PAINTER(TdxNavBarCustomDropTargetLinkPainter)
  virtual ~TdxNavBarCustomDropTargetLinkPainter() = default;
  void DrawDropTargetLink(TcxCanvas* Canvas, POINT A, POINT B, POINT C, POINT D, POINT E, POINT F,
                          TColor Color) const {
    InternalDrawDropTargetLink(Canvas, A, B, C, D, E, F, Color);
  }
  virtual void InternalDrawDropTargetLink(TcxCanvas* Canvas, POINT A, POINT B, POINT C, POINT D, POINT E, POINT F,
                                          TColor Color) const;
};

class TdxNavBarCustomDropTargetGroupPainter {
  DX_ELEMENT_PAINTER(TdxNavBarCustomDropTargetGroupPainter)
  virtual ~TdxNavBarCustomDropTargetGroupPainter() = default;
  void DrawDropTargetGroup(TcxCanvas* Canvas, RECT R, TColor Color1, TColor Color2, std::uint8_t AlphaBlend1,
                           std::uint8_t AlphaBlend2, TdxBarStyleGradientMode GradientMode) const {
    InternalDrawDropTargetGroup(Canvas, R, Color1, Color2, AlphaBlend1, AlphaBlend2, GradientMode);
  }
  virtual void InternalDrawDropTargetGroup(TcxCanvas* Canvas, const RECT& R, TColor Color1, TColor Color2,
                                           std::uint8_t AlphaBlend1, std::uint8_t AlphaBlend2,
                                           TdxBarStyleGradientMode GradientMode) const;
};

// The blocky gradient used without GDI+: at most 256 x 256 cells. Exposed for tests.
void PaintBlockGradient(HDC DC, const RECT& R, TColor Color1, TColor Color2, TdxBarStyleGradientMode Mode);
// Tests switch GDI+ off to see the fallback.
void SetNavBarGdiPlusAllowed(bool Value);
bool NavBarGdiPlusAllowed();

class TdxNavBarElementPainter : public TdxNavBarPainter {
  SONVELT_CLASS(TdxNavBarElementPainter, TdxNavBarPainter)
public:
  using TdxNavBarPainter::TdxNavBarPainter;

  void DrawHint(TCanvas* Canvas, const RECT& R) override;
  void DrawBackground() override;
  void DrawGroupClientBackground(TdxNavBarGroupViewInfo* G) override;
  void DrawGroupBorder(TdxNavBarGroupViewInfo* G) override;
  void DrawGroupCaptionButton(TdxNavBarGroupViewInfo* G) override;
  void DrawGroupCaptionImage(TdxNavBarGroupViewInfo* G) override;
  void DrawGroupCaptionSign(TdxNavBarGroupViewInfo* G) override;
  void DrawGroupControl(TCanvas* Canvas, const RECT& R, TdxNavBarGroupViewInfo* G) override;
  void DrawLinkImage(TdxNavBarLinkViewInfo* L) override;
  void DrawLinkSelection(TdxNavBarLinkViewInfo* L) override;
  void DrawBottomScrollButton() override;
  void DrawTopScrollButton() override;
  void DrawDropTargetGroupSelection() override;
  void DrawDropTargetLinkSelection() override;

  virtual void DrawDropTargetLinkMark(TdxNavBarGroupViewInfo* G, TdxNavBarLinkViewInfo* Before,
                                      TdxNavBarLinkViewInfo* After);
  virtual const TdxNavBarCustomBackgroundPainter* BackgroundPainterClass() {
    return TdxNavBarCustomBackgroundPainter::Instance();
  }
  virtual const TdxNavBarCustomButtonPainter* ButtonPainterClass() { return TdxNavBarCustomButtonPainter::Instance(); }
  virtual const TdxNavBarCustomDropTargetGroupPainter* DropTargetGroupPainterClass() {
    return TdxNavBarCustomDropTargetGroupPainter::Instance();
  }
  virtual const TdxNavBarCustomDropTargetLinkPainter* DropTargetLinkPainterClass() {
    return TdxNavBarCustomDropTargetLinkPainter::Instance();
  }
  virtual const TdxNavBarCustomGroupBackgroundPainter* GroupBackgroundPainterClass() {
    return TdxNavBarCustomGroupBackgroundPainter::Instance();
  }
  virtual const TdxNavBarCustomGroupBorderPainter* GroupBorderPainterClass() {
    return TdxNavBarCustomGroupBorderPainter::Instance();
  }
  virtual const TdxNavBarCustomImagePainter* ImagePainterClass() { return TdxNavBarCustomImagePainter::Instance(); }
  virtual const TdxNavBarCustomScrollButtonsPainter* ScrollButtonsPainterClass() {
    return TdxNavBarCustomScrollButtonsPainter::Instance();
  }
  virtual const TdxNavBarCustomSelectionPainter* SelectionPainterClass() {
    return TdxNavBarCustomSelectionPainter::Instance();
  }
  virtual const TdxNavBarCustomSignPainter* SignPainterClass() { return TdxNavBarCustomSignPainter::Instance(); }
  virtual const TdxNavBarCustomHintPainter* HintPainterClass() { return TdxNavBarCustomHintPainter::Instance(); }
};
