// The bar's layout in an INI-style store: view, styles, items and groups with
// their links, and the bar's style slots.
#include <algorithm>
#include <cctype>
#include <string>

#include "framework/Bitmap.h"
#include "framework/ClassRegistry.h"
#include "framework/Graphic.h"
#include "framework/Icon.h"
#include "framework/JpegImage.h"
#include "framework/MemoryStreams.h"
#include "framework/StringLists.h"
#include "suite/navbar/NavBar.h"

namespace {
const char* const BarStyleKeys[8] = {"StyleBackgroundStyleIndex",        "StyleButtonStyleIndex",
                                     "StyleButtonHotTrackedStyleIndex",  "StyleButtonPressedStyleIndex",
                                     "StyleDropTargetGroupStyleIndex",   "StyleDropTargetLinkStyleIndex",
                                     "StyleHintStyleIndex",              "StyleNavigationPaneHeaderStyleIndex"};
const int BarStyleSlots[8] = {0, 4, 5, 6, 2, 3, 1, 7};
const char* const ItemStyleKeys[4] = {"StyleStyleIndex", "StyleDisabledStyleIndex", "StyleHotTrackedStyleIndex",
                                      "StylePressedStyleIndex"};
const int ItemStyleSlots[4] = {0, 1, 2, 3};
const char* const GroupStyleKeys[5] = {"StyleBackgroundStyleIndex", "StyleHeaderStyleIndex",
                                       "StyleHeaderActiveStyleIndex", "StyleHeaderHotTrackedStyleIndex",
                                       "StyleHeaderPressedStyleIndex"};
const int GroupStyleSlots[5] = {0, 2, 3, 6, 7};

std::string Section(const char* Prefix, int N) { return Prefix + std::to_string(N); }

// "Layout", or one of the prefixes followed by digits alone: other sections of
// a shared store are not ours to erase.
bool IsLayoutSection(const std::string& Name) {
  if (Name == "Layout") return true;
  for (const char* P : {"Group", "Item", "Style"}) {
    std::string Prefix = P;
    if (Name.size() <= Prefix.size() || Name.compare(0, Prefix.size(), Prefix) != 0) continue;
    bool Digits = true;
    for (size_t I = Prefix.size(); I < Name.size(); ++I) Digits &= std::isdigit(static_cast<unsigned char>(Name[I])) != 0;
    if (Digits) return true;
  }
  return false;
}

std::string ToHex(const std::vector<std::uint8_t>& Bytes) {
  static const char D[] = "0123456789ABCDEF";
  std::string S;
  for (std::uint8_t B : Bytes) {
    S += D[B >> 4];
    S += D[B & 15];
  }
  return S;
}

bool FromHex(const std::string& S, std::vector<std::uint8_t>& Bytes) {
  if (S.size() % 2) return false;
  auto V = [](char C) {
    if (C >= '0' && C <= '9') return C - '0';
    C = static_cast<char>(std::toupper(static_cast<unsigned char>(C)));
    return C >= 'A' && C <= 'F' ? C - 'A' + 10 : -1;
  };
  Bytes.clear();
  for (size_t I = 0; I < S.size(); I += 2) {
    int Hi = V(S[I]), Lo = V(S[I + 1]);
    if (Hi < 0 || Lo < 0) return false;
    Bytes.push_back(static_cast<std::uint8_t>(Hi * 16 + Lo));
  }
  return true;
}

int RepositoryIndex(TdxNavBarStyleRepository* R, TdxNavBarStyleItem* Item) { return Item ? R->IndexOf(Item) : -1; }

void SaveStyle(TCustomIniFile* Ini, const std::string& S, TdxNavBarStyleItem* Item) {
  TdxNavBarStyle* St = Item->GetStyle();
  TdxBarStyleAssignedValues A = St->GetAssignedValues();
  if (A.Contains(savBackColor)) Ini->WriteInteger(S, "BackColor", St->GetBackColor());
  if (A.Contains(savBackColor2)) Ini->WriteInteger(S, "BackColor2", St->GetBackColor2());
  if (A.Contains(savAlphaBlending)) Ini->WriteInteger(S, "AlphaBlending", St->GetAlphaBlending());
  if (A.Contains(savAlphaBlending2)) Ini->WriteInteger(S, "AlphaBlending2", St->GetAlphaBlending2());
  if (A.Contains(savFont)) {
    TFont* F = St->GetFont();
    Ini->WriteInteger(S, "FontCharset", F->GetCharset());
    Ini->WriteInteger(S, "FontColor", F->GetColor());
    Ini->WriteInteger(S, "FontHeight", F->GetHeight());
    Ini->WriteString(S, "FontName", F->GetName());
    Ini->WriteInteger(S, "FontPitch", F->GetPitch());
    Ini->WriteInteger(S, "FontSize", F->GetSize());
    Ini->WriteBool(S, "FontStyleBold", F->GetStyle().Contains(fsBold));
    Ini->WriteBool(S, "FontStyleItalic", F->GetStyle().Contains(fsItalic));
    Ini->WriteBool(S, "FontStyleUnderline", F->GetStyle().Contains(fsUnderline));
    Ini->WriteBool(S, "FontStyleStrikeOut", F->GetStyle().Contains(fsStrikeOut));
  }
  if (A.Contains(savGradientMode)) Ini->WriteInteger(S, "GradientMode", St->GetGradientMode());
  TGraphic* G = St->GetImage()->GetGraphic();
  if (A.Contains(savImage) && G && !G->GetEmpty()) {
    TOwned<TMemoryStream> M(TMemoryStream::Create());
    G->SaveToStream(M.get());
    const auto* P = static_cast<const std::uint8_t*>(M->GetMemory());
    Ini->WriteString(S, "ImageClass", G->ClassName());
    Ini->WriteString(S, "Image", ToHex(std::vector<std::uint8_t>(P, P + M->GetSize())));
  }
  if (A.Contains(savHAlignment)) Ini->WriteInteger(S, "HAlignment", St->GetHAlignment());
  if (A.Contains(savVAlignment)) Ini->WriteInteger(S, "VAlignment", St->GetVAlignment());
  Ini->WriteInteger(S, "Tag", static_cast<int>(Item->GetTag()));
}

void LoadStyle(TCustomIniFile* Ini, const std::string& S, TdxNavBarStyleItem* Item) {
  TdxNavBarStyle* St = Item->GetStyle();
  St->SetBackColor(Ini->ReadInteger(S, "BackColor", St->GetBackColor()));
  St->SetBackColor2(Ini->ReadInteger(S, "BackColor2", St->GetBackColor2()));
  St->SetAlphaBlending(static_cast<std::uint8_t>(Ini->ReadInteger(S, "AlphaBlending", St->GetAlphaBlending())));
  St->SetAlphaBlending2(static_cast<std::uint8_t>(Ini->ReadInteger(S, "AlphaBlending2", St->GetAlphaBlending2())));
  St->SetGradientMode(static_cast<TdxBarStyleGradientMode>(Ini->ReadInteger(S, "GradientMode", St->GetGradientMode()) & 3));
  St->SetHAlignment(static_cast<TdxBarStyleHAlignment>(std::clamp(Ini->ReadInteger(S, "HAlignment", St->GetHAlignment()), 0, 2)));
  St->SetVAlignment(static_cast<TdxBarStyleVAlignment>(std::clamp(Ini->ReadInteger(S, "VAlignment", St->GetVAlignment()), 0, 2)));
  TFont* F = St->GetFont();
  if (Ini->ValueExists(S, "FontCharset") || Ini->ValueExists(S, "FontName")) {
    F->SetCharset(static_cast<TFontCharset>(Ini->ReadInteger(S, "FontCharset", F->GetCharset())));
    F->SetColor(Ini->ReadInteger(S, "FontColor", F->GetColor()));
    F->SetHeight(Ini->ReadInteger(S, "FontHeight", F->GetHeight()));
    F->SetName(Ini->ReadString(S, "FontName", F->GetName()));
    F->SetPitch(static_cast<TFontPitch>(std::clamp(Ini->ReadInteger(S, "FontPitch", F->GetPitch()), 0, 2)));
    F->SetSize(Ini->ReadInteger(S, "FontSize", F->GetSize()));
    TFontStyles Styles = F->GetStyle();
    const std::pair<const char*, TFontStyle> Keys[] = {{"FontStyleBold", fsBold},
                                                       {"FontStyleItalic", fsItalic},
                                                       {"FontStyleUnderline", fsUnderline},
                                                       {"FontStyleStrikeOut", fsStrikeOut}};
    // A stored false takes the style away again.
    for (auto& [Key, Style] : Keys)
      if (Ini->ValueExists(S, Key)) {
        if (Ini->ReadBool(S, Key, false)) Styles.Include(Style);
        else Styles.Exclude(Style);
      }
    F->SetStyle(Styles);
  }
  if (Ini->ValueExists(S, "Image")) {
    std::vector<std::uint8_t> Bytes;
    // The framework's pictures are known by name, as stored layouts name them.
    RegisterClasses({TBitmap::StaticClass(), TIcon::StaticClass(), TJPEGImage::StaticClass()});
    TClass C = GetClass(Ini->ReadString(S, "ImageClass", ""));
    // Only picture classes, and only well-formed data, may replace the image.
    if (C && C->InheritsFrom(TGraphic::StaticClass()) && FromHex(Ini->ReadString(S, "Image", ""), Bytes)) {
      TGraphic* G = static_cast<TGraphic*>(C->CreateInstance());
      try {
        TOwned<TMemoryStream> M(TMemoryStream::Create());
        M->WriteBuffer(Bytes.data(), static_cast<std::int64_t>(Bytes.size()));
        M->SetPosition(0);
        G->LoadFromStream(M.get());
        St->GetImage()->SetGraphic(G);
      } catch (...) {
      }
      Free(G);
    }
  }
  Item->SetTag(Ini->ReadInteger(S, "Tag", static_cast<int>(Item->GetTag())));
}

// An index into the repository, or null when it is not one: such a key is skipped.
TdxNavBarStyleItem* StyleAt(TdxNavBarStyleRepository* R, TCustomIniFile* Ini, const std::string& S, const char* Key) {
  int I = Ini->ReadInteger(S, Key, 0);
  return I >= 0 && I < R->Count() ? R->Items(I) : nullptr;
}

template <class T, class C>
T* FindOrAdd(C* Collection, const std::string& Name, const std::string& Caption) {
  if (!Name.empty())
    if (auto* F = Collection->ItemByName(Name)) return static_cast<T*>(F);
  if (!Caption.empty())
    for (int I = 0; I < Collection->Count(); ++I)
      if (Collection->Items(I)->GetCaption() == Caption) return Collection->Items(I);
  return Collection->Add();
}
}  // namespace

