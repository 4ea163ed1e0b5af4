#include "skins/SkinDrawing.h"

#include <algorithm>
#include <functional>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/Control.h"
#include "framework/Form.h"
#include "framework/ImageList.h"
#include "framework/OwnedObject.h"
#include "framework/WinControl.h"
#include "skins/FastBitmap.h"

namespace {

HDC DCOf(TBitmap* Bitmap) { return Bitmap->GetCanvas()->GetHandle(); }

// Regions are built from at most this many rectangles at a time and joined.
constexpr size_t RegionChunk = 4000;

HRGN RegionFromRects(const std::vector<RECT>& Rects, const RECT& Bounds) {
  HRGN result = nullptr;
  size_t at = 0;
  do {
    const size_t n = std::min(RegionChunk, Rects.size() - at);
    std::vector<uint8_t> data(sizeof(RGNDATAHEADER) + n * sizeof(RECT));
    auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
    header->dwSize = sizeof(RGNDATAHEADER);
    header->iType = RDH_RECTANGLES;
    header->nCount = DWORD(n);
    header->nRgnSize = 0;
    header->rcBound = Bounds;
    if (n) std::copy_n(Rects.begin() + ptrdiff_t(at), n, reinterpret_cast<RECT*>(data.data() + sizeof(RGNDATAHEADER)));
    HRGN part = ExtCreateRegion(nullptr, DWORD(data.size()), reinterpret_cast<RGNDATA*>(data.data()));
    if (!result) {
      result = part;
    } else if (part) {
      CombineRgn(result, result, part, RGN_OR);
      DeleteObject(part);
    }
    at += n;
  } while (at < Rects.size());
  return result;
}

// Each run of black pixels of a row, moved by (DX, DY).
void AddBlackRuns(TFBitmap& Mask, int DX, int DY, std::vector<RECT>& Rects) {
  for (int y = 0; y < Mask.Height; ++y) {
    const uint8_t* row = Mask.Rows[size_t(y)];
    int x = 0;
    while (x < Mask.Width) {
      while (x < Mask.Width && (row[x * 3] | row[x * 3 + 1] | row[x * 3 + 2])) ++x;
      const int start = x;
      while (x < Mask.Width && !(row[x * 3] | row[x * 3 + 1] | row[x * 3 + 2])) ++x;
      if (x > start) Rects.push_back(RECT{start + DX, y + DY, x + DX, y + DY + 1});
    }
  }
}

}  // namespace

bool SkinImageSizeOk(int W, int H) {
  return W >= 0 && H >= 0 && W <= MaxSkinImageSide && H <= MaxSkinImageSide &&
         int64_t(W) * H <= MaxSkinImagePixels;
}

bool SizeSkinBitmap(TBitmap* Bitmap, int W, int H) {
  if (!SkinImageSizeOk(W, H)) return false;
  Bitmap->SetSize(W, H);
  return true;
}

void CopySkinPiece(TBitmap* Target, const RECT& Dest, TBitmap* Picture, const RECT& Source) {
  const int dw = RectWidth(Dest), dh = RectHeight(Dest), sw = RectWidth(Source), sh = RectHeight(Source);
  if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
  // Pieces no picture or control can have come from a damaged skin: the
  // system would have to make images of that size to copy them.
  if (!SkinImageSizeOk(dw, dh) || !SkinImageSizeOk(sw, sh)) return;
  HDC target = DCOf(Target), picture = DCOf(Picture);
  if (dw == sw && dh == sh) {
    BitBlt(target, Dest.left, Dest.top, dw, dh, picture, Source.left, Source.top, SRCCOPY);
  } else {
    SetStretchBltMode(target, COLORONCOLOR);
    StretchBlt(target, Dest.left, Dest.top, dw, dh, picture, Source.left, Source.top, sw, sh, SRCCOPY);
  }
}

