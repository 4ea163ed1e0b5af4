#include <gtest/gtest.h>

#include <fstream>

#include "DialogDriver.h"
#include "app/AboutForm.h"
#include "app/ControlLayout.h"
#include "app/DialogPlacement.h"
#include "app/FileNames.h"
#include "app/FontReplacement.h"
#include "app/FormProgress.h"
#include "app/GlobalVars.h"
#include "app/NewFileForm.h"
#include "app/ResourceImages.h"
#include "framework/Bitmap.h"
#include "framework/Button.h"
#include "framework/FileUtils.h"
#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/ListControls.h"
#include "framework/Panel.h"
#include "framework/RangeControls.h"
#include "res/ResourceIds.h"
#include "skins/PngObject.h"

TEST(NewFileDialog, ShowsThePreviousChoiceAndStoresTheNewOne) {
  GlobalVarsRecord->DefNewFileSampleRate = 6;  // 22,050
  GlobalVarsRecord->DefNewFileChannels = 1;
  TForm* Owner = TForm::Create(nullptr);
  TModalAnswers::Add("TNewFileForm", [](TCustomForm* F) {
    auto* Dlg = static_cast<TNewFileForm*>(F);
    EXPECT_EQ(Dlg->cbSampleRate->GetText(), "22,050");
    EXPECT_TRUE(Dlg->rbMono->GetChecked());
    EXPECT_EQ(Dlg->SampleRate(), 22050);
    EXPECT_EQ(Dlg->Channels(), 1);
    ChooseItem(Dlg->cbSampleRate, 1);
    ClickButton(Dlg->rbStereo);
    EXPECT_EQ(Dlg->SampleRate(), 88200);
    EXPECT_EQ(Dlg->Channels(), 2);
    ClickButton(Dlg->ButtonOK);
  });
  EXPECT_TRUE(RunSettingsDialog<TNewFileForm>(Owner));
  EXPECT_EQ(GlobalVarsRecord->DefNewFileSampleRate, 1);
  EXPECT_EQ(GlobalVarsRecord->DefNewFileChannels, 0);

  TModalAnswers::Add("TNewFileForm", [](TCustomForm* F) {
    auto* Dlg = static_cast<TNewFileForm*>(F);
    ChooseItem(Dlg->cbSampleRate, 11);
    ClickButton(Dlg->ButtonCancel);
  });
  EXPECT_FALSE(RunSettingsDialog<TNewFileForm>(Owner));
  EXPECT_EQ(GlobalVarsRecord->DefNewFileSampleRate, 1);
  TModalAnswers::Clear();
  Free(Owner);
}

TEST(AboutBox, VersionComesFromTheEncoderLibrarysData) {
  const std::string Dir = GetTempDirectory() + "sonvelt-about";
  ForceDirectories(Dir);
  const std::string Lame = IncludeBackslash(Dir) + "lame.dll";
  DeleteFile(Lame);
  EXPECT_EQ(AboutVersionText("Sonvelt", Dir), "Sonvelt v");
  std::ofstream(Lame) << "[OTHER]\nVersion=9\n";
  EXPECT_EQ(AboutVersionText("Sonvelt", Dir), "Sonvelt v");
  std::ofstream(Lame) << "[SYSTEM]\nVersion=3.100\n";
  EXPECT_EQ(AboutVersionText("Sonvelt", Dir), "Sonvelt v3.100");
  DeleteFile(Lame);
}

TEST(AboutBox, ShowsTitleAndArtwork) {
  Application->SetTitle("Sonvelt");
  TAboutForm* About = TAboutForm::Create(nullptr);
  About->Show();
  EXPECT_EQ(About->LabelVersion->GetCaption().rfind("Sonvelt v", 0), 0u);
  EXPECT_EQ(About->Image->GetWidth(), 120);
  EXPECT_EQ(About->Image->GetHeight(), 200);
  Free(About);
}

TEST(ProgressWindow, CarriesItsIconAndRange) {
  TFormProgress* Progress = TFormProgress::Create(nullptr);
  EXPECT_EQ(Progress->GetCaption(), "Processing...");
  EXPECT_EQ(Progress->ImageIcon->GetWidth(), 32);
  EXPECT_EQ(Progress->ProgressBar->GetMax(), 100);
  EXPECT_EQ(Progress->GetFormStyle(), fsStayOnTop);
  Free(Progress);
}

TEST(Resources, SplashIsCutAwayInMagentaAtItsCorners) {
  TBitmap* Splash = TBitmap::Create();
  LoadBitmapResource(Splash, IDB_SPLASH);
  ASSERT_EQ(Splash->GetWidth(), 392);
  ASSERT_EQ(Splash->GetHeight(), 212);
  HDC DC = Splash->GetCanvas()->GetHandle();
  for (POINT P : {POINT{0, 0}, POINT{391, 0}, POINT{0, 211}, POINT{391, 211}})
    EXPECT_EQ(GetPixel(DC, P.x, P.y), RGB(255, 0, 255)) << P.x << "," << P.y;
  EXPECT_NE(GetPixel(DC, 196, 106), RGB(255, 0, 255));
  Free(Splash);

  const struct {
    int Id, Size;
  } Glyphs[] = {{IDP_PROGRESS, 32}, {IDP_PLAY, 32},   {IDP_RECORD, 32},        {IDP_PAUSE, 32},
                {IDP_STOP, 32},     {IDP_START, 32},  {IDP_REWIND, 32},        {IDP_FORWARD, 32},
                {IDP_END, 32},      {IDP_ZOOMIN, 16}, {IDP_ZOOMOUT, 16},       {IDP_ZOOMSELECTION, 16},
                {IDP_ZOOMFULL, 16}, {IDP_TIMESTART, 16}, {IDP_TIMESELECTION, 16}};
  for (const auto& G : Glyphs) {
    TPNGObject* Png = TPNGObject::Create();
    LoadPngResource(Png, G.Id);
    EXPECT_EQ(Png->GetWidth(), G.Size) << G.Id;
    EXPECT_EQ(Png->GetHeight(), G.Size) << G.Id;
    Free(Png);
  }
  EXPECT_NE(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MAINICON), IMAGE_ICON, 32, 32, 0), nullptr);
}

TEST(FontReplacement, RenamesTheDesignFontThroughNestedControls) {
  TForm* Form = TForm::Create(nullptr);
  TLabel* Plain = AddControl<TLabel>(Form, 0, 0, 50, 14, "a");
  TPanel* Panel = AddControl<TPanel>(Form, 0, 20, 100, 50);
  TButton* Nested = AddControl<TButton>(Form, Panel, 0, 0, 50, 20, "b");
  TLabel* Other = AddControl<TLabel>(Form, 0, 80, 50, 14, "c");
  for (TControl* C : std::initializer_list<TControl*>{Plain, Panel, Nested}) C->GetFont()->SetName("Tahoma");
  Other->GetFont()->SetName("Courier New");

  ReplaceControlFont(Form, "Tahoma", "No Such Font Anywhere");
  EXPECT_EQ(Plain->GetFont()->GetName(), "Tahoma");

  const std::string Installed = Screen->GetFonts().at(0);
  ASSERT_NE(Installed, "Tahoma");
  ReplaceControlFont(Form, "Tahoma", Installed);
  EXPECT_EQ(Plain->GetFont()->GetName(), Installed);
  EXPECT_EQ(Panel->GetFont()->GetName(), Installed);
  EXPECT_EQ(Nested->GetFont()->GetName(), Installed);
  EXPECT_EQ(Other->GetFont()->GetName(), "Courier New");
  Free(Form);
}
