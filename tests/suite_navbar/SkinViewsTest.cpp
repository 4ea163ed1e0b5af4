// The skin-based views: the scheme picks the stored skin, an unknown scheme is
// refused, the pane's parts come from the skin, and the Vista bar follows the
// visual style.
#include "tests/suite_navbar/NavBarFixture.h"

#include "framework/Bitmap.h"
#include "framework/MemoryStreams.h"
#include "framework/ObjectText.h"
#include "framework/Reader.h"
#include "framework/Writer.h"
#include "suite/common/ThemeManager.h"
#include "suite/common/cxCanvas.h"
#include "suite/navbar/NavBarExplorerViews.h"
#include "suite/navbar/NavBarNavPaneController.h"
#include "suite/navbar/NavBarScrollBar.h"
#include "suite/navbar/NavBarSkinViews.h"

namespace {
struct SkinViewsFixture : NavBarFixture {
  int ViewNumber() override { return 17; }
  TdxNavBarOffice12NavPanePainter* Pane() { return dynamic_cast<TdxNavBarOffice12NavPanePainter*>(Bar->GetPainter()); }
  COLORREF HeaderPixel() {
    auto* V = static_cast<TdxNavBarNavigationPaneViewInfo*>(VI());
    return BitmapPixel(V->HeaderBounds.left + 20, (V->HeaderBounds.top + V->HeaderBounds.bottom) / 2);
  }
  // The pixel at At of element E drawn alone over Over, as the views draw it.
  COLORREF ElementPixel(TdxSkinElement* E, RECT Over, POINT At, int ImageIndex = 0,
                        TdxSkinElementState State = esNormal) {
    return ElementPixel({{E, Over}}, At, ImageIndex, State);
  }
  // The same for elements drawn one over another.
  COLORREF ElementPixel(std::initializer_list<std::pair<TdxSkinElement*, RECT>> Layers, POINT At, int ImageIndex = 0,
                        TdxSkinElementState State = esNormal) {
    HDC Screen = GetDC(nullptr);
    HDC DC = CreateCompatibleDC(Screen);
    HBITMAP B = CreateCompatibleBitmap(Screen, Bar->GetClientWidth(), Bar->GetClientHeight());
    ReleaseDC(nullptr, Screen);
    HGDIOBJ Old = SelectObject(DC, B);
    for (const auto& [E, Over] : Layers) E->Draw(DC, Over, State, ImageIndex);
    COLORREF C = GetPixel(DC, At.x, At.y);
    SelectObject(DC, Old);
    DeleteObject(B);
    DeleteDC(DC);
    return C;
  }
};
}  // namespace

TEST_F(SkinViewsFixture, TheSchemePicksTheStoredSkinAndUnknownOnesAreRefused) {
  ASSERT_NE(Pane(), nullptr);
  Pane()->SetColorSchemeName("Black");
  Paint();
  ASSERT_NE(Pane()->Skin(), nullptr);
  EXPECT_EQ(Pane()->Skin()->GetSkin()->GetName(), "Office12_Black");
  EXPECT_EQ(Pane()->Skin()->PlaceholderCount(), 0);
  COLORREF Black = HeaderPixel();
  Pane()->SetColorSchemeName("Silver");
  EXPECT_TRUE(Pane()->IsRecreatePending());
  Paint();
  EXPECT_EQ(Pane()->Skin()->GetSkin()->GetName(), "Office12_Silver");
  EXPECT_NE(HeaderPixel(), Black);
  EXPECT_THROW(Pane()->SetColorSchemeName("Purple"), EdxSkin);
  EXPECT_EQ(Pane()->GetColorSchemeName(), "Silver");
  // A later painter starts with the last scheme set.
  Bar->SetView(18);
  auto* E = dynamic_cast<TdxNavBarOffice12ExplorerBarPainter*>(Bar->GetPainter());
  ASSERT_NE(E, nullptr);
  EXPECT_EQ(E->GetColorSchemeName(), "Silver");
  E->SetColorSchemeName("Blue");
}

