// The About box: program name, version and web address.
#pragma once

#include "app/ProgramForm.h"

class TImage;
class TButton;
class TPanel;
class TLabel;

class TAboutForm : public TProgramForm {
  SONVELT_CLASS(TAboutForm, TProgramForm)
public:
  explicit TAboutForm(TComponent* AOwner);

  TImage* Image = nullptr;
  TButton* ButtonOK = nullptr;
  TPanel* PanelMain = nullptr;
  TLabel* LabelName = nullptr;
  TLabel* LabelVersion = nullptr;
  TLabel* LabelDistributed = nullptr;
  TLabel* LabelNIT = nullptr;
  TLabel* LabelWEB = nullptr;

  void FormShow(TObject* Sender);
  void LabelWEBClick(TObject* Sender);
};

// The product's web address (the About box and the main window's web commands).
extern const char* const ProductWebAddress;
// "<Title> v<version>", the version read from the encoder library's INI data
// ("lame.dll" beside the program, [SYSTEM] Version), empty when missing.
std::string AboutVersionText(const std::string& Title, const std::string& ProgramFolder);
