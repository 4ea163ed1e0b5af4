// "Export Region(s)": the folder and format the chosen regions are written in. The
// folder picker and the format settings store their choice at once, whichever
// button then closes the dialog.
#pragma once

#include "framework/Form.h"

class TButton;
class TComboBox;
class TEdit;
class TLabel;

class TExportRegionForm : public TForm {
  SONVELT_CLASS(TExportRegionForm, TForm)
public:
  explicit TExportRegionForm(TComponent* AOwner);

  TLabel* LabelFolder = nullptr;
  TEdit* EditFolder = nullptr;  // read-only
  TButton* ButtonFolder = nullptr;  // "..."
  TLabel* LabelFormat = nullptr;
  TComboBox* ComboBoxFormat = nullptr;  // ".wav", ".mp3", ".ogg", ".wma"
  TButton* ButtonFormatSettings = nullptr;
  TButton* ButtonOK = nullptr;
  TButton* ButtonCancel = nullptr;

  // ExportFolder and ExportFormat into the controls and back.
  void ReadSettings();
  void WriteSettings();

  void ButtonFolderClick(TObject* Sender);
  void ButtonFormatSettingsClick(TObject* Sender);
};
