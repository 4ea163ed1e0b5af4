#include "engine/AudioEditorWindow.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdlib>

#include "engine/AudioEditorPainter.h"
#include "engine/EngineError.h"
#include "engine/TAudioEditor2.h"

namespace {

const wchar_t kClass[] = L"SonveltAudioEditor";

void RegisterOnce() {
  static bool done = false;
  if (done) return;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_IBEAM);
  wc.lpszClassName = kClass;
  RegisterClassExW(&wc);
  done = true;
}

}  // namespace

TAudioEditorWindow::TAudioEditorWindow(TAudioEditor2& editor, void* parent, int x, int y, int width, int height)
    : Editor(editor) {
  RegisterOnce();
  Handle = CreateWindowExW(0, kClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP, x, y, width,
                           height, static_cast<HWND>(parent), nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!Handle) throw EAudioError("Cannot create the waveform window.");
  SetWindowLongPtrW(Handle, GWLP_USERDATA, LONG_PTR(this));
  SetWindowLongPtrW(Handle, GWLP_WNDPROC, LONG_PTR(&Proc));
}

TAudioEditorWindow::~TAudioEditorWindow() {
  if (Handle) {
    SetWindowLongPtrW(Handle, GWLP_USERDATA, 0);
    DestroyWindow(Handle);
  }
}

void TAudioEditorWindow::Invalidate() { InvalidateRect(Handle, nullptr, FALSE); }

LRESULT CALLBACK TAudioEditorWindow::Proc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<TAudioEditorWindow*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(wnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) self->Handle = nullptr;
  return self->Handle_(msg, wp, lp);
}

LRESULT TAudioEditorWindow::Handle_(UINT msg, WPARAM wp, LPARAM lp) {
  HWND wnd = Handle;
  switch (msg) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_LBUTTONDOWN: MouseDown(0, wp, GET_X_LPARAM(lp), GET_Y_LPARAM(lp)); return 0;
    case WM_RBUTTONDOWN: MouseDown(1, wp, GET_X_LPARAM(lp), GET_Y_LPARAM(lp)); return 0;
    case WM_MBUTTONDOWN: MouseDown(2, wp, GET_X_LPARAM(lp), GET_Y_LPARAM(lp)); return 0;
    case WM_LBUTTONUP: MouseUp(0, wp, GET_X_LPARAM(lp), GET_Y_LPARAM(lp)); return 0;
    case WM_RBUTTONUP: MouseUp(1, wp, GET_X_LPARAM(lp), GET_Y_LPARAM(lp)); return 0;
    case WM_MBUTTONUP: MouseUp(2, wp, GET_X_LPARAM(lp), GET_Y_LPARAM(lp)); return 0;
    case WM_MOUSEMOVE: MouseMove(wp, GET_X_LPARAM(lp), GET_Y_LPARAM(lp)); return 0;
    case WM_LBUTTONDBLCLK:
      Editor.OnDblClick(&Editor);
      return 0;
    case WM_MOUSEWHEEL: {
      if (Editor.IsBusy()) return 0;
      int64_t w = Editor.GetViewEnd() - Editor.GetViewStart();
      int64_t step = std::max<int64_t>(1, w / 8) * -GET_WHEEL_DELTA_WPARAM(wp) / WHEEL_DELTA;
      int64_t a = std::clamp<int64_t>(Editor.GetViewStart() + step, 0, std::max<int64_t>(0, Editor.GetLength() - w));
      Editor.ZoomToRange(int(a), int(a + w));
      return 0;
    }
    case WM_SETFOCUS:
      Editor.OnEnter(&Editor);
      return 0;
    case WM_KILLFOCUS:
      Editor.OnExit(&Editor);
      return 0;
    case WM_CAPTURECHANGED:
      Drag = TDrag::None;
      return 0;
  }
  return DefWindowProcW(wnd, msg, wp, lp);
}

