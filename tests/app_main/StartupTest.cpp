// Start-up: stored settings or none, the Explorer verb, the command line, and the
// application message hook.
#include <gtest/gtest.h>

#include "app/GlobalVars.h"
#include "app/SplashForm.h"
#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/Timer.h"
#include "framework/Screen.h"
#include "framework/Unicode.h"
#include "tests/app_main/AppMainTestSupport.h"

namespace {

bool KeyExists(HKEY Root, const std::wstring& Path) {
  HKEY Key;
  if (RegOpenKeyExW(Root, Path.c_str(), 0, KEY_READ, &Key) != ERROR_SUCCESS) return false;
  RegCloseKey(Key);
  return true;
}

std::wstring WavVerbKey() {
  wchar_t Type[256] = {};
  LONG Size = sizeof Type;
  RegQueryValueW(HKEY_CLASSES_ROOT, L".wav", Type, &Size);
  return std::wstring(Type) + L"\\Shell\\Edit with Sonvelt\\command";
}

}  // namespace

TEST_F(MainFixture, FirstStartWritesTheDefaultsAndCentresTheWindow) {
  StartMain();
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, L"SOFTWARE\\Sonvelt\\2.0"));
  EXPECT_EQ((Screen->GetWidth() - Main->GetWidth()) / 2, Main->GetLeft());
  EXPECT_EQ((Screen->GetHeight() - Main->GetHeight()) / 2, Main->GetTop());
  EXPECT_TRUE(Main->ActionShowCommandBar->GetChecked());
  EXPECT_TRUE(Main->ActionBarOntheLeft->GetChecked());
  EXPECT_FALSE(Main->ActionBarOntheRight->GetChecked());
  EXPECT_EQ(0, Main->GetMDIChildCount());
}

TEST_F(MainFixture, StoredSettingsAreUsedAndTheExplorerVerbFollowsThem) {
  for (DWORD AddToExplorer : {0u, 1u}) {
    SCOPED_TRACE(AddToExplorer);
    WriteSettingDword("OP_AddToExplorer", AddToExplorer);
    WriteSettingDword("CommandBarOnTheLeft", 0);
    StartMain();
    EXPECT_EQ(AddToExplorer != 0, KeyExists(HKEY_CLASSES_ROOT, WavVerbKey()));
    EXPECT_FALSE(Main->ActionBarOntheLeft->GetChecked());
    EXPECT_TRUE(Main->ActionBarOntheRight->GetChecked());
    Free(Main);
    Main = nullptr;
  }
}

TEST_F(MainFixture, TheFirstArgumentOpensWhenItIsASupportedFile) {
  const std::string Wav = Folder + "take one.wav";
  WriteTestWav(Wav, 8000, 1, 800);
  const std::string Program = Folder + "tool.exe";
  WriteTestWav(Program, 8000, 1, 10);
  struct TCase {
    std::vector<std::string> Args;
    bool Opens;
  } Cases[] = {
      {{Wav, Program}, true},
      {{Folder}, false},
      {{Program}, false},
      {{Folder + "missing.wav"}, false},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Args.front());
    StartMain(C.Args);
    ASSERT_EQ(C.Opens ? 1 : 0, Main->GetMDIChildCount());
    if (C.Opens) {
      EXPECT_EQ(Wav, Main->ActiveFileName());
      EXPECT_EQ(Wav, Main->ActiveDocument()->GetCaption());
      EXPECT_EQ(800, Main->ActiveEditor()->GetLength());
      EXPECT_EQ(DocumentSaved, Main->ActiveEditor()->GetTag());
      EXPECT_EQ(Wav, Main->RecentFiles().at(0));
      EXPECT_EQ(Folder, GlobalVarsRecord->LastOpenDir);
    }
    TearDown();
    Main = nullptr;
  }
}

