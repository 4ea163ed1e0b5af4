// Named styles, the style sets that listen to them, style sheets they follow, and
// the repository that keeps them in form data.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/ClassRegistry.h"
#include "suite/common/cxStyles.h"
#include "tests/suite_common_more/StreamSupport.h"

namespace {
// A control's style set: element indexes to styles, with every change recorded.
class TTestStyles : public TcxCustomStyles {
  SONVELT_CLASS(TTestStyles, TcxCustomStyles)
public:
  explicit TTestStyles(TPersistent* AOwner) : TcxCustomStyles(AOwner) {}
  void Set(int Index, TcxCustomStyle* Style) { SetValue(Index, Style); }
  void ValueChanged(int Index) override { Changed.push_back(Index); }
  std::vector<int> Changed;
};

class TTestStyleSheet : public TcxCustomStyleSheet {
  SONVELT_CLASS(TTestStyleSheet, TcxCustomStyleSheet)
public:
  explicit TTestStyleSheet(TComponent* AOwner) : TcxCustomStyleSheet(AOwner) {}
  TcxCustomStylesClass StylesClassOf() const override { return TTestStyles::StaticClass(); }
  TTestStyles* Styles() const { return static_cast<TTestStyles*>(GetStyles()); }
};

// A listener that never detaches itself.
class TStubbornObserver : public IcxStyleObserver {
public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** ppv) override {
    *ppv = this;
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  void STDMETHODCALLTYPE StyleModified(TcxCustomStyle*) override { ++Modified; }
  void STDMETHODCALLTYPE StyleDetached(TcxCustomStyle*) override { ++Detached; }
  int Modified = 0;
  int Detached = 0;
};

const bool Registered = (RegisterClasses({TStreamRoot::StaticClass(), TcxStyleRepository::StaticClass(),
                                          TTestStyleSheet::StaticClass()}),
                         true);
}  // namespace

TEST(Styles, AssignedValuesFollowWhatIsSet) {
  TOwned<TcxStyle> S(TcxStyle::Create(nullptr));
  TStubbornObserver O;
  S->AttachListener(&O);
  S->AttachListener(&O);
  EXPECT_TRUE(S->GetAssignedValues().Empty());
  S->SetColor(clRed);
  S->SetTextColor(clBlue);
  EXPECT_EQ(S->GetAssignedValues(), (TcxStyleValues{svColor, svTextColor}));
  S->SetColor(clRed);  // unchanged: no news
  EXPECT_EQ(O.Modified, 2);
  S->SetColor(clDefault);
  EXPECT_FALSE(S->GetAssignedValues().Contains(svColor));
  S->GetBitmap()->SetSize(4, 4);
  EXPECT_TRUE(S->GetAssignedValues().Contains(svBitmap));
  TOwned<TBitmap> Empty(TBitmap::Create());
  S->SetBitmap(Empty.get());
  EXPECT_FALSE(S->GetAssignedValues().Contains(svBitmap));
  S->GetFont()->SetName("Courier New");
  EXPECT_TRUE(S->GetAssignedValues().Contains(svFont));
  int Before = O.Modified;
  S->ResetValues();
  EXPECT_EQ(O.Modified, Before + 1);
  EXPECT_TRUE(S->GetAssignedValues().Empty());
  EXPECT_EQ(S->GetTextColor(), clDefault);
  EXPECT_EQ(S->GetFont()->GetName(), "Courier New");

  TOwned<TcxStyle> Copy(TcxStyle::Create(nullptr));
  S->SetTextColor(clGreen);
  Copy->Assign(S.get());
  EXPECT_EQ(Copy->GetTextColor(), clGreen);
  EXPECT_EQ(Copy->GetAssignedValues(), S->GetAssignedValues());
  S->DetachListener(&O);
}

TEST(Styles, ASetHearsItsStylesByElement) {
  TOwned<TTestStyles> Set(TTestStyles::Create(nullptr));
  TcxStyle* Shared = TcxStyle::Create(nullptr);
  TOwned<TcxStyle> Other(TcxStyle::Create(nullptr));
  Set->Set(1, Shared);
  Set->Set(4, Shared);
  Set->Set(2, Other.get());
  EXPECT_EQ(Shared->GetListenerCount(), 1);
  Set->Changed.clear();
  Shared->SetColor(clRed);
  EXPECT_EQ(Set->Changed, (std::vector<int>{1, 4}));

  // Deleting one element of two keeps the set listening for the other.
  Set->DeleteItem(0);
  EXPECT_EQ(Shared->GetListenerCount(), 1);
  Set->Changed.clear();
  Shared->SetColor(clBlue);
  EXPECT_EQ(Set->Changed, (std::vector<int>{4}));

  Set->Set(1, Shared);
  Set->Changed.clear();
  Free(Shared);  // every element that held it goes
  EXPECT_EQ(Set->Changed, (std::vector<int>{1, 4}));
  ASSERT_EQ(Set->GetCount(), 1);
  EXPECT_EQ(Set->GetValue(2), Other.get());
  Set->Clear();
  EXPECT_EQ(Other->GetListenerCount(), 0);
}

TEST(Styles, AListenerThatStaysIsStillToldOnceWhenTheStyleGoes) {
  TStubbornObserver O;
  TcxStyle* S = TcxStyle::Create(nullptr);
  S->AttachListener(&O);
  Free(S);
  EXPECT_EQ(O.Detached, 1);
}

