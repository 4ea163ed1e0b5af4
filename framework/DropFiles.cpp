#include "framework/DropFiles.h"

#include <shellapi.h>

#include "framework/Unicode.h"
#include "framework/WinControl.h"

void DragAcceptFiles(TWinControl* Control, bool Accept) { ::DragAcceptFiles(Control->GetHandle(), Accept); }

TDroppedFiles ReadDroppedFiles(HDROP Drop) {
  TDroppedFiles R;
  UINT N = DragQueryFileW(Drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT I = 0; I < N; ++I) {
    UINT Len = DragQueryFileW(Drop, I, nullptr, 0);
    std::wstring W(Len + 1, L'\0');
    DragQueryFileW(Drop, I, W.data(), Len + 1);
    W.resize(Len);
    R.Files.push_back(WideToUtf8(W));
  }
  R.InClient = DragQueryPoint(Drop, &R.Point) != 0;
  DragFinish(Drop);
  return R;
}