void TileSkinPiece(TBitmap* Target, TBitmap* Picture, const RECT& Source, bool Horizontal, int A, int B,
                   int Across0, int Across1) {
  const int p = Horizontal ? RectWidth(Source) : RectHeight(Source);
  // A piece of length 0 would never reach B.
  if (p <= 0) return;
  // Copies outside the target are not made: a span from a hostile skin can be
  // billions of pixels long.
  const int64_t extent = Horizontal ? Target->GetWidth() : Target->GetHeight();
  const int64_t end = std::min<int64_t>(B, extent);
  int64_t at = A;
  if (at < 0) at += (-at) / p * p;
  for (; at < end; at += p) {
    const int n = int(std::min<int64_t>(p, int64_t(B) - at));
    if (Horizontal)
      CopySkinPiece(Target, RECT{int(at), Across0, int(at) + n, Across1}, Picture,
                    RECT{Source.left, Source.top, Source.left + n, Source.bottom});
    else
      CopySkinPiece(Target, RECT{Across0, int(at), Across1, int(at) + n}, Picture,
                    RECT{Source.left, Source.top, Source.right, Source.top + n});
  }
}

void ComposeSkinImage(TBitmap* Target, int W, int H, TBitmap* Picture, const TSkinGeometry& G,
                      const TSkinLayout& L, const TSkinStretch& Stretch, bool DrawClient) {
  if (!SizeSkinBitmap(Target, W, H)) return;
  if (G.RB.x == G.LT.x || G.RB.y == G.LT.y || !Picture || Picture->GetEmpty()) return;
  const RECT& S = G.S;
  const RECT& C = G.C;
  const RECT& NC = L.NC;
  // One frame edge: stretched over its span, or its repeatable part tiled.
  auto edge = [&](const RECT& Src, bool Horizontal, int A, int B, int Across0, int Across1, bool Stretched) {
    if (Stretched)
      CopySkinPiece(Target, Horizontal ? RECT{A, Across0, B, Across1} : RECT{Across0, A, Across1, B}, Picture, Src);
    else
      TileSkinPiece(Target, Picture, Src, Horizontal, A, B, Across0, Across1);
  };
  edge(RECT{S.left + G.LT.x, S.top, S.left + G.RT.x, S.top + C.top}, true, L.NLT.x, L.NRT.x, 0, NC.top,
       Stretch.Top);
  edge(RECT{S.left + G.LB.x, S.top + C.bottom, S.left + G.RB.x, S.bottom}, true, L.NLB.x, L.NRB.x, NC.bottom, H,
       Stretch.Bottom);
  edge(RECT{S.left, S.top + G.LT.y, S.left + C.left, S.top + G.LB.y}, false, L.NLT.y, L.NLB.y, 0, NC.left,
       Stretch.Left);
  edge(RECT{S.left + C.right, S.top + G.RT.y, S.right, S.top + G.RB.y}, false, L.NRT.y, L.NRB.y, NC.right, W,
       Stretch.Right);

  // The eight fixed pieces, unscaled.
  auto fixed = [&](int sx0, int sy0, int sx1, int sy1, int dx, int dy) {
    CopySkinPiece(Target, RECT{dx, dy, dx + sx1 - sx0, dy + sy1 - sy0}, Picture,
                  RECT{S.left + sx0, S.top + sy0, S.left + sx1, S.top + sy1});
  };
  const int sw = RectWidth(S), sh = RectHeight(S);
  fixed(0, 0, G.LT.x, C.top, 0, 0);
  fixed(0, C.top, C.left, G.LT.y, 0, NC.top);
  fixed(G.RT.x, 0, sw, C.top, L.NRT.x, 0);
  fixed(C.right, C.top, sw, G.RT.y, NC.right, NC.top);
  fixed(0, G.LB.y, C.left, sh, 0, L.NLB.y);
  fixed(C.left, C.bottom, G.LB.x, sh, NC.left, NC.bottom);
  fixed(G.RB.x, C.bottom, sw, sh, L.NRB.x, NC.bottom);
  fixed(C.right, G.RB.y, sw, C.bottom, NC.right, L.NRB.y);

  if (!DrawClient) return;
  const RECT client{S.left + C.left, S.top + C.top, S.left + C.right, S.top + C.bottom};
  if (Stretch.Effect && Stretch.Type == spstFull) {
    CopySkinPiece(Target, NC, Picture, client);
  } else if (Stretch.Effect && Stretch.Type == spstHorz) {
    TileSkinPiece(Target, Picture, client, true, NC.left, NC.right, NC.top, NC.bottom);
  } else if (Stretch.Effect) {
    TileSkinPiece(Target, Picture, client, false, NC.top, NC.bottom, NC.left, NC.right);
  } else {
    const int ch = RectHeight(client);
    if (ch <= 0) return;
    for (int y = NC.top; y < NC.bottom; y += ch) {
      const int n = std::min(ch, int(NC.bottom) - y);
      TileSkinPiece(Target, Picture, RECT{client.left, client.top, client.right, client.top + n}, true, NC.left,
                    NC.right, y, y + n);
    }
  }
}

