// "Options": how new files are made, the Explorer verb, the working folder and the
// play-after options. The default rate and channels, the folder picker and the
// deletion of the recent-files list take effect at once, even when the dialog is
// then cancelled.
#pragma once

#include "framework/Form.h"

class TButton;
class TCheckBox;
class TEdit;
class TGroupBox;
class TPageControl;
class TRadioButton;
class TTabSheet;

class TOptionsForm : public TForm {
  SONVELT_CLASS(TOptionsForm, TForm)
public:
  explicit TOptionsForm(TComponent* AOwner);

  TPageControl* PageControl = nullptr;
  TTabSheet* TabSheetGeneral = nullptr;
  TGroupBox* GroupBoxWhenCreating = nullptr;
  TRadioButton* RadioButtonPrompt = nullptr;
  TRadioButton* RadioButtonUseDefault = nullptr;
  TButton* ButtonSetDefault = nullptr;
  TGroupBox* GroupBoxOptions = nullptr;
  TCheckBox* CheckBoxAutorearrange = nullptr;
  TCheckBox* CheckBoxAddToExplore = nullptr;
  TButton* ButtonDeleteRecent = nullptr;
  TTabSheet* TabSheetAudioProcessing = nullptr;
  TGroupBox* GroupBoxWorkingFolder = nullptr;
  TRadioButton* RadioButtonUseDefaultFolder = nullptr;
  TRadioButton* RadioButtonUseSpecifiedFolder = nullptr;
  TEdit* EditFolder = nullptr;
  TButton* ButtonFolder = nullptr;
  TGroupBox* GroupBoxPlayOptions = nullptr;
  TCheckBox* CheckBoxPlayAfterOpen = nullptr;
  TCheckBox* CheckBoxPlayAfterEdit = nullptr;
  TCheckBox* CheckBoxPlayAfterBookbark = nullptr;
  TCheckBox* CheckBoxPlayAfterRegion = nullptr;
  TButton* ButtonOK = nullptr;
  TButton* ButtonCancel = nullptr;
  TButton* ButtonHelp = nullptr;

  void ReadSettings();
  void WriteSettings();

  void FormShow(TObject* Sender);
  void RadioButtonPromptClick(TObject* Sender);
  void RadioButtonUseDefaultClick(TObject* Sender);
  void RadioButtonUseDefaultFolderClick(TObject* Sender);
  void ButtonSetDefaultClick(TObject* Sender);
  void ButtonFolderClick(TObject* Sender);
  void ButtonDeleteRecentClick(TObject* Sender);
  void ButtonHelpClick(TObject* Sender);

private:
  void UpdateEnabling();
};
