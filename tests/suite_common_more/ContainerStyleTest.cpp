// Container styles: how the four states resolve their values, what a style
// controller lends, and what a style keeps in form data.
#include <gtest/gtest.h>

#include <string>

#include "framework/ClassRegistry.h"
#include "suite/common/cxContainerStyle.h"
#include "tests/suite_common_more/StreamSupport.h"

namespace {
struct States {
  TOwned<TcxContainerStyles> Set{TcxContainerStyles::CreateStates(nullptr, nullptr)};
  TcxContainerStyle* operator[](int State) const { return Set->GetStyle(State); }
};

class TStyleHost : public TComponent {
  SONVELT_CLASS(TStyleHost, TComponent)
public:
  explicit TStyleHost(TComponent* AOwner)
      : TComponent(AOwner), Style(TcxContainerStyle::CreateForState(this, 0, nullptr)) {}
  TcxContainerStyle* GetStyle() const { return Style.get(); }
  static void Publish(TPublisher<TStyleHost>& P);
  TOwned<TcxContainerStyle> Style;
};
}  // namespace

SONVELT_PUBLISHED(TStyleHost, P) { P.Object("Style", &TStyleHost::GetStyle); }

namespace {
const bool Registered = (RegisterClasses({TStreamRoot::StaticClass(), TStyleHost::StaticClass()}), true);
}  // namespace

TEST(ContainerStyle, StatesFallBackToTheBaseStyleAndTheirOwnDefaults) {
  States S;
  S[0]->SetColor(clRed);
  EXPECT_EQ(S[2]->GetBorderColor(), clBtnShadow);
  EXPECT_EQ(S[2]->GetTextColor(), clBtnShadow);
  EXPECT_EQ(S[2]->GetColor(), clRed);
  EXPECT_EQ(S[0]->GetBorderColor(), clWindowFrame);
  EXPECT_EQ(S[1]->GetBorderColor(), clWindowFrame);
  S[0]->GetFont()->SetColor(clNavy);
  EXPECT_EQ(S[0]->GetTextColor(), clNavy) << "the base text colour is the font's";
  EXPECT_EQ(S[3]->GetTextColor(), clNavy);
  S[1]->SetColor(clLime);
  EXPECT_EQ(S[1]->GetColor(), clLime);
  EXPECT_EQ(S[3]->GetColor(), clRed);
  EXPECT_FALSE(S[3]->GetShadow());
  EXPECT_TRUE(S[2]->GetHotTrack());
  EXPECT_TRUE(S[1]->GetTransparentBorder());
  EXPECT_EQ(S[1]->GetEdges(), cxBordersAll);

  // The base border follows the look-and-feel; hot states map it while hot tracking is on.
  const std::pair<TcxLookAndFeelKind, TcxContainerBorderStyle> Kinds[] = {
      {lfFlat, cbsFlat}, {lfStandard, cbs3D}, {lfUltraFlat, cbsUltraFlat}, {lfOffice11, cbsOffice11}};
  for (auto [Kind, Border] : Kinds) {
    S[0]->GetLookAndFeel()->SetKind(Kind);
    EXPECT_EQ(S[0]->GetBorderStyle(), Border) << Kind;
  }
  const TcxContainerBorderStyle Hot[] = {cbsFlat, cbsThick, cbsThick, cbs3D, cbs3D, cbsUltraFlat, cbsOffice11};
  for (int B = cbsNone; B <= cbsOffice11; ++B) {
    S[0]->SetHotTrack(true);
    S[0]->SetBorderStyle(static_cast<TcxContainerBorderStyle>(B));
    EXPECT_EQ(S[1]->GetBorderStyle(), Hot[B]) << B;
    EXPECT_EQ(S[3]->GetBorderStyle(), Hot[B]) << B;
    EXPECT_EQ(S[2]->GetBorderStyle(), B) << B;
    S[3]->SetHotTrack(false);
    EXPECT_EQ(S[1]->GetBorderStyle(), B) << B;
  }
}

