// The editor's child window: it receives its own mouse and focus input and
// paints through the editor. Kept apart from the editor so that it can move
// onto the framework's windowed control.
#pragma once
#include <windows.h>

#include <cstdint>

class TAudioEditor2;

class TAudioEditorWindow {
 public:
  TAudioEditorWindow(TAudioEditor2& editor, void* parent, int x, int y, int width, int height);
  ~TAudioEditorWindow();
  TAudioEditorWindow(const TAudioEditorWindow&) = delete;
  TAudioEditorWindow& operator=(const TAudioEditorWindow&) = delete;

  HWND GetHandle() const { return Handle; }
  void Invalidate();

 private:
  static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Handle_(UINT msg, WPARAM wp, LPARAM lp);
  void Paint();
  void MouseDown(int button, WPARAM keys, int x, int y);
  void MouseMove(WPARAM keys, int x, int y);
  void MouseUp(int button, WPARAM keys, int x, int y);
  int MarkerAt(int x) const;

  enum class TDrag { None, Select, Marker };
  TAudioEditor2& Editor;
  HWND Handle = nullptr;
  TDrag Drag = TDrag::None;
  int64_t Anchor = 0;
  int DragMarker = -1;
  int64_t DragOffset = 0;
};
