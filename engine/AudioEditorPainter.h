// Where the editor's parts lie in a control of a given size, and drawing it.
#pragma once
#include <windows.h>

#include <cstdint>

class TAudioEditor2;

struct TAudioEditorLayout {
  RECT Inner{};   // inside the border
  RECT ScaleX{};  // time scale along the top
  RECT ScaleY{};  // level scale on the left
  RECT Wave{};    // the channels, top to bottom
  int64_t ViewStart = 0, ViewEnd = 0;

  // The frame under a client x (clamped to the view), and the x of a frame.
  int64_t FrameAt(int x) const;
  int XOf(int64_t frame) const;
  // Height of one channel's lane and the top of lane ch.
  int LaneHeight(int channels) const;
  int LaneTop(int ch, int channels) const;
};

TAudioEditorLayout LayoutAudioEditor(const TAudioEditor2& editor, int width, int height);
void PaintAudioEditor(const TAudioEditor2& editor, HDC dc, int width, int height);