void TAudioEditorWindow::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(Handle, &ps);
  RECT rc;
  GetClientRect(Handle, &rc);
  // Drawn off screen first, so that the play cursor does not flicker.
  HDC mem = CreateCompatibleDC(dc);
  HBITMAP bmp = CreateCompatibleBitmap(dc, std::max<int>(1, rc.right), std::max<int>(1, rc.bottom));
  HGDIOBJ old = SelectObject(mem, bmp);
  PaintAudioEditor(Editor, mem, rc.right, rc.bottom);
  BitBlt(dc, 0, 0, rc.right, rc.bottom, mem, 0, 0, SRCCOPY);
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  EndPaint(Handle, &ps);
}

int TAudioEditorWindow::MarkerAt(int x) const {
  RECT rc;
  GetClientRect(Handle, &rc);
  TAudioEditorLayout l = LayoutAudioEditor(Editor, rc.right, rc.bottom);
  const TAudioMarkers& list = Editor.GetMarkerList();
  for (int i = int(list.size()) - 1; i >= 0; --i)
    if (std::abs(l.XOf(list[size_t(i)].Position) - x) <= 3) return i;
  return -1;
}

void TAudioEditorWindow::MouseDown(int button, WPARAM keys, int x, int y) {
  SetFocus(Handle);
  Editor.OnMouseDown(&Editor, button, int(keys), x, y);
  if (button != 0 || Editor.IsBusy()) return;
  RECT rc;
  GetClientRect(Handle, &rc);
  TAudioEditorLayout l = LayoutAudioEditor(Editor, rc.right, rc.bottom);
  POINT pt{x, y};
  if (PtInRect(&l.ScaleX, pt)) {
    Editor.OnScaleXClick(&Editor);
    return;
  }
  if (PtInRect(&l.ScaleY, pt)) {
    Editor.OnScaleYClick(&Editor);
    return;
  }
  int64_t f = l.FrameAt(x);
  SetCapture(Handle);
  int marker = MarkerAt(x);
  if (marker >= 0 && !(keys & MK_SHIFT)) {
    Drag = TDrag::Marker;
    DragMarker = marker;
    DragOffset = f - Editor.GetMarkerList()[size_t(marker)].Position;
    Editor.OnMarkerClick(&Editor, marker);
    return;
  }
  Drag = TDrag::Select;
  if (keys & MK_SHIFT) {
    // Extends from the end of the selection that lies farther from the click.
    int64_t a = Editor.GetSelStart(), b = Editor.GetSelEnd();
    Anchor = std::llabs(f - a) > std::llabs(f - b) ? a : b;
    if (a == b) Anchor = Editor.GetCursor();
    MouseMove(keys | MK_LBUTTON, x, y);
    return;
  }
  Anchor = f;
  Editor.SetSelectionActive(false);
  Editor.SetCursor(int(f));
}

void TAudioEditorWindow::MouseMove(WPARAM keys, int x, int y) {
  Editor.OnMouseMove(&Editor, int(keys), x, y);
  if (Drag == TDrag::None || Editor.IsBusy()) return;
  RECT rc;
  GetClientRect(Handle, &rc);
  TAudioEditorLayout l = LayoutAudioEditor(Editor, rc.right, rc.bottom);
  int64_t f = l.FrameAt(x);
  if (Drag == TDrag::Marker) {
    TAudioMarker& m = Editor.MarkerList[size_t(DragMarker)];
    int64_t p = std::clamp<int64_t>(f - DragOffset, 0, Editor.GetLength() - m.Length);
    if (p == m.Position) return;
    m.Position = p;
    Editor.RefreshView();
    Editor.OnChangeMarker(&Editor, DragMarker);
    return;
  }
  int64_t a = std::min(Anchor, f), b = std::max(Anchor, f);
  if (!Editor.GetSelectionActive()) {
    Editor.SelActive = true;
  }
  if (a == Editor.SelStart && b == Editor.SelEnd) return;
  Editor.SelStart = a;
  Editor.SelEnd = b;
  Editor.Cursor = a;
  Editor.Changed();
}

void TAudioEditorWindow::MouseUp(int button, WPARAM keys, int x, int y) {
  if (button == 0 && Drag != TDrag::None) {
    Drag = TDrag::None;
    ReleaseCapture();
  }
  Editor.OnMouseUp(&Editor, button, int(keys), x, y);
}
