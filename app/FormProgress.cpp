#include "app/FormProgress.h"

#include <memory>

#include "app/ControlLayout.h"
#include "app/FontReplacement.h"
#include "app/ResourceImages.h"
#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/OwnedObject.h"
#include "framework/RangeControls.h"
#include "res/ResourceIds.h"
#include "skins/PngObject.h"

TFormProgress* FormProgressInstance = nullptr;

TFormProgress::TFormProgress(TComponent* AOwner) : TForm(AOwner) {
  SetCaption("Processing...");
  SetBorderStyle(bsSingle);
  SetBorderIcons({});
  SetFormStyle(fsStayOnTop);
  SetPosition(poMainFormCenter);
  GetFont()->SetName("Tahoma");
  GetFont()->SetSize(8);
  SetClientWidth(294);
  SetClientHeight(88);

  ImageIcon = AddControl<TImage>(this, 12, 12, 32, 32);
  ImageIcon->SetAutoSize(true);
  ImageIcon->SetTransparent(true);
  try {
    TOwned<TPNGObject> Png = MakeOwned<TPNGObject>();
    LoadPngResource(Png.get(), IDP_PROGRESS);
    ImageIcon->GetPicture()->SetGraphic(Png.get());
  } catch (const Exception&) {
    // A program built without its pictures still shows its progress.
  }
  LabelProcess = AddControl<TLabel>(this, 56, 14, 220, 14, "Process audio data");
  LabelWait = AddControl<TLabel>(this, 56, 32, 220, 14, "Please wait...");
  ProgressBar = AddControl<TProgressBar>(this, 12, 58, 270, 18);
  ProgressBar->SetMin(0);
  ProgressBar->SetMax(100);
  OnShow = TNotifyEvent(this, &TFormProgress::FormShow);
}

void TFormProgress::FormShow(TObject*) { ApplyHintFont(this); }
