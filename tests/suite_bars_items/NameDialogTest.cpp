// The name dialog, driven through its modal loop as a user would: OK waits for a
// name, and a toolbar may not take another toolbar's caption.
#include <gtest/gtest.h>

#include <string>

#include "framework/Button.h"
#include "framework/Edit.h"
#include "suite/bars/BarNameDialog.h"
#include "suite/bars/Bars.h"
#include "tests/app_core/DialogDriver.h"
#include "tests/suite_bars/BarTestSupport.h"

namespace {

struct NameDialogFixture : BarFormFixture {
  TdxBarManager* M = nullptr;
  TdxBar* Standard = nullptr;
  void SetUp() override {
    BarFormFixture::SetUp();
    M = NewManager();
    Standard = M->GetBars()->Add();
    Standard->SetCaption("Standard");
    M->GetBars()->Add()->SetCaption("Format");
  }
  void TearDown() override {
    TModalAnswers::Clear();
    TSystemDialogAnswers::Clear();
    Free(M);
    BarFormFixture::TearDown();
  }
  static bool MessageBoxShows() {
    bool Shows = false;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND Wnd, LPARAM Data) -> BOOL {
          wchar_t Name[16] = {};
          GetClassNameW(Wnd, Name, 16);
          if (IsWindowVisible(Wnd) && std::wstring(Name) == L"#32770") *reinterpret_cast<bool*>(Data) = true;
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&Shows));
    return Shows;
  }
  static void Type(TdxBarNameEd* D, const std::string& Text) { D->GetNameEdit()->SetText(Text); }
};

TEST_F(NameDialogFixture, OkWaitsForANameAndCancelKeepsTheOldOne) {
  bool EnabledEmpty = true, EnabledTyped = false;
  std::string Caption;
  TModalAnswers::Add("TdxBarNameEd", [&](TCustomForm* F) {
    auto* D = static_cast<TdxBarNameEd*>(F);
    Caption = D->GetCaption();
    EnabledEmpty = D->GetOkButton()->GetEnabled();
    Type(D, "Mine");
    EnabledTyped = D->GetOkButton()->GetEnabled();
    ClickButton(D->GetCancelButton());
  });
  std::string Name;
  EXPECT_FALSE(ExecuteBarNameDialog(Name, bndToolbar, bndmNew, nullptr, M));
  EXPECT_TRUE(TModalAnswers::AllAnswered());
  EXPECT_EQ("Add Toolbar", Caption);
  EXPECT_FALSE(EnabledEmpty);
  EXPECT_TRUE(EnabledTyped);
  EXPECT_EQ("", Name);
}

TEST_F(NameDialogFixture, TitlesAndLayoutFollowTheKindAndTheAction) {
  struct {
    TdxBarNameDialogKind Kind;
    TdxBarNameDialogMode Mode;
    const char *Title, *Label;
  } Cases[] = {
      {bndToolbar, bndmNew, "Add Toolbar", "&Toolbar name:"},
      {bndToolbar, bndmRename, "Rename Toolbar", "&Toolbar name:"},
      {bndCategory, bndmNew, "Add Category", "&Category name:"},
      {bndCategory, bndmInsert, "Insert Category", "&Category name:"},
      {bndCategory, bndmRename, "Rename Category", "&Category name:"},
  };
  for (auto& C : Cases) {
    SCOPED_TRACE(C.Title);
    std::string Title, Label, Ok, Cancel;
    SIZE Client{};
    RECT Edit{};
    bool EditFocused = false;
    TModalAnswers::Add("TdxBarNameEd", [&](TCustomForm* F) {
      auto* D = static_cast<TdxBarNameEd*>(F);
      Title = D->GetCaption();
      Label = static_cast<TControl*>(D->FindComponent("LName"))->GetCaption();
      Ok = D->GetOkButton()->GetCaption();
      Cancel = D->GetCancelButton()->GetCaption();
      RECT R;
      GetClientRect(D->GetHandle(), &R);
      Client = SIZE{R.right, R.bottom};
      Edit = D->GetNameEdit()->GetBoundsRect();
      EditFocused = GetFocus() == D->GetNameEdit()->GetHandle();
      ClickButton(D->GetCancelButton());
    });
    std::string Name = "Old";
    EXPECT_FALSE(ExecuteBarNameDialog(Name, C.Kind, C.Mode, nullptr, M));
    EXPECT_EQ(C.Title, Title);
    EXPECT_EQ(C.Label, Label);
    EXPECT_EQ("OK", Ok);
    EXPECT_EQ("Cancel", Cancel);
    EXPECT_EQ(266, Client.cx);
    EXPECT_EQ(87, Client.cy);
    EXPECT_EQ(8, Edit.left);
    EXPECT_EQ(27, Edit.top);
    EXPECT_EQ(251, Edit.right - Edit.left);
    EXPECT_EQ(21, Edit.bottom - Edit.top);
    EXPECT_TRUE(EditFocused);
    EXPECT_EQ("Old", Name);
  }
}

TEST_F(NameDialogFixture, TakenToolbarCaptionIsRefusedWithAnError) {
  struct {
    const char* Label;
    TdxBarNameDialogKind Kind;
    TdxBarNameDialogMode Mode;
    TdxBar* Renamed;
    const char* Typed;
    bool Refused;
  } Cases[] = {
      {"a new toolbar named like another", bndToolbar, bndmNew, nullptr, "Format", true},
      {"a toolbar renamed to another's caption", bndToolbar, bndmRename, Standard, "Format", true},
      {"a toolbar keeping its own caption", bndToolbar, bndmRename, Standard, "Standard", false},
      {"the comparison minds the letter case", bndToolbar, bndmNew, nullptr, "format", false},
      {"category names are not checked", bndCategory, bndmNew, nullptr, "Format", false},
  };
  for (auto& C : Cases) {
    SCOPED_TRACE(C.Label);
    TSystemDialogAnswers::Clear();
    bool StayedOpen = false;
    TModalAnswers::Add("TdxBarNameEd", [&](TCustomForm* F) {
      auto* D = static_cast<TdxBarNameEd*>(F);
      Type(D, C.Typed);
      if (C.Refused) TSystemDialogAnswers::AnswerBox(IDOK);
      ClickButton(D->GetOkButton());
    });
    // Still open after the refusal (once its message box has gone): a free name
    // then closes it.
    TModalAnswers::TAnswer Again = [&](TCustomForm* F) {
      if (MessageBoxShows()) {
        TModalAnswers::Add("TdxBarNameEd", Again);
        return;
      }
      auto* D = static_cast<TdxBarNameEd*>(F);
      StayedOpen = true;
      Type(D, "Unused");
      ClickButton(D->GetOkButton());
    };
    TModalAnswers::Add("TdxBarNameEd", Again);
    std::string Name = C.Renamed ? C.Renamed->GetCaption() : "";
    EXPECT_TRUE(ExecuteBarNameDialog(Name, C.Kind, C.Mode, C.Renamed, M));
    EXPECT_EQ(C.Refused, TModalAnswers::AllAnswered());
    TModalAnswers::Clear();
    EXPECT_EQ(C.Refused, StayedOpen);
    EXPECT_EQ(C.Refused ? "Unused" : C.Typed, Name);
    if (C.Refused) {
      ASSERT_EQ(1u, TSystemDialogAnswers::Boxes().size());
      EXPECT_EQ("A toolbar named 'Format' already exists. Type another name.", TSystemDialogAnswers::Texts()[0]);
    } else {
      EXPECT_TRUE(TSystemDialogAnswers::Boxes().empty());
    }
  }
}

}  // namespace
