#include "engine/AudioEditorOperation.h"

#include <windows.h>

#include "engine/AudioBlock.h"

void PumpMessages() {
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    if (m.message == WM_QUIT) {
      PostQuitMessage(int(m.wParam));  // leave it for the application's own loop
      break;
    }
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
}

TAudioEditor2::TOperation::TOperation(TAudioEditor2& editor, int64_t total) : Editor(editor), Total(total) {
  Editor.RequireIdle();
  Editor.Busy = true;
}

TAudioEditor2::TOperation::~TOperation() {
  Editor.Busy = false;
  if (Reported) Editor.OnEndOperation(&Editor);
}

void TAudioEditor2::TOperation::Progress(int64_t done) {
  // Work of one block or less ends before anyone could watch it.
  if (Total <= TAudioBlock::kFrames) return;
  int percent = int(done * 100 / Total);
  if (percent > 100) percent = 100;
  // The queue runs as the progress moves: often enough to keep the window
  // responsive, while each look at it is a round trip to the window system
  // that costs more than a block of work.
  if (percent == LastPercent) return;
  LastPercent = percent;
  Reported = true;
  Editor.OnBlockOperation(&Editor, percent);
  PumpMessages();
}