TEST(StyleSheets, CaptionsAndFollowers) {
  TOwned<TComponent> Form(TComponent::Create(nullptr));
  auto* A = TTestStyleSheet::Create(Form.get());
  auto* B = TTestStyleSheet::Create(Form.get());
  A->SetName("SheetA");
  EXPECT_EQ(A->GetCaption(), "SheetA");
  A->SetCaption("Office");
  EXPECT_EQ(A->GetCaption(), "Office");
  A->SetCaption("SHEETA");
  EXPECT_FALSE(A->IsCaptionStored());
  EXPECT_EQ(A->GetCaption(), "SheetA");

  auto* Red = TcxStyle::Create(Form.get());
  auto* Blue = TcxStyle::Create(Form.get());
  A->Styles()->Set(3, Red);
  B->Styles()->Set(7, Blue);
  B->GetStyles()->FollowStyleSheet(A);
  TOwned<TTestStyles> Control(TTestStyles::Create(nullptr));
  Control->FollowStyleSheet(B);
  // Following signals every element of the sheet and of the sheets it follows.
  EXPECT_EQ(Control->Changed, (std::vector<int>{7, 3}));
  Control->Changed.clear();
  Red->SetColor(clRed);
  EXPECT_EQ(Control->Changed, (std::vector<int>{3}));

  // A sheet cannot follow one that, down the chain, follows it.
  A->GetStyles()->FollowStyleSheet(B);
  EXPECT_EQ(A->GetStyles()->GetStyleSheet(), nullptr);
  EXPECT_EQ(A->GetStyles()->GetStyleSheet(), nullptr);
  TOwned<TcxCustomStyles> Plain(TcxCustomStyles::Create(nullptr));
  Plain->FollowStyleSheet(A);  // another class of set
  EXPECT_EQ(Plain->GetStyleSheet(), nullptr);

  Control->Changed.clear();
  Free(B);
  EXPECT_EQ(Control->GetStyleSheet(), nullptr);
  EXPECT_EQ(Control->Changed, (std::vector<int>{7, 3}));
  EXPECT_EQ(A->GetFollowerCount(), 0);
}

TEST(StyleRepository, FormDataKeepsStylesSheetsAndTheirResolution) {
  TOwned<TStreamRoot> Root(TStreamRoot::Create(nullptr));
  Root->SetName("Root");
  auto* Repository = TcxStyleRepository::Create(Root.get());
  Repository->SetName("Repository");
  auto* Style = static_cast<TcxStyle*>(Repository->NewStyleOwnedBy(TcxStyle::StaticClass(), Root.get()));
  Style->SetName("Warning");
  Style->SetColor(clYellow);
  Style->GetFont()->SetHeight(-20);
  auto* Sheet = Repository->NewStyleSheetOwnedBy(TTestStyleSheet::StaticClass(), Root.get());
  Sheet->SetName("Sheet");
  EXPECT_EQ(Repository->GetStyleCount(), 1);
  TOwned<TMemoryStream> Stream = WriteTree(Root.get());
  const std::string Text = StreamText(Stream.get());
  EXPECT_NE(Text.find("PixelsPerInch = " + std::to_string(ScreenPixelsPerInch())), std::string::npos) << Text;
  EXPECT_NE(Text.find("BuiltIn = False"), std::string::npos) << Text;
  EXPECT_NE(Text.find("Color = clYellow"), std::string::npos) << Text;
  EXPECT_EQ(Text.find("TextColor"), std::string::npos) << Text;
  EXPECT_LT(Text.find("Warning"), Text.find("Sheet: TTestStyleSheet")) << Text;

  TOwned<TComponent> Copy = ReadTree(Stream.get());
  auto* Back = dynamic_cast<TcxStyleRepository*>(Copy->FindComponent("Repository"));
  ASSERT_NE(Back, nullptr);
  ASSERT_EQ(Back->GetStyleCount(), 1);
  ASSERT_EQ(Back->GetStyleSheetCount(), 1);
  auto* BackStyle = dynamic_cast<TcxStyle*>(Back->GetStyle(0));
  ASSERT_NE(BackStyle, nullptr);
  EXPECT_EQ(BackStyle->GetColor(), clYellow);
  EXPECT_EQ(BackStyle->GetFont()->GetHeight(), -20);
  EXPECT_EQ(Back->GetPixelsPerInch(), ScreenPixelsPerInch());
}

TEST(StyleRepository, FontsWrittenAtAnotherResolutionScaleWhenAsked) {
  const int Written = ScreenPixelsPerInch() == 120 ? 96 : 120;
  for (bool Scalable : {true, false}) {
    std::string Form = "object Root: TStreamRoot\n  object Repository: TcxStyleRepository\n    Scalable = " +
                       std::string(Scalable ? "True" : "False") + "\n    PixelsPerInch = " + std::to_string(Written) +
                       "\n    object Big: TcxStyle\n      AssignedValues = [svFont]\n      Font.Height = -30\n"
                       "    end\n    object Sheet: TTestStyleSheet\n      BuiltIn = True\n    end\n  end\nend\n";
    TOwned<TMemoryStream> Binary = BinaryOf(Form);
    TOwned<TComponent> Root = ReadTree(Binary.get());
    auto* Big = dynamic_cast<TcxStyle*>(Root->FindComponent("Big"));
    ASSERT_NE(Big, nullptr);
    EXPECT_EQ(Big->GetStyleRepository(), Root->FindComponent("Repository"));
    EXPECT_EQ(Big->GetFont()->GetHeight(), Scalable ? MulDiv(-30, ScreenPixelsPerInch(), Written) : -30) << Scalable;
    EXPECT_EQ(Big->GetAssignedValues(), TcxStyleValues{svFont});
    auto* Sheet = dynamic_cast<TcxCustomStyleSheet*>(Root->FindComponent("Sheet"));
    ASSERT_NE(Sheet, nullptr);
    EXPECT_TRUE(Sheet->GetBuiltIn());
    EXPECT_EQ(Sheet->GetStyleRepository(), Root->FindComponent("Repository"));
  }
}