TEST_F(SkinViewsFixture, PanePartsAreDrawnFromTheSkin) {
  Bar->GetOptionsBehavior()->GetNavigationPane()->SetCollapsible(true);
  Paint();
  auto* V = static_cast<TdxNavBarSkinBasedNavPaneViewInfo*>(VI());
  // The header takes the skin's caption height, the splitter 8 pixels.
  EXPECT_EQ(V->HeaderBounds.bottom - V->HeaderBounds.top, 28);
  EXPECT_EQ(V->SplitterBounds.bottom - V->SplitterBounds.top, 8);
  EXPECT_EQ(V->GetNavigationPaneHeaderFontColor(), Pane()->Skin()->NavPaneCaption->GetTextColor());
  // The header font takes the caption's size (12; the pane's own default is 11).
  EXPECT_EQ(V->GetNavigationPaneHeaderFont()->GetSize(), 12);
  // The overflow row keeps the skin's content offset above and below its chevron,
  // which is as wide as the chevron's cell (20; the pane's own is 18).
  TdxNavBarOverflowPanelViewInfo* O = V->GetOverflowPanel();
  EXPECT_EQ(O->SignBounds.top - O->PanelBounds.top, 2);
  EXPECT_EQ(O->PanelBounds.bottom - O->SignBounds.bottom, 2);
  EXPECT_EQ(O->SignBounds.right - O->SignBounds.left, 20);
  // The popup's frame is the skin's popup border: 3 pixels round the inner bar.
  TOwned<TdxNavBarPopupControlViewInfo> Popup(Pane()->CreatePopupControlViewInfo(V));
  Popup->Calculate(100);
  RECT C = Popup->ContentRect();
  EXPECT_EQ(C.left, 3);
  EXPECT_EQ(C.top, 3);
  EXPECT_EQ(Popup->PopupBounds.right - C.right, 3);
  EXPECT_TRUE(Popup->IsSizingEdge(Popup->PopupBounds.right - 3));
  EXPECT_FALSE(Popup->IsSizingEdge(Popup->PopupBounds.right - 4));
  // A group control stands off the pane's border on both sides.
  Bar->SetActiveGroup(G[0]);
  G[0]->SetUseControl(true);
  Paint();
  RECT Shown = G[0]->GetControl()->GetBoundsRect();
  EXPECT_EQ(Shown.left, GVI(0)->ClientRect.left + 1);
  EXPECT_EQ(Shown.right, GVI(0)->ClientRect.right - 1);
}

TEST_F(SkinViewsFixture, VistaBarFollowsTheVisualStyle) {
  Bar->SetView(19);
  Paint();
  EXPECT_EQ(GVI(0)->CaptionRect.left, 1);
  TUxThemeEntries Saved = SubstituteUxTheme(TUxThemeEntries{});
  Bar->SetView(0);
  Bar->SetView(19);
  Paint();
  EXPECT_EQ(GVI(0)->CaptionRect.left, 0);
  // Without the style a caption is a solid window-coloured bar.
  RECT C = GVI(1)->CaptionRect;
  EXPECT_EQ(BitmapPixel(C.right - 30, C.top + 2), static_cast<COLORREF>(ColorToRGB(clWindow)));
  EXPECT_EQ(GVI(1)->GetCaptionFontColor(), clWindowText);
  SubstituteUxTheme(Saved);
}

TEST_F(SkinViewsFixture, DropMarkAndControlSplitterComeFromTheSkin) {
  for (int View : {17, 18}) {
    Bar->SetView(View);
    Bar->SetActiveGroup(G[0]);
    Paint();
    auto* Helper = View == 17 ? Pane()->PainterHelper()
                              : dynamic_cast<TdxNavBarSkinBasedExplorerBarPainter*>(Bar->GetPainter())->PainterHelper();
    TdxSkinElement* Mark = Helper->NavBarDragDropItemTarget();
    ASSERT_NE(Mark, nullptr) << View;
    int H = Mark->GetImage()->CellSize().cy;
    // Below a link: a band as high as the mark's cell, ending at the link's bottom.
    TdxNavBarLinkViewInfo* L = LVI(0, 0);
    ASSERT_NE(L, nullptr) << View;
    RECT Band{L->Rect.left, L->Rect.bottom - H, L->Rect.right, L->Rect.bottom};
    POINT Inside{(Band.left + Band.right) / 2, Band.top + 1};
    COLORREF Above = BitmapPixel(Inside.x, Band.top - 1);
    auto* Painter = static_cast<TdxNavBarElementPainter*>(Bar->GetPainter());
    Painter->DrawDropTargetLinkMark(GVI(0), L, nullptr);
    EXPECT_EQ(BitmapPixel(Inside.x, Inside.y), ElementPixel(Mark, Band, Inside)) << View;
    EXPECT_EQ(BitmapPixel(Inside.x, Band.top - 1), Above) << View;
    // Above the first link when there is none before.
    RECT Top{L->Rect.left, L->Rect.top, L->Rect.right, L->Rect.top + H};
    POINT In{(Top.left + Top.right) / 2, Top.top + 1};
    Painter->DrawDropTargetLinkMark(GVI(0), nullptr, L);
    EXPECT_EQ(BitmapPixel(In.x, In.y), ElementPixel(Mark, Top, In)) << View;
  }
  // View 18: a resizable group control's sizing bar is the skin's splitter, grown by its margins.
  G[0]->SetUseControl(true);
  G[0]->GetOptionsGroupControl()->SetAllowControlResizing(true);
  Paint();
  auto* E = dynamic_cast<TdxNavBarExplorerBarGroupViewInfo*>(GVI(0));
  ASSERT_TRUE(E && !IsRectEmpty(&E->ControlSplitterRect));
  RECT S = E->ControlSplitterRect;
  auto* Painter = dynamic_cast<TdxNavBarSkinBasedExplorerBarPainter*>(Bar->GetPainter());
  TdxSkinElement* Splitter = Painter->PainterHelper()->Info(&TdxSkinInfo::NavPaneSplitter);
  RECT M = Splitter->ContentMargins();
  RECT Over{S.left - M.left, S.top - M.top, S.right + M.right, S.bottom + M.bottom};
  for (POINT P : {POINT{S.left + 3, (S.top + S.bottom) / 2}, POINT{(S.left + S.right) / 2, S.top}})
    EXPECT_EQ(BitmapPixel(P.x, P.y), ElementPixel(Splitter, Over, P)) << P.x << "," << P.y;
}

