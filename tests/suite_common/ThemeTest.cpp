// The theme-handle cache, through a stand-in library and live under Wine.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/OwnedObject.h"
#include "suite/common/ThemeManager.h"
#include "tests/suite_common/ThemeFake.h"
#include "tests/framework_controls/UiTestSupport.h"

TEST(ThemeCache, HandlesAreCachedAndReopenedForAnotherClassList) {
  TFakeThemeScope Fake;
  HTHEME Button = ThemeHandleFor(tokButton);
  ASSERT_NE(Button, nullptr);
  EXPECT_EQ(ThemeHandleFor(tokButton), Button);
  EXPECT_EQ(ThemeHandleFor(tokButton, "button"), Button);
  EXPECT_EQ(TFakeTheme::Opened, std::vector<std::wstring>{L"Button"});
  HTHEME Edit = ThemeHandleFor(tokButton, "Edit");
  EXPECT_NE(Edit, Button);
  EXPECT_EQ(TFakeTheme::Closed, std::vector<HTHEME>{Button});
  EXPECT_EQ(TFakeTheme::Opened.back(), L"Edit");
  // Without a list the kind keeps the one it was last opened with.
  CloseAllThemeHandles();
  ThemeHandleFor(tokButton);
  EXPECT_EQ(TFakeTheme::Opened.back(), L"Edit");

  EXPECT_EQ(CloseThemeKind(tokClock), 0);
  EXPECT_EQ(CloseThemeKind(tokButton), S_OK);
  ThemeHandleFor(tokButton);
  EXPECT_EQ(TFakeTheme::Opened.back(), L"Button");
}

TEST(ThemeCache, UnknownClassesAndAvailability) {
  TFakeThemeScope Fake;
  EXPECT_EQ(ThemeHandleFor(tokToolBar, "NoSuchClass"), nullptr);
  // A failed open forgets the list: the next one tries the default class.
  EXPECT_NE(ThemeHandleFor(tokToolBar), nullptr);
  EXPECT_EQ(TFakeTheme::Opened.back(), L"ToolBar");

  TFakeTheme::Opened.clear();
  EXPECT_TRUE(VisualStylesAvailableFor(0));
  EXPECT_TRUE(TFakeTheme::Opened.empty());
  EXPECT_TRUE(VisualStylesAvailableFor(ThemedKinds({tokEdit, tokScrollBar})));
  EXPECT_EQ(TFakeTheme::Opened, (std::vector<std::wstring>{L"Edit", L"ScrollBar"}));
  EXPECT_TRUE(VisualStylesAvailableForKind(tokWindow));
}

TEST(ThemeCache, ThemeChangeClosesHandlesThenTellsSubscribers) {
  TFakeThemeScope Fake;
  ThemeHandleFor(tokToolBar, "Rebar");
  struct TSubscriber {
    int Heard = 0;
    size_t ClosedWhenHeard = 0;
    void Changed() {
      ++Heard;
      ClosedWhenHeard = TFakeTheme::Closed.size();
    }
  } S;
  TOwned<TdxThemeChangedNotificator> N(TdxThemeChangedNotificator::CreateSubscribed());
  N->ThemeChangeHandler = TDelegate<void()>(&S, &TSubscriber::Changed);

  TFakeTheme::Active = false;
  SendMessageW(ThemeChangeReceiverWindow(), WM_THEMECHANGED, 0, 0);
  EXPECT_EQ(S.Heard, 1);
  EXPECT_EQ(S.ClosedWhenHeard, 1u);
  EXPECT_FALSE(VisualStylesActive());
  for (int K = 0; K < ThemedObjectKindCount; ++K)
    EXPECT_EQ(ThemeHandleFor(static_cast<TdxThemedObjectKind>(K)), nullptr);
  EXPECT_FALSE(VisualStylesAvailableFor(0));

  TFakeTheme::Active = true;
  SendMessageW(ThemeChangeReceiverWindow(), WM_THEMECHANGED, 0, 0);
  EXPECT_TRUE(VisualStylesActive());
  ThemeHandleFor(tokToolBar);
  EXPECT_EQ(TFakeTheme::Opened.back(), L"Rebar");
  N.reset();
  SendMessageW(ThemeChangeReceiverWindow(), WM_THEMECHANGED, 0, 0);
  EXPECT_EQ(S.Heard, 2);
}

