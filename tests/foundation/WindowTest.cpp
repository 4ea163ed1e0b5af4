// Proves the road: a real window can be created under the test display and
// answers what Win32 says it should.
#include <gtest/gtest.h>
#include <windows.h>

TEST(Foundation, CreatesTitledWindow) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"SonveltFoundationTest";
  ASSERT_NE(RegisterClassW(&wc), 0);
  HWND wnd = CreateWindowExW(0, wc.lpszClassName, L"Sonvelt \u00e9", WS_OVERLAPPEDWINDOW, 10, 10, 300, 200,
                             nullptr, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(wnd, nullptr);
  wchar_t title[64]{};
  GetWindowTextW(wnd, title, 64);
  EXPECT_STREQ(title, L"Sonvelt \u00e9");
  RECT rc{};
  GetWindowRect(wnd, &rc);
  EXPECT_EQ(rc.right - rc.left, 300);
  EXPECT_TRUE(DestroyWindow(wnd));
}