void TdxCustomNavBar::SaveLayoutToIniFile(TCustomIniFile* Ini, bool SaveStyles) {
  TOwned<TStringList> Sections(TStringList::Create());
  Ini->ReadSections(Sections.get());
  for (int I = 0; I < Sections->GetCount(); ++I)
    if (IsLayoutSection(Sections->GetStrings(I))) Ini->EraseSection(Sections->GetStrings(I));
  Ini->WriteInteger("Layout", "View", FView);
  TdxNavBarStyleRepository* R = FOptionsStyle->GetCustomStyleRepository();
  if (SaveStyles) {
    Ini->WriteInteger("Layout", "StyleCount", R->Count());
    for (int I = 0; I < R->Count(); ++I) SaveStyle(Ini, Section("Style", I), R->Items(I));
  }
  bool Styles = SaveStyles && R->Count() > 0;
  Ini->WriteInteger("Layout", "ItemCount", FItems->Count());
  for (int I = 0; I < FItems->Count(); ++I) {
    TdxNavBarItem* It = FItems->Items(I);
    std::string S = Section("Item", I);
    Ini->WriteString(S, "Caption", It->GetCaption());
    Ini->WriteBool(S, "Enabled", It->GetEnabled());
    Ini->WriteString(S, "Hint", It->GetHint());
    Ini->WriteInteger(S, "LargeImageIndex", It->GetLargeImageIndex());
    Ini->WriteString(S, "Name", It->GetName());
    Ini->WriteInteger(S, "SmallImageIndex", It->GetSmallImageIndex());
    if (Styles)
      for (int K = 0; K < 4; ++K)
        if (TdxNavBarStyleItem* St = It->GetStyle(ItemStyleSlots[K]))
          Ini->WriteInteger(S, ItemStyleKeys[K], RepositoryIndex(R, St));
    Ini->WriteInteger(S, "Tag", static_cast<int>(It->GetTag()));
    Ini->WriteBool(S, "Visible", It->GetVisible());
  }
  Ini->WriteInteger("Layout", "GroupCount", FGroups->Count());
  for (int I = 0; I < FGroups->Count(); ++I) {
    TdxNavBarGroup* G = FGroups->Items(I);
    std::string S = Section("Group", I);
    Ini->WriteString(S, "Caption", G->GetCaption());
    Ini->WriteBool(S, "Expanded", G->GetExpanded());
    Ini->WriteString(S, "Hint", G->GetHint());
    Ini->WriteInteger(S, "LargeImageIndex", G->GetLargeImageIndex());
    Ini->WriteInteger(S, "LinkCount", G->LinkCount());
    for (int K = 0; K < G->LinkCount(); ++K)
      if (TdxNavBarItem* It = G->Links(K)->GetItem())
        Ini->WriteInteger(S, "Link" + std::to_string(K) + "ItemIndex", FItems->IndexOf(It));
    Ini->WriteBool(S, "LinksUseSmallImages", G->GetLinksUseSmallImages());
    Ini->WriteString(S, "Name", G->GetName());
    Ini->WriteInteger(S, "SelectedLinkIndex", G->GetSelectedLinkIndex());
    Ini->WriteBool(S, "ShowControl", G->GetShowControl());
    Ini->WriteBool(S, "ShowAsIconView", G->GetShowAsIconView());
    Ini->WriteBool(S, "ShowExpandButton", G->GetShowExpandButton());
    Ini->WriteInteger(S, "SmallImageIndex", G->GetSmallImageIndex());
    if (Styles)
      for (int K = 0; K < 5; ++K)
        if (TdxNavBarStyleItem* St = G->GetStyle(GroupStyleSlots[K]))
          Ini->WriteInteger(S, GroupStyleKeys[K], RepositoryIndex(R, St));
    Ini->WriteInteger(S, "Tag", static_cast<int>(G->GetTag()));
    Ini->WriteInteger(S, "TopVisibleLinkIndex", G->GetTopVisibleLinkIndex());
    Ini->WriteBool(S, "UseSmallImages", G->GetUseSmallImages());
    Ini->WriteBool(S, "Visible", G->GetVisible());
    Ini->WriteBool(S, "UseControl", G->GetUseControl());
    if (G->GetUseControl()) {
      Ini->WriteBool(S, "ShowControl", G->GetShowControl());
      if (G->GetControl()) Ini->WriteString(S, "ControlName", G->GetControl()->GetName());
    }
  }
  if (Styles)
    for (int K = 0; K < 8; ++K)
      if (TdxNavBarStyleItem* St = GetBarStyle(BarStyleSlots[K]))
        Ini->WriteInteger("Layout", BarStyleKeys[K], RepositoryIndex(R, St));
  Ini->WriteInteger("Layout", "ActiveGroup", GetActiveGroupIndex());
  Ini->WriteInteger("Layout", "NavigationPaneMaxVisibleGroups", GetNavigationPaneMaxVisibleGroups());
}

