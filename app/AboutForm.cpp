#include "app/AboutForm.h"

#include <memory>

#include "app/ControlLayout.h"
#include "app/FileNames.h"
#include "app/FontReplacement.h"
#include "app/ResourceImages.h"
#include "app/ShellFolders.h"
#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/Button.h"
#include "framework/Colors.h"
#include "framework/Image.h"
#include "framework/IniFiles.h"
#include "framework/Label.h"
#include "framework/OwnedObject.h"
#include "framework/Panel.h"
#include "res/ResourceIds.h"

const char* const ProductWebAddress = "https://sonvelt.example.org/";

std::string AboutVersionText(const std::string& Title, const std::string& Folder) {
  // Only read: the encoder library carries its version as INI-style text.
  TOwned<TIniFile> Ini = MakeOwned<TIniFile>(IncludeBackslash(Folder) + "lame.dll");
  return Title + " v" + Ini->ReadString("SYSTEM", "Version", "");
}

namespace {

TLabel* AddArialLabel(TAboutForm* Form, int Top, const std::string& Caption, bool Bold) {
  TLabel* Label = AddControl<TLabel>(Form, Form->PanelMain, 16, Top, 220, 16, Caption);
  Label->GetFont()->SetName("Arial");
  Label->GetFont()->SetHeight(-13);
  if (Bold) Label->GetFont()->SetStyle({fsBold});
  return Label;
}

}  // namespace

TAboutForm::TAboutForm(TComponent* AOwner) : TProgramForm(AOwner) {
  SetCaption("Sonvelt");
  SetBorderStyle(bsSingle);
  SetBorderIcons({biSystemMenu});
  GetFont()->SetName("Tahoma");
  GetFont()->SetSize(8);
  SetClientWidth(388);
  SetClientHeight(244);

  Image = AddControl<TImage>(this, 0, 0, 120, 200);
  Image->SetAutoSize(true);
  try {
    TOwned<TBitmap> Art = MakeOwned<TBitmap>();
    LoadBitmapResource(Art.get(), IDB_ABOUT);
    Image->GetPicture()->SetGraphic(Art.get());
  } catch (const Exception&) {
    // Without its artwork the box still tells the version.
  }
  PanelMain = AddControl<TPanel>(this, 120, 0, 268, 200);
  PanelMain->SetBevelOuter(bvNone);
  PanelMain->SetParentColor(false);
  PanelMain->SetColor(clWhite);
  LabelName = AddArialLabel(this, 24, "Sonvelt", true);
  LabelVersion = AddArialLabel(this, 48, "", false);
  LabelDistributed = AddControl<TLabel>(this, PanelMain, 16, 100, 90, 14, "Distributed by:");
  LabelNIT = AddControl<TLabel>(this, PanelMain, 16, 118, 230, 14, "Sonvelt Audio");
  LabelWEB = AddControl<TLabel>(this, PanelMain, 16, 170, 236, 14, ProductWebAddress);
  LabelWEB->SetAutoSize(false);
  LabelWEB->SetAlignment(taRightJustify);
  LabelWEB->SetCursor(crHandPoint);
  LabelWEB->GetFont()->SetColor(clBlue);
  LabelWEB->OnClick = TNotifyEvent(this, &TAboutForm::LabelWEBClick);

  ButtonOK = AddControl<TButton>(this, 300, 210, 75, 25, "&OK");
  ButtonOK->SetDefault(true);
  ButtonOK->SetCancel(true);
  ButtonOK->SetModalResult(mrOk);
  OnShow = TNotifyEvent(this, &TAboutForm::FormShow);
}

void TAboutForm::FormShow(TObject*) {
  ApplyHintFont(this);
  LabelVersion->SetCaption(AboutVersionText(Application->GetTitle(), ProgramFolder()));
}

void TAboutForm::LabelWEBClick(TObject*) { ShellOpen(ProductWebAddress); }