void ComposeSkinImageH(TBitmap* Target, int W, TBitmap* Picture, const RECT& S, int A, int B, bool StretchEffect) {
  const int h = RectHeight(S);
  if (!SizeSkinBitmap(Target, W, h)) return;
  if (!Picture || Picture->GetEmpty()) return;
  CopySkinPiece(Target, RECT{0, 0, A, h}, Picture, RECT{S.left, S.top, S.left + A, S.bottom});
  CopySkinPiece(Target, RECT{W - B, 0, W, h}, Picture, RECT{S.right - B, S.top, S.right, S.bottom});
  if (W - A - B < 0) return;
  RECT middle{S.left + A, S.top, S.right - B, S.bottom};
  if (RectWidth(middle) <= 0) middle.right = middle.left + 1;
  if (StretchEffect) CopySkinPiece(Target, RECT{A, 0, W - B, h}, Picture, middle);
  else TileSkinPiece(Target, Picture, middle, true, A, W - B, 0, h);
}

void ComposeSkinImageV(TBitmap* Target, int H, TBitmap* Picture, const RECT& S, int A, int B, bool StretchEffect) {
  const int w = RectWidth(S);
  if (!SizeSkinBitmap(Target, w, H)) return;
  if (!Picture || Picture->GetEmpty()) return;
  CopySkinPiece(Target, RECT{0, 0, w, A}, Picture, RECT{S.left, S.top, S.right, S.top + A});
  CopySkinPiece(Target, RECT{0, H - B, w, H}, Picture, RECT{S.left, S.bottom - B, S.right, S.bottom});
  if (H - A - B < 0) return;
  const RECT middle{S.left, S.top + A, S.right, S.bottom - B};
  if (StretchEffect) CopySkinPiece(Target, RECT{0, A, w, H - B}, Picture, middle);
  else TileSkinPiece(Target, Picture, middle, false, A, H - B, 0, w);
}

void StretchSkinFrame(TBitmap* Target, TBitmap* Picture, const RECT& S, const RECT& C) {
  const int W = Target->GetWidth(), H = Target->GetHeight();
  const int dw = W - RectWidth(S), dh = H - RectHeight(S);
  TSkinGeometry g{S, C, POINT{C.left, C.top}, POINT{C.right, C.top}, POINT{C.left, C.bottom},
                  POINT{C.right, C.bottom}};
  TSkinLayout l{g.LT, POINT{g.RT.x + dw, g.RT.y}, POINT{g.LB.x, g.LB.y + dh}, POINT{g.RB.x + dw, g.RB.y + dh},
                RECT{C.left, C.top, C.right + dw, C.bottom + dh}};
  ComposeSkinImage(Target, W, H, Picture, g, l, TSkinStretch{true, true, true, true, true, spstFull}, true);
}

HRGN RegionFromMask(TBitmap* Mask, int DX, int DY) {
  if (!Mask || Mask->GetEmpty()) return nullptr;
  TFBitmap scan(Mask->GetHandle());
  if (!scan.Handle) return nullptr;
  std::vector<RECT> rects;
  AddBlackRuns(scan, DX, DY, rects);
  return RegionFromRects(rects, RECT{DX, DY, DX + scan.Width, DY + scan.Height});
}

