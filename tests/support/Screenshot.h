// Pictures of the screen for a person to judge: when the environment names a
// folder in SONVELT_SCREENSHOTS, SaveScreenshot writes the screen there as a BMP
// file; otherwise it does nothing.
#pragma once

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

inline void SaveScreenshot(const std::string& Name) {
  const char* Folder = std::getenv("SONVELT_SCREENSHOTS");
  if (!Folder || !*Folder) return;
  // What changed since the last paint is drawn first.
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND Wnd, LPARAM) -> BOOL {
        RedrawWindow(Wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
        return TRUE;
      },
      0);
  // Painted windows reach the screen only when the display driver flushes them,
  // which it does while the thread waits; capture after such a wait.
  MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
  const int W = GetSystemMetrics(SM_CXSCREEN), H = GetSystemMetrics(SM_CYSCREEN);
  HDC Screen = GetDC(nullptr);
  HDC Mem = CreateCompatibleDC(Screen);
  BITMAPINFO Info{};
  Info.bmiHeader = {sizeof(BITMAPINFOHEADER), W, H, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* Bits = nullptr;
  HBITMAP Bitmap = CreateDIBSection(Mem, &Info, DIB_RGB_COLORS, &Bits, nullptr, 0);
  HGDIOBJ Old = SelectObject(Mem, Bitmap);
  BitBlt(Mem, 0, 0, W, H, Screen, 0, 0, SRCCOPY);
  GdiFlush();
  const DWORD Stride = (static_cast<DWORD>(W) * 3 + 3) & ~3u, Size = Stride * static_cast<DWORD>(H);
  BITMAPFILEHEADER File{0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + Size), 0,
                        0, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER))};
  std::ofstream Out(std::string(Folder) + "\\" + Name + ".bmp", std::ios::binary);
  Out.write(reinterpret_cast<const char*>(&File), sizeof File);
  Out.write(reinterpret_cast<const char*>(&Info.bmiHeader), sizeof Info.bmiHeader);
  Out.write(static_cast<const char*>(Bits), Size);
  SelectObject(Mem, Old);
  DeleteObject(Bitmap);
  DeleteDC(Mem);
  ReleaseDC(nullptr, Screen);
}