TEST_F(MainFixture, TheHookTakesRightButtonAndDoubleClicksOfTheActiveEditorOnly) {
  StartMain();
  TChildForm* Doc = NewDocument(8000, 1, 4000);
  HWND Editor = Doc->AudioEditor->GetHandle();
  HWND Other = Doc->ScrollBarStart->GetHandle();
  struct TCase {
    HWND Wnd;
    UINT Msg;
    bool Handled, Pops;
  } Cases[] = {
      {Editor, WM_RBUTTONDOWN, true, false}, {Editor, WM_RBUTTONUP, true, true},
      {Editor, WM_LBUTTONDBLCLK, true, false}, {Editor, WM_LBUTTONDOWN, false, false},
      {Editor, WM_MOUSEMOVE, false, false},   {Other, WM_RBUTTONDOWN, false, false},
      {Other, WM_RBUTTONUP, false, false},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Msg);
    Main->Popups.clear();
    MSG M{C.Wnd, C.Msg, 0, 0};
    bool Handled = false;
    Main->AppMessageHook(M, Handled);
    EXPECT_EQ(C.Handled, Handled);
    ASSERT_EQ(C.Pops ? 1u : 0u, Main->Popups.size());
    if (C.Pops) {
      POINT P;
      GetCursorPos(&P);
      EXPECT_EQ(P.x, Main->Popups[0].x);
      EXPECT_EQ(P.y, Main->Popups[0].y);
    }
  }
  // Through the real queue: the control never hears of the right button.
  int RightDowns = 0;
  struct TCounter : TObject {
    int* Count;
    void Down(TObject*, TMouseButton B, TShiftState, int, int) { *Count += B == mbRight; }
  } Counter;
  Counter.Count = &RightDowns;
  Doc->AudioEditor->OnMouseDown = Bind(&Counter, &TCounter::Down);
  Main->Popups.clear();
  PostMessageW(Editor, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
  PostMessageW(Editor, WM_RBUTTONUP, 0, MAKELPARAM(10, 10));
  Pump();
  EXPECT_EQ(0, RightDowns);
  EXPECT_EQ(1u, Main->Popups.size());
  Doc->AudioEditor->OnMouseDown = nullptr;
}

TEST(SplashRegion, KeepsTheRunsOfPixelsThatAreNotTransparent) {
  const COLORREF M = RGB(255, 0, 255), X = RGB(10, 20, 30);
  const COLORREF Rows[3][6] = {{M, X, X, M, X, M}, {M, M, M, M, M, M}, {X, X, X, X, X, X}};
  TBitmap* Bitmap = TBitmap::Create();
  Bitmap->SetSize(6, 3);
  for (int Y = 0; Y < 3; ++Y)
    for (int Px = 0; Px < 6; ++Px) Bitmap->GetCanvas()->SetPixels(Px, Y, static_cast<TColor>(Rows[Y][Px]));
  HWND Wnd = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 6, 3, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(3, BitmapToWindowRegion(Wnd, Bitmap, M));
  HRGN Region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(ERROR, GetWindowRgn(Wnd, Region));
  for (int Y = 0; Y < 3; ++Y)
    for (int Px = 0; Px < 6; ++Px) EXPECT_EQ(Rows[Y][Px] == X, PtInRegion(Region, Px, Y) != 0) << Px << "," << Y;
  DeleteObject(Region);
  DestroyWindow(Wnd);
  Free(Bitmap);
}

TEST_F(MainFixture, TheSplashGoesOnceTheMainWindowHasShown) {
  SplashFormInstance = TSplashForm::Create(nullptr);
  SplashFormInstance->Show();
  // Clicked away early, it is still freed by the timer.
  SplashFormInstance->ImageClick(nullptr);
  StartMain();
  EXPECT_TRUE(Main->TimerSplash->GetEnabled());
  EXPECT_TRUE(PumpUntil([] { return SplashFormInstance == nullptr; }, 5000));
  EXPECT_FALSE(Main->TimerSplash->GetEnabled());
}
