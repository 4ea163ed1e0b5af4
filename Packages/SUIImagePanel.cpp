#include "Packages/SUIImagePanel.h"

#include <algorithm>

#include "framework/Bitmap.h"
#include "framework/ClassRegistry.h"
#include "framework/DrawingHelpers.h"
#include "framework/OwnedObject.h"
#include "framework/Picture.h"

namespace {
// Forms name the panel by class.
const bool Registered = (RegisterClass(TsuiImagePanel::StaticClass()), true);
}  // namespace

TsuiCustomPanel::TsuiCustomPanel(TComponent* AOwner) : TCustomPanel(AOwner), FPicture(TPicture::Create()) {
  SetBevelInner(bvNone);
  SetBevelOuter(bvNone);
  SetColor(clBtnFace);
  FPicture->OnChange = Bind(this, &TsuiCustomPanel::PictureChanged);
}

TsuiCustomPanel::~TsuiCustomPanel() = default;

void TsuiCustomPanel::BeforeDestruction() {
  FPicture->OnChange = nullptr;
  FreeAndNil(FPicture);
  TCustomPanel::BeforeDestruction();
}

void TsuiCustomPanel::SetPicture(TPicture* Value) {
  FPicture->Assign(Value);
  ClearBackground();
  Invalidate();
}

void TsuiCustomPanel::SetDrawStyle(TsuiDrawStyle Value) {
  FDrawStyle = Value;
  ClearBackground();
  Invalidate();
}

void TsuiCustomPanel::SetTransparent(bool Value) {
  FTransparent = Value;
  if (TGraphic* graphic = FPicture->GetGraphic(); graphic && graphic->GetTransparent() != Value)
    graphic->SetTransparent(Value);
  Invalidate();
}

void TsuiCustomPanel::SetAutoSize(bool Value) {
  FAutoSize = Value;
  if (FPicture->GetGraphic()) ApplyAutoSize();
}

void TsuiCustomPanel::ApplyAutoSize() {
  if (!FAutoSize) return;
  const TAlign align = GetAlign();
  int width = GetWidth(), height = GetHeight();
  if (align != alTop && align != alBottom && align != alClient) width = FPicture->GetWidth();
  if (align != alLeft && align != alRight && align != alClient) height = FPicture->GetHeight();
  SetBounds(GetLeft(), GetTop(), width, height);
}

void TsuiCustomPanel::PictureChanged(TObject*) {
  if (TGraphic* graphic = FPicture->GetGraphic()) {
    ApplyAutoSize();
    if (graphic->GetTransparent() != FTransparent) graphic->SetTransparent(FTransparent);
  }
  ClearBackground();
  Invalidate();
}

void TsuiCustomPanel::ClearBackground() {
  if (!GetParentWindow() || !HandleAllocated()) return;
  TCanvas* canvas = GetCanvas();
  canvas->GetBrush()->SetColor(GetColor());
  canvas->FillRect(GetClientRect());
}

void TsuiCustomPanel::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND:
      // Every pixel is painted in Paint.
      Message.Result = 1;
      return;
    case CM_TEXTCHANGED: {
      TCustomPanel::Dispatch(Message);
      CaptionMoved(GetClientRect());
      Invalidate();
      return;
    }
    case WM_SIZE:
      TCustomPanel::Dispatch(Message);
      Invalidate();
      return;
    default: TCustomPanel::Dispatch(Message);
  }
}

void TsuiCustomPanel::PaintParentBackground(HDC DC) {
  TWinControl* parent = GetParent();
  if (!parent) return;
  const int saved = SaveDC(DC);
  POINT origin;
  GetViewportOrgEx(DC, &origin);
  SetViewportOrgEx(DC, origin.x - GetLeft(), origin.y - GetTop(), nullptr);
  const RECT client = parent->GetClientRect();
  IntersectClipRect(DC, client.left, client.top, client.right, client.bottom);
  parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), 0);
  parent->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
  RestoreDC(DC, saved);
}

void TsuiCustomPanel::Paint() {
  const RECT client = GetClientRect();
  const int width = GetWidth(), height = GetHeight();
  TOwned<TBitmap> work = MakeOwned<TBitmap>();
  work->SetSize(width, height);
  TCanvas* canvas = work->GetCanvas();
  if (FTransparent) PaintParentBackground(canvas->GetHandle());
  if (TGraphic* graphic = FPicture->GetGraphic(); graphic && !graphic->GetEmpty()) {
    const int w = graphic->GetWidth(), h = graphic->GetHeight();
    switch (FDrawStyle) {
      case suiStretch: canvas->StretchDraw(client, graphic); break;
      case suiTile:
        for (int x = 0; w > 0 && x < w + client.right - client.left; x += w)
          for (int y = 0; h > 0 && y < h + client.bottom - client.top; y += h) canvas->Draw(x, y, graphic);
        break;
      case suiNormal: canvas->Draw(0, 0, graphic); break;
    }
  } else if (!FTransparent) {
    canvas->GetBrush()->SetColor(GetColor());
    canvas->FillRect(client);
  }
  const std::string caption = GetCaption();
  // A caption of blanks draws nothing.
  if (std::any_of(caption.begin(), caption.end(), [](char c) { return static_cast<unsigned char>(c) > ' '; })) {
    canvas->GetBrush()->SetStyle(bsClear);
    canvas->SetFont(GetFont());
    UINT flags = DT_SINGLELINE | DT_VCENTER;
    switch (GetAlignment()) {
      case taLeftJustify: flags |= DT_LEFT; break;
      case taRightJustify: flags |= DT_RIGHT; break;
      case taCenter: flags |= DT_CENTER; break;
    }
    RECT r = client;
    DrawTextUtf8(canvas, caption, r, flags);
  }
  BitBlt(GetCanvas()->GetHandle(), 0, 0, width, height, canvas->GetHandle(), 0, 0, SRCCOPY);
}