HRGN RegionFromMaskBorders(TBitmap* Mask, const TSkinGeometry& G, const TSkinLayout& L, int W, int H) {
  if (!Mask || Mask->GetEmpty()) return nullptr;
  if (L.NRT.x < L.NLT.x || L.NLB.y < L.NLT.y) return nullptr;
  const int mw = Mask->GetWidth(), mh = Mask->GetHeight();
  const RECT& C = G.C;
  const RECT& NC = L.NC;
  const int nch = RectHeight(NC);
  std::vector<RECT> rects;
  if (!IsNullRect(NC)) rects.push_back(NC);
  auto strip = [&](int w, int h, int dx, int dy, auto&& Draw) {
    if (w <= 0 || h <= 0) return;
    auto bitmap = MakeOwned<TBitmap>();
    bitmap->SetPixelFormat(pf24bit);
    if (!SizeSkinBitmap(bitmap.get(), w, h)) return;
    PatBlt(DCOf(bitmap.get()), 0, 0, w, h, WHITENESS);
    Draw(bitmap.get());
    TFBitmap scan(bitmap->GetHandle());
    if (scan.Handle) AddBlackRuns(scan, dx, dy, rects);
  };
  auto copy = [&](TBitmap* To, int sx0, int sy0, int sx1, int sy1, int dx, int dy) {
    CopySkinPiece(To, RECT{dx, dy, dx + sx1 - sx0, dy + sy1 - sy0}, Mask, RECT{sx0, sy0, sx1, sy1});
  };
  strip(W, C.top, 0, 0, [&](TBitmap* b) {
    TileSkinPiece(b, Mask, RECT{G.LT.x, 0, G.RT.x, C.top}, true, L.NLT.x, L.NRT.x, 0, C.top);
    copy(b, 0, 0, G.LT.x, C.top, 0, 0);
    copy(b, G.RT.x, 0, mw, C.top, L.NRT.x, 0);
  });
  strip(W, mh - C.bottom, 0, NC.bottom, [&](TBitmap* b) {
    TileSkinPiece(b, Mask, RECT{G.LB.x, C.bottom, G.RB.x, mh}, true, L.NLB.x, L.NRB.x, 0, mh - C.bottom);
    copy(b, 0, C.bottom, G.LB.x, mh, 0, 0);
    copy(b, G.RB.x, C.bottom, mw, mh, L.NRB.x, 0);
  });
  strip(C.left, nch, 0, NC.top, [&](TBitmap* b) {
    TileSkinPiece(b, Mask, RECT{0, G.LT.y, C.left, G.LB.y}, false, 0, nch, 0, C.left);
    copy(b, 0, C.top, C.left, G.LT.y, 0, 0);
    copy(b, 0, G.LB.y, C.left, C.bottom, 0, nch - (C.bottom - G.LB.y));
  });
  strip(mw - C.right, nch, NC.right, NC.top, [&](TBitmap* b) {
    TileSkinPiece(b, Mask, RECT{C.right, G.RT.y, mw, G.RB.y}, false, 0, nch, 0, mw - C.right);
    copy(b, C.right, C.top, mw, G.RT.y, 0, 0);
    copy(b, C.right, G.RB.y, mw, C.bottom, 0, nch - (C.bottom - G.RB.y));
  });
  return RegionFromRects(rects, RECT{0, 0, W, H});
}

void DrawParentBackground(TControl* Control, TCanvas* Canvas) {
  TWinControl* parent = Control ? Control->GetParent() : nullptr;
  if (!parent) return;
  HDC dc = Canvas->GetHandle();
  parent->SetControlState(parent->GetControlState() + csPaintCopy);
  const RECT bounds = Control->GetBoundsRect();
  POINT origin{};
  {
    const int saved = SaveDC(dc);
    GetViewportOrgEx(dc, &origin);
    SetViewportOrgEx(dc, origin.x - bounds.left, origin.y - bounds.top, nullptr);
    const RECT client = parent->GetClientRect();
    IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
    auto* form = dynamic_cast<TCustomForm*>(parent);
    if (form && form->GetFormStyle() == fsMDIForm && form->GetClientHandle()) {
      SendMessageW(form->GetClientHandle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    } else {
      parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(dc));
      if (!form) parent->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    }
    RestoreDC(dc, saved);
  }
  for (int i = 0; i < parent->GetControlCount(); ++i) {
    TControl* sibling = parent->GetControl(i);
    if (sibling == Control) break;
    if (sibling->HasOwnWindow() || !sibling->GetVisible()) continue;
    const RECT r = sibling->GetBoundsRect();
    RECT overlap;
    if (!IntersectRect(&overlap, &r, &bounds)) continue;
    sibling->SetControlState(sibling->GetControlState() + csPaintCopy);
    const int saved = SaveDC(dc);
    SetViewportOrgEx(dc, origin.x + r.left - bounds.left, origin.y + r.top - bounds.top, nullptr);
    IntersectClipRect(dc, 0, 0, RectWidth(r), RectHeight(r));
    sibling->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    RestoreDC(dc, saved);
    sibling->SetControlState(sibling->GetControlState() - csPaintCopy);
  }
  parent->SetControlState(parent->GetControlState() - csPaintCopy);
}