TEST(ThemeCache, WithoutTheLibraryNothingIsAvailable) {
  TFakeThemeScope Fake;
  SubstituteUxTheme(TUxThemeEntries{});
  EXPECT_FALSE(UxThemeLoaded());
  EXPECT_EQ(ThemeHandleFor(tokButton), nullptr);
  EXPECT_EQ(CloseThemeKind(tokButton), 1);
  EXPECT_FALSE(UxIsThemeActive());
  HDC PaintDC = reinterpret_cast<HDC>(1);
  EXPECT_EQ(UxBeginBufferedPaint(nullptr, RECT{0, 0, 1, 1}, BPBF_TOPDOWNDIB, nullptr, PaintDC), nullptr);
  EXPECT_EQ(PaintDC, nullptr);
  EXPECT_EQ(ThemeChangeReceiverWindow(), nullptr);
}

namespace {
const wchar_t ThemeManagerKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager";

std::wstring ReadThemeActive() {
  wchar_t Value[8] = L"";
  DWORD Size = sizeof Value;
  if (RegGetValueW(HKEY_CURRENT_USER, ThemeManagerKey, L"ThemeActive", RRF_RT_REG_SZ, nullptr, Value, &Size) !=
      ERROR_SUCCESS)
    return L"";
  return Value;
}

void WriteThemeActive(const std::wstring& Value) {
  HKEY Key;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, ThemeManagerKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &Key, nullptr))
    return;
  RegSetValueExW(Key, L"ThemeActive", 0, REG_SZ, reinterpret_cast<const BYTE*>(Value.c_str()),
                 static_cast<DWORD>((Value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(Key);
}

// A process reads its theme state when it starts and cannot be given it back, so
// each live case runs in a process of its own, started with the prefix's
// ThemeManager value set; the value is put back afterwards.
DWORD RunLiveCase(const std::wstring& ThemeActive, const wchar_t* Test) {
  const std::wstring Saved = ReadThemeActive();
  WriteThemeActive(ThemeActive);
  wchar_t Exe[MAX_PATH];
  GetModuleFileNameW(nullptr, Exe, MAX_PATH);
  std::wstring Command = std::wstring(L"\"") + Exe +
                         L"\" --gtest_also_run_disabled_tests --gtest_filter=ThemeLiveCase.DISABLED_" + Test;
  STARTUPINFOW Startup{};
  Startup.cb = sizeof Startup;
  PROCESS_INFORMATION Process{};
  DWORD Code = 99;
  if (CreateProcessW(nullptr, Command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &Startup, &Process)) {
    if (WaitForSingleObject(Process.hProcess, 60000) == WAIT_OBJECT_0) GetExitCodeProcess(Process.hProcess, &Code);
    else TerminateProcess(Process.hProcess, 98);
    CloseHandle(Process.hThread);
    CloseHandle(Process.hProcess);
  }
  WriteThemeActive(Saved.empty() ? L"1" : Saved);
  return Code;
}
}  // namespace

TEST(ThemeLive, OnAtStartThenTheBroadcastOfSwitchingOffClearsTheFlag) {
  EXPECT_EQ(RunLiveCase(L"1", L"OnThenOff"), 0u);
}

TEST(ThemeLive, OffAtStart) { EXPECT_EQ(RunLiveCase(L"0", L"Off"), 0u); }

// The halves that run in the child processes.
TEST(ThemeLiveCase, DISABLED_OnThenOff) {
  ASSERT_TRUE(UxThemeLoaded());
  EXPECT_TRUE(VisualStylesActive());
  EXPECT_NE(ThemeHandleFor(tokButton), nullptr);
  EXPECT_NE(ThemeHandleFor(tokScrollBar), nullptr);
  EXPECT_TRUE(VisualStylesAvailableFor(ThemedKinds({tokButton, tokToolBar})));
  // Switching visual styles off broadcasts WM_THEMECHANGED to every top-level window.
  auto EnableTheming = reinterpret_cast<HRESULT(WINAPI*)(BOOL)>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"uxtheme.dll"), "EnableTheming")));
  ASSERT_NE(EnableTheming, nullptr);
  EnableTheming(FALSE);
  EXPECT_TRUE(PumpUntil([] { return !VisualStylesActive(); }));
  for (int K = 0; K < ThemedObjectKindCount; ++K)
    EXPECT_EQ(ThemeHandleFor(static_cast<TdxThemedObjectKind>(K)), nullptr);
}

TEST(ThemeLiveCase, DISABLED_Off) {
  EXPECT_FALSE(VisualStylesActive());
  EXPECT_EQ(ThemeHandleFor(tokButton), nullptr);
  EXPECT_FALSE(VisualStylesAvailableFor(0));
}
