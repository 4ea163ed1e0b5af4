// "Set Selection": the start, end or length of the selection typed as time text.
// Each edit is checked and normalised when it is left; OK hands the result to the
// main window's SpecifiedSelStart and SpecifiedSelEnd (milliseconds).
#pragma once

#include <cstdint>
#include <string>

#include "framework/Form.h"

class TBevel;
class TButton;
class TEdit;
class TLabel;

class TSelectSpecifiedTimeForm : public TForm {
  SONVELT_CLASS(TSelectSpecifiedTimeForm, TForm)
public:
  explicit TSelectSpecifiedTimeForm(TComponent* AOwner);

  TLabel* LabelStart = nullptr;
  TEdit* EditStart = nullptr;
  TLabel* labEnd = nullptr;
  TEdit* EditEnd = nullptr;
  TLabel* labLength = nullptr;
  TEdit* EditLength = nullptr;
  TBevel* Bevel = nullptr;
  TButton* ButtonOK = nullptr;
  TButton* ButtonCancel = nullptr;

  // Set by the caller before showing (milliseconds).
  int InitialStartMs = 0;
  int InitialEndMs = 0;
  int FileLengthMs = 0;
  int CursorMs = 0;
  // The selection as edited so far.
  int SelStartMs = 0;
  int SelEndMs = 0;
  std::string SavedStartText, SavedEndText, SavedLengthText;

  // h:m:s.ms, m:s.ms, s.ms, s, m:s or h:m:s; -1 for any other text, and for numbers
  // too long to read.
  static int64_t ParseTimeText(const std::string& Text);
  void UpdateLengthText();

  void FormShow(TObject* Sender);
  void EditStartEnter(TObject* Sender);
  void EditStartExit(TObject* Sender);
  void EditEndEnter(TObject* Sender);
  void EditEndExit(TObject* Sender);
  void EditLengthEnter(TObject* Sender);
  void EditLengthExit(TObject* Sender);
  void ButtonOKClick(TObject* Sender);
};