void LayoutGlyphAndCaption(const RECT& R, int Layout, int Margin, int Spacing, int GlyphW, int GlyphH, int TextW,
                           int TextH, POINT& GlyphPos, POINT& TextPos) {
  const int s = GlyphW == 0 ? 0 : Spacing;
  const int cx = R.left + RectWidth(R) / 2, cy = R.top + RectHeight(R) / 2;
  const int hw = (GlyphW + TextW + s) / 2, hh = (GlyphH + TextH + s) / 2;
  GlyphPos = POINT{cx - GlyphW / 2, cy - GlyphH / 2};
  TextPos = POINT{cx - TextW / 2, cy - TextH / 2};
  const bool centred = Margin == -1;
  switch (Layout) {
    case 0:
      GlyphPos.x = centred ? cx - hw : R.left + Margin;
      TextPos.x = centred ? cx + hw - TextW : R.left + Margin + GlyphW + s;
      break;
    case 1:
      if (centred) {
        TextPos.x = cx - hw;
        GlyphPos.x = cx + hw - GlyphW;
      } else {
        GlyphPos.x = R.right - GlyphW - Margin;
        TextPos.x = GlyphPos.x - s - TextW;
      }
      break;
    case 2:
      GlyphPos.y = centred ? cy - hh : R.top + Margin;
      TextPos.y = centred ? cy + hh - TextH : GlyphPos.y + GlyphH + s;
      break;
    default:
      if (centred) {
        GlyphPos.y = cy + hh - GlyphH;
        TextPos.y = cy - hh;
      } else {
        GlyphPos.y = R.bottom - GlyphH - Margin;
        TextPos.y = GlyphPos.y - s - TextH;
      }
      break;
  }
}

namespace {

SIZE MeasureCaption(TCanvas* Canvas, const std::string& Caption, const RECT& R, int Layout, int GlyphW,
                    int GlyphH) {
  if (Caption.empty()) return SIZE{0, 0};
  RECT box{0, 0, RectWidth(R), RectHeight(R)};
  if (Layout <= 1) box.right -= GlyphW;
  else box.bottom -= GlyphH;
  std::string text = Caption;
  Canvas->TextRect(box, text, TTextFormat{tfCalcRect, tfWordBreak, tfExpandTabs});
  return SIZE{RectWidth(box), RectHeight(box)};
}

void DrawGlyphAndCaption(TCanvas* Canvas, const RECT& R, int Margin, TColor UnderlineColor, bool Underline,
                         bool Pressed, int GlyphW, int GlyphH, const std::string& Caption, int Layout, int Spacing,
                         const std::function<void(int, int)>& DrawGlyph) {
  const SIZE text = MeasureCaption(Canvas, Caption, R, Layout, GlyphW, GlyphH);
  Canvas->GetBrush()->SetStyle(bsClear);
  POINT glyph, caption;
  LayoutGlyphAndCaption(R, Layout, Margin, Spacing, GlyphW, GlyphH, text.cx, text.cy, glyph, caption);
  if (Pressed) {
    ++glyph.x, ++glyph.y, ++caption.x, ++caption.y;
  }
  if (!Caption.empty()) {
    RECT box{caption.x, caption.y, caption.x + text.cx + 2, caption.y + text.cy};
    std::string s = Caption;
    Canvas->TextRect(box, s, TTextFormat{tfWordBreak, tfCenter});
  }
  if (GlyphW > 0) DrawGlyph(glyph.x, glyph.y);
  if (!Underline) return;
  Canvas->GetPen()->SetColor(UnderlineColor);
  RECT under;
  if (GlyphW > 0) under = RECT{glyph.x, glyph.y + GlyphH + 1, glyph.x + GlyphW, glyph.y + GlyphH + 4};
  else if (!Caption.empty()) under = RECT{caption.x, caption.y + text.cy + 1, caption.x + text.cx, caption.y + text.cy + 4};
  else {
    Canvas->GetBrush()->SetColor(UnderlineColor);
    Canvas->FillRect(RECT{R.left + 2, R.bottom - 5, R.right - 2, R.bottom - 2});
    return;
  }
  for (int y = under.top; y < under.bottom; ++y) {
    Canvas->MoveTo(under.left, y);
    Canvas->LineTo(under.right, y);
  }
}

}  // namespace

