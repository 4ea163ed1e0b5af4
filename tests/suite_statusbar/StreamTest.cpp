// Status bars in form data: every stored property comes back, the style's class
// name is read before the style, widths are stored only once assigned, an unknown
// style name gives a panel without style, and the main window's bar read from its
// form text shares its width as the program shows it.
#include <gtest/gtest.h>

#include <string>

#include "framework/ClassRegistry.h"
#include "framework/ComponentStreams.h"
#include "framework/ImageList.h"
#include "framework/MemoryStreams.h"
#include "framework/ObjectText.h"
#include "framework/Panel.h"
#include "suite/navbar/StatusBarContainer.h"
#include "suite/navbar/StatusBarKeyboardState.h"
#include "suite/navbar/StatusBarStateIndicators.h"
#include "tests/suite_statusbar/StatusBarFixture.h"

namespace {

class TStatusForm : public TForm {
  SONVELT_CLASS(TStatusForm, TForm)
public:
  explicit TStatusForm(TComponent* AOwner) : TForm(AOwner) {}
  static void Publish(TPublisher<TStatusForm>& P);
  void PanelClick(TObject*) {}
  void PanelDblClick(TObject*) {}
  void StyleEvents(TObject*) {}
  void BarHint(TObject*) {}
  void DrawPanel(TdxStatusBarPanel*, TcxCanvas*, const RECT&, bool&) {}
  void GetText(TObject*, const RECT&, std::string&) {}
};

}  // namespace

SONVELT_PUBLISHED(TStatusForm, P) {
  P.Handler("PanelClick", &TStatusForm::PanelClick);
  P.Handler("PanelDblClick", &TStatusForm::PanelDblClick);
  P.Handler("StyleEvents", &TStatusForm::StyleEvents);
  P.Handler("BarHint", &TStatusForm::BarHint);
  P.Handler("DrawPanel", &TStatusForm::DrawPanel);
  P.Handler("GetText", &TStatusForm::GetText);
}