TEST_F(SkinViewsFixture, ConfigurationMenuItemsTakeTheSkinLook) {
  Paint();
  TdxNavBarSkinInfo* S = Pane()->Skin();
  ASSERT_NE(S, nullptr);
  const int W = 150, H = 22, Strip = 16 + 2 * 3;
  TOwned<TBitmap> Target(TBitmap::Create());
  Target->SetPixelFormat(pf32bit);
  Target->SetSize(W, H);
  auto Pixel = [&](POINT P) { return GetPixel(Target->GetCanvas()->GetHandle(), P.x, P.y); };
  const POINT Body{W - 3, H / 2}, Side{2, H / 2}, Line{W - 5, H / 2};
  // A plain item: the menu's body (grown by its borders) with the side strip at the left.
  Pane()->DrawOverflowMenuItem(Target->GetCanvas(), RECT{0, 0, W, H}, 0, "Mail", -1, nullptr);
  EXPECT_EQ(Pixel(Body), ElementPixel(S->BarsPopupMenu, RECT{-1, -1, W + 1, H + 1}, Body));
  EXPECT_EQ(Pixel(Side), ElementPixel(S->BarsPopupMenuSideStrip, RECT{0, 0, Strip + 2, H}, Side));
  // Highlighted: the selected link over the whole item.
  Pane()->DrawOverflowMenuItem(Target->GetCanvas(), RECT{0, 0, W, H}, 0x20, "Mail", -1, nullptr);
  EXPECT_EQ(Pixel(Body), ElementPixel(S->BarsPopupMenuLinkSelected, RECT{0, 0, W, H}, Body));
  // Checked only: the selected link over the image column alone.
  Pane()->DrawOverflowMenuItem(Target->GetCanvas(), RECT{0, 0, W, H}, 0x01, "Mail", -1, nullptr);
  EXPECT_EQ(Pixel(Side), ElementPixel(S->BarsPopupMenuLinkSelected, RECT{0, 0, Strip, H}, Side));
  EXPECT_EQ(Pixel(Body), ElementPixel(S->BarsPopupMenu, RECT{-1, -1, W + 1, H + 1}, Body));
  // A separator: one line from past the strip to the right edge.
  Pane()->DrawOverflowMenuItem(Target->GetCanvas(), RECT{0, 0, W, H}, 0, "-", -1, nullptr);
  EXPECT_EQ(Pixel(Line), ElementPixel({{S->BarsPopupMenu, RECT{-1, -1, W + 1, H + 1}},
                                        {S->BarsPopupMenuSeparator, RECT{Strip + 4, H / 2, W, H / 2 + 1}}},
                                       Line));
  EXPECT_NE(Pixel(Line), Pixel(POINT{W - 5, H / 2 - 2}));
}

