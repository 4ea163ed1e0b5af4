// The shared "Processing..." window, shown by the main window while a long
// operation runs; created once at start-up and kept.
#pragma once

#include "framework/Form.h"

class TLabel;
class TImage;
class TProgressBar;

class TFormProgress : public TForm {
  SONVELT_CLASS(TFormProgress, TForm)
public:
  explicit TFormProgress(TComponent* AOwner);

  TLabel* LabelProcess = nullptr;
  TLabel* LabelWait = nullptr;
  TImage* ImageIcon = nullptr;
  TProgressBar* ProgressBar = nullptr;  // 0..100

  void FormShow(TObject* Sender);
};

extern TFormProgress* FormProgressInstance;