TEST(ContainerStyle, BaseOnlyValuesAreSetOnTheBaseStyle) {
  States S;
  S[3]->SetShadow(true);
  EXPECT_TRUE(S[0]->GetShadow());
  EXPECT_TRUE(S[0]->GetAssignedValues().Contains(csvShadow));
  EXPECT_FALSE(S[3]->GetAssignedValues().Contains(csvShadow));
  S[2]->SetEdges({bLeft, bTop});
  EXPECT_EQ(S[1]->GetEdges(), (TcxBorders{bLeft, bTop}));
  S[1]->GetFont()->SetName("Courier New");
  EXPECT_EQ(S[0]->GetFont()->GetName(), "Courier New");
  EXPECT_TRUE(S[0]->GetAssignedValues().Contains(csvFont));

  // Every value of the table answers whether it is assigned, the last one included.
  for (int V = 0; V < 10; ++V) EXPECT_EQ(S[0]->IsStyleValueAssigned(V), V == csvEdges || V == csvFont || V == csvShadow) << V;
  S[0]->SetTransparentBorder(false);
  EXPECT_TRUE(S[0]->IsStyleValueAssigned(csvTransparentBorder));
  EXPECT_TRUE(S[2]->IsStyleValueAssigned(csvTransparentBorder)) << "base-only values answer for every state";
  EXPECT_FALSE(S[0]->IsStyleValueAssigned(10));

  std::string Name;
  EXPECT_TRUE(S[0]->StyleValueName(9, Name));
  EXPECT_EQ(Name, "TransparentBorder");
  EXPECT_FALSE(S[0]->StyleValueName(10, Name));
  EXPECT_EQ(Name, "");
  EXPECT_TRUE(S[2]->BorderPresent());
}

TEST(ContainerStyle, ChangesInsideAnUpdateAreToldOnceAtTheEnd) {
  TOwned<TcxContainerStyle> Style(TcxContainerStyle::CreateForState(nullptr, 0, nullptr));
  int Told = 0;
  struct Counter {
    int* N;
    void Changed(TObject*) { ++*N; }
  } C{&Told};
  Style->OnChanged = Bind(&C, &Counter::Changed);
  Style->BeginUpdate();
  Style->SetColor(clRed);
  Style->SetBorderColor(clBlue);
  Style->GetFont()->SetSize(14);
  EXPECT_EQ(Told, 0);
  Style->EndUpdate();
  EXPECT_EQ(Told, 1);
  Style->SetColor(clRed);
  EXPECT_EQ(Told, 1) << "the same assigned value is no change";

  // The font-tracking lock keeps a font change from counting as an assignment.
  Style->ResetToDefaults();
  EXPECT_TRUE(Style->GetAssignedValues().Empty()) << "a reset font is not an assigned font";
  Style->LockFontTracking();
  Style->GetFont()->SetName("Arial");
  Style->UnlockFontTracking();
  EXPECT_FALSE(Style->GetAssignedValues().Contains(csvFont));
  Style->GetFont()->SetName("Tahoma");
  EXPECT_TRUE(Style->GetAssignedValues().Contains(csvFont));
}

TEST(ContainerStyle, ControllersLendTheirValuesUntilTheyGo) {
  TOwned<TComponent> Owner(TComponent::Create(nullptr));
  auto* Ctrl = TcxStyleController::Create(Owner.get());
  States S;
  Ctrl->GetStyles()->GetStyle(0)->SetColor(clYellow);
  Ctrl->GetStyles()->GetStyle(2)->SetTextColor(clGray);
  Ctrl->GetStyle()->GetFont()->SetName("Courier New");
  Ctrl->GetStyle()->GetLookAndFeel()->SetKind(lfOffice11);
  S[2]->SetStyleController(Ctrl);
  EXPECT_EQ(S[0]->GetStyleController(), Ctrl);
  EXPECT_EQ(S[0]->GetColor(), clYellow);
  EXPECT_TRUE(S[0]->IsStyleValueAssigned(csvColor));
  EXPECT_EQ(S[2]->GetTextColor(), clGray);
  EXPECT_EQ(S[0]->GetFont()->GetName(), "Courier New");
  EXPECT_FALSE(S[0]->GetAssignedValues().Contains(csvFont)) << "a lent font is not the style's own";
  EXPECT_EQ(S[0]->GetLookAndFeel()->GetKind(), lfOffice11) << "the controller's look-and-feel is the master";
  EXPECT_EQ(Ctrl->ListenerCount(), 1);

  // Changes of the controller reach the style.
  Ctrl->GetStyle()->SetColor(clAqua);
  EXPECT_EQ(S[1]->GetColor(), clAqua);

  Free(Ctrl);
  EXPECT_EQ(S[0]->GetStyleController(), nullptr);
  EXPECT_EQ(S[0]->GetColor(), clBtnFace);
  EXPECT_EQ(S[2]->GetTextColor(), clBtnShadow);
  EXPECT_EQ(S[0]->GetLookAndFeel()->GetKind(), lfUltraFlat);
}