TEST_F(SkinViewsFixture, ColorSchemeNameIsStoredWithTheBarAndCopiedByAssign) {
  Pane()->SetColorSchemeName("Black");
  TOwned<TMemoryStream> Stream(TMemoryStream::Create());
  {
    TOwned<TWriter> W(TWriter::Create(Stream.get()));
    W->WriteRootComponent(Bar);
  }
  TOwned<TMemoryStream> Text(TMemoryStream::Create());
  Stream->SetPosition(0);
  ObjectBinaryToText(Stream.get(), Text.get());
  std::string Form(static_cast<const char*>(Text->GetMemory()), static_cast<size_t>(Text->GetSize()));
  EXPECT_NE(Form.find("ViewStyle.ColorSchemeName = 'Black'"), std::string::npos) << Form;
  // Read into a bar of another view while the default scheme is another one.
  TdxNavBar* Other = Add<TdxNavBar>(RECT{200, 0, 380, 300});
  Other->SetView(17);
  static_cast<TdxNavBarOffice12NavPanePainter*>(Other->GetPainter())->SetColorSchemeName("Silver");
  Other->SetView(0);
  Stream->SetPosition(0);
  {
    TOwned<TReader> R(TReader::Create(Stream.get()));
    R->ReadRootComponent(Other);
  }
  auto* Read = dynamic_cast<TdxNavBarOffice12NavPanePainter*>(Other->GetPainter());
  ASSERT_NE(Read, nullptr);
  EXPECT_EQ(Read->GetColorSchemeName(), "Black");
  // Assign copies the scheme between painters of the class; another painter gives nothing.
  Read->SetColorSchemeName("Silver");
  Pane()->SetColorSchemeName("Blue");
  Read->Assign(Pane());
  EXPECT_EQ(Read->GetColorSchemeName(), "Blue");
  Bar->SetView(18);
  Read->Assign(Bar->GetPainter());
  EXPECT_EQ(Read->GetColorSchemeName(), "Blue");
}

TEST_F(SkinViewsFixture, ExplorerBarScrollBarIsDrawnFromTheSkin) {
  Bar->SetView(18);
  Bar->SetHeight(90);
  Paint();
  auto* SB = dynamic_cast<TdxNavBarcxOffice12ScrollBar*>(Bar->GetScrollBar()->GetControl());
  ASSERT_NE(SB, nullptr);
  ASSERT_TRUE(SB->GetVisible());
  TdxSkinInfo* S = dynamic_cast<TdxNavBarSkinBasedExplorerBarPainter*>(Bar->GetPainter())->PainterHelper()->GetSkinInfo();
  TdxSkinElement *Button = S->ScrollInfo[0][1].Element, *Thumb = S->ScrollInfo[0][3].Element,
                 *Track = S->ScrollInfo[0][4].Element;
  ASSERT_TRUE(Button && Thumb && Track);
  // The thumb is never shorter than its cell, and the bar hot-tracks.
  EXPECT_EQ(SB->GetViewInfo()->MinThumbLength, Thumb->GetImage()->CellSize().cy);
  EXPECT_TRUE(SB->PainterHotTracks());
  // Each part as its element: the arrows by image index, the thumb in its state.
  TOwned<TBitmap> Target(TBitmap::Create());
  Target->SetPixelFormat(pf32bit);
  Target->SetSize(16, 60);
  TOwned<TcxCanvas> C(TcxCanvas::Create(Target->GetCanvas()));
  struct Row {
    TcxScrollBarPaintPart Part;
    TcxPaintButtonState State;
    TdxSkinElement* Element;
    int ImageIndex;
    TdxSkinElementState Expected;
  } Rows[] = {
      {sppLineUp, pbsNormal, Button, 0, esNormal},
      {sppLineDown, pbsPressed, Button, 1, esPressed},
      {sppThumb, pbsHot, Thumb, 0, esHot},
      {sppPageDown, pbsNormal, Track, 0, esNormal},
  };
  const RECT R{0, 20, 16, 40};
  for (const Row& W : Rows) {
    SB->DrawPart(C.get(), R, W.State, W.Part);
    for (POINT P : {POINT{8, 24}, POINT{3, 30}})
      EXPECT_EQ(GetPixel(Target->GetCanvas()->GetHandle(), P.x, P.y),
                ElementPixel(W.Element, R, P, W.ImageIndex, W.Expected))
          << W.Part << " at " << P.x << "," << P.y;
  }
  // The up and down arrows differ, as do normal and hot thumbs.
  bool ArrowsDiffer = false;
  for (int Y = R.top; Y < R.bottom && !ArrowsDiffer; ++Y)
    for (int X = R.left; X < R.right && !ArrowsDiffer; ++X)
      ArrowsDiffer = ElementPixel(Button, R, POINT{X, Y}, 0) != ElementPixel(Button, R, POINT{X, Y}, 1);
  EXPECT_TRUE(ArrowsDiffer);
  EXPECT_NE(ElementPixel(Thumb, R, POINT{8, 24}, 0, esHot), ElementPixel(Thumb, R, POINT{8, 24}, 0, esNormal));
}