void DrawImageGlyphAndCaption(TCanvas* Canvas, const RECT& R, int Margin, TColor UnderlineColor, bool Underline,
                              bool Enabled, bool Pressed, TCustomImageList* Images, int ImageIndex,
                              const std::string& Caption, int Layout, int Spacing) {
  const bool glyph = Images && ImageIndex >= 0 && ImageIndex < Images->GetCount();
  DrawGlyphAndCaption(Canvas, R, Margin, UnderlineColor, Underline, Pressed, glyph ? Images->GetWidth() : 0,
                      glyph ? Images->GetHeight() : 0, Caption, Layout, Spacing,
                      [&](int X, int Y) { Images->Draw(Canvas, X, Y, ImageIndex, Enabled); });
}

void DrawBitmapGlyphAndCaption(TCanvas* Canvas, const RECT& R, int Margin, TColor UnderlineColor, bool Underline,
                               bool Pressed, TBitmap* Glyph, int NumGlyphs, int GlyphState,
                               const std::string& Caption, int Layout, int Spacing) {
  const bool glyph = Glyph && !Glyph->GetEmpty() && NumGlyphs > 0;
  DrawGlyphAndCaption(Canvas, R, Margin, UnderlineColor, Underline, Pressed,
                      glyph ? Glyph->GetWidth() / NumGlyphs : 0, glyph ? Glyph->GetHeight() : 0, Caption, Layout,
                      Spacing, [&](int X, int Y) { DrawGlyphState(Canvas, X, Y, GlyphState, NumGlyphs, Glyph); });
}

void DrawGlyphState(TCanvas* Canvas, int X, int Y, int K, int N, TBitmap* Strip) {
  if (!Strip || Strip->GetEmpty() || N <= 0) return;
  const int w = Strip->GetWidth() / N, h = Strip->GetHeight();
  if (w <= 0 || K < 1 || K > N) return;
  auto state = MakeOwned<TBitmap>();
  state->SetSize(w, h);
  CopySkinPiece(state.get(), RECT{0, 0, w, h}, Strip, RECT{(K - 1) * w, 0, K * w, h});
  state->SetTransparent(true);
  Canvas->Draw(X, Y, state.get());
}

void DrawSkinText(TCanvas* Canvas, const std::string& Text, const RECT& R) {
  RECT box = R;
  std::string s = Text;
  Canvas->TextRect(box, s, TTextFormat{tfSingleLine, tfVerticalCenter, tfLeft});
}

void DrawCheckSquare(TCanvas* Canvas, int X, int Y, TColor Color) {
  Canvas->GetPen()->SetColor(Color);
  Canvas->GetBrush()->SetStyle(bsSolid);
  Canvas->GetBrush()->SetColor(Color);
  Canvas->Rectangle(X, Y, X + 6, Y + 6);
}

void DrawCheckMark(TCanvas* Canvas, int X, int Y, TColor Color) {
  Canvas->GetPen()->SetColor(Color);
  for (int i = 0; i < 3; ++i) {
    Canvas->MoveTo(X, Y + 5 - i);
    Canvas->LineTo(X + 2, Y + 7 - i);
    Canvas->LineTo(X + 7, Y + 2 - i);
  }
}