namespace {

const bool Registered = (RegisterClasses({TImageList::StaticClass(), TPanel::StaticClass()}), true);

TOwned<TMemoryStream> Write(TComponent* Root) {
  TOwned<TMemoryStream> S(TMemoryStream::Create());
  WriteComponent(S.get(), Root);
  S->SetPosition(0);
  return S;
}

std::string Text(TMemoryStream* Binary) {
  TOwned<TMemoryStream> T(TMemoryStream::Create());
  Binary->SetPosition(0);
  ObjectBinaryToText(Binary, T.get());
  Binary->SetPosition(0);
  return std::string(static_cast<const char*>(T->GetMemory()), static_cast<size_t>(T->GetSize()));
}

TOwned<TMemoryStream> BinaryOf(const std::string& FormText) {
  TOwned<TMemoryStream> In(TMemoryStream::Create()), Out(TMemoryStream::Create());
  In->Write(FormText.data(), static_cast<int>(FormText.size()));
  In->SetPosition(0);
  ObjectTextToBinary(In.get(), Out.get());
  Out->SetPosition(0);
  return Out;
}

template <class T>
T* StyleOf(TdxStatusBar* Bar, int Index) {
  return dynamic_cast<T*>(Bar->GetPanels()->Items(Index)->GetPanelStyle());
}

TEST(StatusBarStream, EveryStoredPropertyComesBack) {
  TOwned<TStatusForm> Source(TStatusForm::Create(nullptr));
  Source->SetName("StatusForm");
  TImageList* Images = TImageList::Create(Source.get());
  Images->SetName("Images");
  auto* Bar = TdxStatusBar::Create(Source.get());
  Bar->SetName("Bar");
  Bar->SetParent(Source.get());
  Bar->SetImages(Images);
  Bar->SetPaintStyle(stpsOffice11);
  Bar->SetSizeGrip(false);
  Bar->GetLookAndFeel()->SetKind(lfOffice11);
  Bar->GetLookAndFeel()->SetNativeStyle(true);
  Bar->SetBorderWidth(2);
  Bar->SetColor(clInfoBk);
  Bar->GetFont()->SetHeight(-13);
  Bar->OnHint = Bind(Source.get(), &TStatusForm::BarHint);

  TdxStatusBarPanel* Text0 = Bar->GetPanels()->Add();
  Text0->SetText("Ready");
  Text0->SetBevel(dxpbRaised);
  Text0->SetBiDiMode(bdRightToLeft);
  Text0->SetFixed(false);
  Text0->SetMinWidth(30);
  Text0->SetWidth(140);
  Text0->SetVisible(false);
  Text0->OnClick = Bind(Source.get(), &TStatusForm::PanelClick);
  Text0->OnDblClick = Bind(Source.get(), &TStatusForm::PanelDblClick);
  Text0->OnDrawPanel = Bind(Source.get(), &TStatusForm::DrawPanel);
  Text0->PanelStyleEvents = Bind(Source.get(), &TStatusForm::StyleEvents);
  auto* T = static_cast<TdxStatusBarTextPanelStyle*>(Text0->GetPanelStyle());
  T->SetAlignment(taCenter);
  T->SetAutoHint(true);
  T->SetColor(clBlack);
  T->SetImageIndex(2);
  T->SetEllipsisType(dxetSmartPath);
  T->GetFont()->SetName("Tahoma");
  T->OnGetText = Bind(Source.get(), &TStatusForm::GetText);

  TdxStatusBarPanel* Lamps1 = Bar->GetPanels()->Add();
  Lamps1->SetPanelStyleClassName("TdxStatusBarStateIndicatorPanelStyle");
  auto* L = static_cast<TdxStatusBarStateIndicatorPanelStyle*>(Lamps1->GetPanelStyle());
  L->SetColor(clYellow);
  L->SetSpacing(6);
  L->GetIndicators()->Add()->SetIndicatorType(sitRed);
  TdxStatusBarStateIndicatorItem* Hidden = L->GetIndicators()->Add();
  Hidden->SetIndicatorType(sitGreen);
  Hidden->SetVisible(false);

  TdxStatusBarPanel* Keys2 = Bar->GetPanels()->Add();
  Keys2->SetPanelStyleClassName("TdxStatusBarKeyboardStatePanelStyle");
  auto* K = static_cast<TdxStatusBarKeyboardStatePanelStyle*>(Keys2->GetPanelStyle());
  K->SetColor(clAqua);
  K->SetKeyboardStates({dxksCapsLock, dxksInsert});
  K->SetFullRect(true);
  K->GetCapsLockKeyAppearance()->SetActiveCaption("CAP");
  K->GetCapsLockKeyAppearance()->SetActiveFontColor(clRed);
  K->GetCapsLockKeyAppearance()->SetInactiveFontColor(clGray);
  K->GetInsertKeyAppearance()->SetInactiveCaption("INSERT");

  TdxStatusBarPanel* Box3 = Bar->GetPanels()->Add();
  Box3->SetPanelStyleClassName("TdxStatusBarContainerPanelStyle");
  auto* C = static_cast<TdxStatusBarContainerPanelStyle*>(Box3->GetPanelStyle());
  C->SetAlignControl(false);
  C->GetContainer()->SetName("Box");
  TPanel* Inner = TPanel::Create(Source.get());
  Inner->SetName("Inner");
  Inner->SetParent(C->GetContainer());

  Bar->GetPanels()->Add();  // all defaults

  TOwned<TMemoryStream> Stream = Write(Source.get());
  const std::string FormText = Text(Stream.get());
  // The class name precedes the style's properties; only assigned widths are stored.
  EXPECT_LT(FormText.find("PanelStyleClassName = 'TdxStatusBarTextPanelStyle'"), FormText.find("PanelStyle.Alignment"));
  EXPECT_NE(FormText.find("MinWidth = 30"), std::string::npos);
  EXPECT_EQ(FormText.find("MinWidth = 20"), std::string::npos);
  EXPECT_EQ(FormText.find("Width = 50"), std::string::npos);
  EXPECT_EQ(FormText.find("Align ="), std::string::npos);

  TOwned<TStatusForm> Read(TStatusForm::Create(nullptr));
  ReadComponent(Stream.get(), Read.get());
  auto* B = dynamic_cast<TdxStatusBar*>(Read->FindComponent("Bar"));
  ASSERT_NE(B, nullptr);
  EXPECT_EQ(B->GetImages(), Read->FindComponent("Images"));
  EXPECT_EQ(B->GetPaintStyle(), stpsOffice11);
  EXPECT_FALSE(B->GetSizeGrip());
  EXPECT_EQ(B->GetLookAndFeel()->GetKind(), lfOffice11);
  EXPECT_TRUE(B->GetLookAndFeel()->GetNativeStyle());
  EXPECT_EQ(B->GetBorderWidth(), 2);
  EXPECT_EQ(B->GetColor(), clInfoBk);
  EXPECT_EQ(B->GetFont()->GetHeight(), -13);
  EXPECT_EQ(B->GetAlign(), alBottom);
  EXPECT_TRUE(B->OnHint == Bind(Read.get(), &TStatusForm::BarHint));
  ASSERT_EQ(B->GetPanels()->GetCount(), 5);

  TdxStatusBarPanel* P0 = B->GetPanels()->Items(0);
  EXPECT_EQ(P0->GetText(), "Ready");
  EXPECT_EQ(P0->GetBevel(), dxpbRaised);
  EXPECT_EQ(P0->GetBiDiMode(), bdRightToLeft);
  EXPECT_FALSE(P0->GetParentBiDiMode());
  EXPECT_FALSE(P0->GetFixed());
  EXPECT_EQ(P0->GetMinWidth(), 30);
  EXPECT_EQ(P0->GetWidth(), 140);
  EXPECT_FALSE(P0->GetVisible());
  EXPECT_TRUE(P0->OnClick == Bind(Read.get(), &TStatusForm::PanelClick));
  EXPECT_TRUE(P0->OnDblClick == Bind(Read.get(), &TStatusForm::PanelDblClick));
  EXPECT_TRUE(P0->OnDrawPanel == Bind(Read.get(), &TStatusForm::DrawPanel));
  EXPECT_TRUE(P0->PanelStyleEvents == Bind(Read.get(), &TStatusForm::StyleEvents));
  auto* RT = StyleOf<TdxStatusBarTextPanelStyle>(B, 0);
  ASSERT_NE(RT, nullptr);
  EXPECT_EQ(RT->GetAlignment(), taCenter);
  EXPECT_TRUE(RT->GetAutoHint());
  EXPECT_EQ(RT->GetColor(), clBlack);
  EXPECT_EQ(RT->GetImageIndex(), 2);
  EXPECT_EQ(RT->GetEllipsisType(), dxetSmartPath);
  EXPECT_FALSE(RT->GetParentFont());
  EXPECT_EQ(RT->GetFont()->GetName(), "Tahoma");
  EXPECT_TRUE(RT->OnGetText == Bind(Read.get(), &TStatusForm::GetText));

  auto* RL = StyleOf<TdxStatusBarStateIndicatorPanelStyle>(B, 1);
  ASSERT_NE(RL, nullptr);
  EXPECT_EQ(RL->GetColor(), clYellow);
  EXPECT_EQ(RL->GetSpacing(), 6);
  ASSERT_EQ(RL->GetIndicators()->GetCount(), 2);
  EXPECT_EQ(RL->GetIndicators()->Items(0)->GetIndicatorType(), sitRed);
  EXPECT_EQ(RL->GetIndicators()->Items(1)->GetIndicatorType(), sitGreen);
  EXPECT_FALSE(RL->GetIndicators()->Items(1)->GetVisible());

  auto* RK = StyleOf<TdxStatusBarKeyboardStatePanelStyle>(B, 2);
  ASSERT_NE(RK, nullptr);
  EXPECT_EQ(RK->GetColor(), clAqua);
  EXPECT_EQ(RK->GetKeyboardStates(), (TdxStatusBarKeyboardStates{dxksCapsLock, dxksInsert}));
  EXPECT_TRUE(RK->GetFullRect());
  EXPECT_TRUE(RK->GetParentFont());
  EXPECT_EQ(RK->GetCapsLockKeyAppearance()->GetActiveCaption(), "CAP");
  EXPECT_EQ(RK->GetCapsLockKeyAppearance()->GetActiveFontColor(), clRed);
  EXPECT_EQ(RK->GetCapsLockKeyAppearance()->GetInactiveFontColor(), clGray);
  EXPECT_EQ(RK->GetInsertKeyAppearance()->GetInactiveCaption(), "INSERT");
  EXPECT_EQ(RK->GetInsertKeyAppearance()->GetActiveCaption(), "OVR");

  auto* RC = StyleOf<TdxStatusBarContainerPanelStyle>(B, 3);
  ASSERT_NE(RC, nullptr);
  EXPECT_FALSE(RC->GetAlignControl());
  ASSERT_NE(RC->GetContainer(), nullptr);
  EXPECT_EQ(RC->GetContainer(), Read->FindComponent("Box"));
  EXPECT_EQ(RC->GetContainer()->GetPanelStyle(), RC);
  EXPECT_EQ(RC->GetContainer()->GetParent(), B);
  EXPECT_EQ(static_cast<TControl*>(Read->FindComponent("Inner"))->GetParent(), RC->GetContainer());
  EXPECT_EQ(B->GetControlCount(), 1);

  TdxStatusBarPanel* P4 = B->GetPanels()->Items(4);
  EXPECT_FALSE(P4->IsWidthStored());
  EXPECT_FALSE(P4->IsMinWidthStored());
  EXPECT_EQ(P4->GetWidth(), 50);
  EXPECT_TRUE(P4->GetParentBiDiMode());
  EXPECT_NE(P4->GetPanelStyle(), nullptr);

  // Written again, the bar gives the same data.
  EXPECT_EQ(Text(Write(Read.get()).get()), FormText);
}

TEST(StatusBarStream, UnknownStyleNameGivesAPanelWithoutStyle) {
  TOwned<TMemoryStream> Stream = BinaryOf(
      "object F: TForm\n"
      "  object Bar: TdxStatusBar\n"
      "    Panels = <\n"
      "      item\n"
      "        PanelStyleClassName = 'TMissingPanelStyle'\n"
      "        Text = 'kept'\n"
      "      end\n"
      "      item\n"
      "        Width = 70\n"
      "      end>\n"
      "  end\n"
      "end\n");
  TOwned<TForm> F(TForm::Create(nullptr));
  ReadComponent(Stream.get(), F.get());
  auto* Bar = static_cast<TdxStatusBar*>(F->FindComponent("Bar"));
  ASSERT_EQ(Bar->GetPanels()->GetCount(), 2);
  EXPECT_EQ(Bar->GetPanels()->Items(0)->GetPanelStyle(), nullptr);
  EXPECT_EQ(Bar->GetPanels()->Items(0)->GetText(), "kept");
  // A stored panel without a class name has no style either.
  EXPECT_EQ(Bar->GetPanels()->Items(1)->GetPanelStyle(), nullptr);
  EXPECT_EQ(Bar->GetPanels()->Items(1)->GetWidth(), 70);
}

TEST(StatusBarStream, MainWindowBarFromItsFormText) {
  TOwned<TForm> F(TForm::Create(nullptr));
  ReadComponentRes("MainStatusBar", F.get());
  auto* Bar = static_cast<TdxStatusBar*>(F->FindComponent("dxStatusBar1"));
  ASSERT_NE(Bar, nullptr);
  F->Show();
  Pump();
  EXPECT_EQ(Bar->GetHeight(), 21);
  EXPECT_EQ(Bar->GetPaintStyle(), stpsXP);
  EXPECT_EQ(Bar->GetFont()->GetName(), "MS Sans Serif");
  EXPECT_EQ(Bar->GetFont()->GetHeight(), -11);
  EXPECT_EQ(Bar->GetAlign(), alBottom);
  EXPECT_EQ(Bar->GetWidth(), F->GetClientWidth());
  EXPECT_EQ(Bar->GetTop() + Bar->GetHeight(), F->GetClientHeight());
  ASSERT_EQ(Bar->GetPanels()->GetCount(), 2);
  EXPECT_EQ(Bar->GetPanels()->Items(1)->GetWidth(), 400);
  const TdxStatusBarViewInfo* V = Bar->GetViewInfo();
  ASSERT_EQ(V->WidthCount(), 3);
  EXPECT_EQ(V->Width(0), 132);
  EXPECT_EQ(V->Width(1), Bar->GetPainter()->SeparatorWidth(Bar));
  const RECT Area = Bar->PanelArea();
  EXPECT_EQ(V->Width(0) + V->Width(1) + V->Width(2), Area.right - Area.left);
  EXPECT_TRUE(Bar->SizeGripVisible());
}

}  // namespace
