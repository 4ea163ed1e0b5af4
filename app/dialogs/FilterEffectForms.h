// The filter dialogs: the twelve-band equalizer and the high-pass filter.
#pragma once

#include "app/dialogs/EffectForm.h"

class TGroupBox;

// Twelve vertical sliders, -180 .. 180 for -18 .. 18 dB, without edits.
class TEqualizerForm : public TEffectForm {
  SONVELT_CLASS(TEqualizerForm, TEffectForm)
public:
  explicit TEqualizerForm(TComponent* AOwner);
  TGroupBox* GroupBoxEqualizer = nullptr;
  TImageSlider *Band1 = nullptr, *Band2 = nullptr, *Band3 = nullptr, *Band4 = nullptr, *Band5 = nullptr,
               *Band6 = nullptr, *Band7 = nullptr, *Band8 = nullptr, *Band9 = nullptr, *Band10 = nullptr,
               *Band11 = nullptr, *Band12 = nullptr;
  TLabel *LabelBand1 = nullptr, *LabelBand2 = nullptr, *LabelBand3 = nullptr, *LabelBand4 = nullptr,
         *LabelBand5 = nullptr, *LabelBand6 = nullptr, *LabelBand7 = nullptr, *LabelBand8 = nullptr,
         *LabelBand9 = nullptr, *LabelBand10 = nullptr, *LabelBand11 = nullptr, *LabelBand12 = nullptr;
  TLabel* Label18dB = nullptr;   // "18 dB": double-click puts every band at the top
  TLabel* Label10dB = nullptr;   // "0 dB": double-click resets every band
  TLabel* Label18dB2 = nullptr;  // "-18 dB": double-click puts every band at the bottom
  TGroupBox* GroupBoxSelectPresets = nullptr;

  void Label18dBDblClick(TObject* Sender) { SetAllBands(180); }
  void Label10dBDblClick(TObject* Sender) { SetAllBands(0); }
  void Label18dB2DblClick(TObject* Sender) { SetAllBands(-180); }

private:
  void SetAllBands(int Value);
};

class THighPassForm : public TEffectForm {
  SONVELT_CLASS(THighPassForm, TEffectForm)
public:
  explicit THighPassForm(TComponent* AOwner);
  TLabel* LabelFrequency = nullptr;
  TEdit* EditFrequency = nullptr;  // cut-off frequency in Hz, 0 .. 9999 as typed
};