TEST(ContainerStyle, ControllersCannotFollowEachOtherInACircle) {
  TOwned<TComponent> Owner(TComponent::Create(nullptr));
  auto* A = TcxStyleController::Create(Owner.get());
  auto* B = TcxStyleController::Create(Owner.get());
  A->GetStyle()->SetStyleController(B);
  B->GetStyle()->SetStyleController(A);
  EXPECT_EQ(A->GetStyle()->GetStyleController(), B);
  EXPECT_EQ(B->GetStyle()->GetStyleController(), nullptr);
  EXPECT_EQ(A->GetFakeStyleController(), B);
  A->GetStyle()->SetStyleController(A);
  EXPECT_EQ(A->GetStyle()->GetStyleController(), B);
  B->GetStyle()->SetColor(clMaroon);
  EXPECT_EQ(A->GetStyle()->GetColor(), clMaroon);
}

TEST(ContainerStyle, AssignCopiesResolvedTextValuesAndTheAssignedSet) {
  States From;
  From[0]->SetBorderStyle(cbsThick);
  From[0]->GetFont()->SetColor(clPurple);
  TOwned<TcxContainerStyle> To(TcxContainerStyle::CreateForState(nullptr, 0, nullptr));
  To->Assign(From[0]);
  EXPECT_EQ(To->GetBorderStyle(), cbsThick);
  EXPECT_EQ(To->GetFont()->GetColor(), clPurple);
  EXPECT_EQ(To->GetAssignedValues(), From[0]->GetAssignedValues());
}

TEST(ContainerStyle, FormDataKeepsAssignedValuesAndTheFontMark) {
  TOwned<TStreamRoot> Root(TStreamRoot::Create(nullptr));
  Root->SetName("Root");
  auto* Host = TStyleHost::Create(Root.get());
  Host->SetName("Host");
  Host->Style->SetColor(clRed);
  Host->Style->GetFont()->SetName("Courier New");
  TOwned<TMemoryStream> Stream = WriteTree(Root.get());
  const std::string Text = StreamText(Stream.get());
  EXPECT_NE(Text.find("Style.IsFontAssigned = True"), std::string::npos) << Text;
  EXPECT_NE(Text.find("Style.Color = clRed"), std::string::npos) << Text;
  EXPECT_EQ(Text.find("Style.BorderColor"), std::string::npos) << Text;

  TOwned<TComponent> Copy = ReadTree(Stream.get());
  auto* Back = dynamic_cast<TStyleHost*>(Copy->FindComponent("Host"));
  ASSERT_NE(Back, nullptr);
  EXPECT_EQ(Back->Style->GetColor(), clRed);
  EXPECT_EQ(Back->Style->GetFont()->GetName(), "Courier New");
  EXPECT_EQ(Back->Style->GetAssignedValues(), (TcxContainerStyleValues{csvColor, csvFont}));

  // The mark counts whatever value it holds.
  TOwned<TMemoryStream> Marked = BinaryOf(
      "object Root: TStreamRoot\n  object Host: TStyleHost\n    Style.IsFontAssigned = False\n  end\nend\n");
  TOwned<TComponent> FromText = ReadTree(Marked.get());
  auto* Read = dynamic_cast<TStyleHost*>(FromText->FindComponent("Host"));
  ASSERT_NE(Read, nullptr);
  EXPECT_TRUE(Read->Style->GetAssignedValues().Contains(csvFont));
}