void TdxCustomNavBar::LoadLayoutFromIniFile(TCustomIniFile* Ini, bool LoadStyles) {
  BeginUpdate();
  try {
    SetView(Ini->ReadInteger("Layout", "View", FView));
    TdxNavBarStyleRepository* R = FOptionsStyle->GetCustomStyleRepository();
    if (LoadStyles && Ini->ValueExists("Layout", "StyleCount")) {
      R->RemoveAll();
      int N = Ini->ReadInteger("Layout", "StyleCount", 0);
      for (int I = 0; I < N; ++I) LoadStyle(Ini, Section("Style", I), R->Add());
    }
    bool Styles = LoadStyles && R->Count() > 0;
    if (Ini->ValueExists("Layout", "ItemCount")) {
      int N = Ini->ReadInteger("Layout", "ItemCount", 0);
      for (int I = 0; I < N; ++I) {
        std::string S = Section("Item", I);
        auto* It = FindOrAdd<TdxNavBarItem>(FItems.get(), Ini->ReadString(S, "Name", ""),
                                            Ini->ReadString(S, "Caption", ""));
        It->SetCaption(Ini->ReadString(S, "Caption", It->GetCaption()));
        It->SetEnabled(Ini->ReadBool(S, "Enabled", It->GetEnabled()));
        It->SetHint(Ini->ReadString(S, "Hint", It->GetHint()));
        It->SetLargeImageIndex(Ini->ReadInteger(S, "LargeImageIndex", It->GetLargeImageIndex()));
        It->SetSmallImageIndex(Ini->ReadInteger(S, "SmallImageIndex", It->GetSmallImageIndex()));
        if (Styles)
          for (int K = 0; K < 4; ++K)
            if (Ini->ValueExists(S, ItemStyleKeys[K]))
              if (TdxNavBarStyleItem* St = StyleAt(R, Ini, S, ItemStyleKeys[K])) It->SetStyle(ItemStyleSlots[K], St);
        It->SetTag(Ini->ReadInteger(S, "Tag", static_cast<int>(It->GetTag())));
        It->SetVisible(Ini->ReadBool(S, "Visible", It->GetVisible()));
      }
    }
    if (Ini->ValueExists("Layout", "GroupCount")) {
      std::vector<std::pair<TdxNavBarGroup*, TdxNavBarGroupControl*>> Controls;
      for (int I = 0; I < FGroups->Count(); ++I) {
        TdxNavBarGroup* G = FGroups->Items(I);
        if (G->GetUseControl() && G->GetControl()) {
          Controls.push_back({G, G->GetControl()});
          G->DetachControl();
        }
      }
      int N = Ini->ReadInteger("Layout", "GroupCount", 0);
      for (int I = 0; I < N; ++I) {
        std::string S = Section("Group", I);
        auto* G = FindOrAdd<TdxNavBarGroup>(FGroups.get(), Ini->ReadString(S, "Name", ""),
                                            Ini->ReadString(S, "Caption", ""));
        G->SetCaption(Ini->ReadString(S, "Caption", G->GetCaption()));
        G->SetExpanded(Ini->ReadBool(S, "Expanded", G->GetExpanded()));
        G->SetHint(Ini->ReadString(S, "Hint", G->GetHint()));
        G->SetLargeImageIndex(Ini->ReadInteger(S, "LargeImageIndex", G->GetLargeImageIndex()));
        G->SetLinksUseSmallImages(Ini->ReadBool(S, "LinksUseSmallImages", G->GetLinksUseSmallImages()));
        G->ClearLinks();
        int Links = Ini->ReadInteger(S, "LinkCount", 0);
        for (int K = 0; K < Links; ++K) {
          int Index = Ini->ReadInteger(S, "Link" + std::to_string(K) + "ItemIndex", -1);
          if (Index >= 0 && Index < FItems->Count()) G->CreateLink(FItems->Items(Index));
        }
        G->SetSelectedLinkIndex(Ini->ReadInteger(S, "SelectedLinkIndex", G->GetSelectedLinkIndex()));
        G->SetShowAsIconView(Ini->ReadBool(S, "ShowAsIconView", G->GetShowAsIconView()));
        G->SetShowExpandButton(Ini->ReadBool(S, "ShowExpandButton", G->GetShowExpandButton()));
        G->SetSmallImageIndex(Ini->ReadInteger(S, "SmallImageIndex", G->GetSmallImageIndex()));
        if (Styles)
          for (int K = 0; K < 5; ++K)
            if (Ini->ValueExists(S, GroupStyleKeys[K]))
              if (TdxNavBarStyleItem* St = StyleAt(R, Ini, S, GroupStyleKeys[K])) G->SetStyle(GroupStyleSlots[K], St);
        G->SetTag(Ini->ReadInteger(S, "Tag", static_cast<int>(G->GetTag())));
        G->SetTopVisibleLinkIndex(Ini->ReadInteger(S, "TopVisibleLinkIndex", G->GetTopVisibleLinkIndex()));
        G->SetUseSmallImages(Ini->ReadBool(S, "UseSmallImages", G->GetUseSmallImages()));
        G->SetVisible(Ini->ReadBool(S, "Visible", G->GetVisible()));
        bool Took = false;
        if (Ini->ReadBool(S, "UseControl", false)) {
          TComponent* Owner = G->GetOwner();
          auto* C = Owner ? dynamic_cast<TdxNavBarGroupControl*>(Owner->FindComponent(Ini->ReadString(S, "ControlName", "")))
                          : nullptr;
          if (C) {
            G->AttachControl(C);
            G->GetOptionsGroupControl()->StoreControlFlags(true, Ini->ReadBool(S, "ShowControl", true));
            std::erase_if(Controls, [C](auto& P) { return P.second == C; });
            Took = true;
          }
        }
        if (!Took && !G->GetControl()) G->GetOptionsGroupControl()->StoreControlFlags(false, false);
        G->MoveToIndex(I);
      }
      for (auto& [G, C] : Controls) {
        if (G->GetUseControl() && !G->GetControl()) G->AttachControl(C);
        else Free(C);
      }
    }
    int Active = Ini->ReadInteger("Layout", "ActiveGroup", -1);
    if (Active >= 0 && Active < FGroups->Count()) SetActiveGroupIndex(Active);
    SetNavigationPaneMaxVisibleGroups(
        Ini->ReadInteger("Layout", "NavigationPaneMaxVisibleGroups", GetNavigationPaneMaxVisibleGroups()));
    if (Styles)
      for (int K = 0; K < 8; ++K)
        if (Ini->ValueExists("Layout", BarStyleKeys[K]))
          if (TdxNavBarStyleItem* St = StyleAt(R, Ini, "Layout", BarStyleKeys[K])) SetBarStyle(BarStyleSlots[K], St);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}
