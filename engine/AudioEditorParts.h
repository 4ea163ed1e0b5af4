// The editor's small sub-objects: the two scales, the colours, the output
// volume and the output file format.
#pragma once
#include <string>

#include "engine/AudioEncoder.h"
#include "framework/Colors.h"

class TAudioEditor2;
class TFont;

// What a scale keeps of the font it is given.
struct TAudioEditor2Font {
  std::string Name = "Tahoma";
  int Size = 7;  // points
  TColor Color = 0xF8DCA8;
};

// Mode 0: the time scale shows minutes, seconds and milliseconds, the level
// scale percent of full scale. Mode 1: the time scale shows sample numbers,
// the level scale decibels.
class IAudioEditor2Scale {
 public:
  explicit IAudioEditor2Scale(TAudioEditor2& editor) : Editor(editor) {}
  void SetFont(TFont* font);
  const TAudioEditor2Font& GetFont() const { return Font; }
  void SetMode(int mode);
  int GetMode() const { return Mode; }

 private:
  TAudioEditor2& Editor;
  TAudioEditor2Font Font;
  int Mode = 0;
};

// Ten colours, each painting one thing:
// A waveform background, B cursor line, C bookmark and region lines,
// D selection background, E play position line, F scale background,
// G waveform, H zero line, I lines between channels and scales,
// J waveform inside the selection.
class IAudioEditor2Colors {
 public:
  enum TItem { A, B, C, D, E, F, G, H, I, J, Count };
  explicit IAudioEditor2Colors(TAudioEditor2& editor);
  void SetColorA(TColor c) { Set(A, c); }
  void SetColorB(TColor c) { Set(B, c); }
  void SetColorC(TColor c) { Set(C, c); }
  void SetColorD(TColor c) { Set(D, c); }
  void SetColorE(TColor c) { Set(E, c); }
  void SetColorF(TColor c) { Set(F, c); }
  void SetColorG(TColor c) { Set(G, c); }
  void SetColorH(TColor c) { Set(H, c); }
  void SetColorI(TColor c) { Set(I, c); }
  void SetColorJ(TColor c) { Set(J, c); }
  TColor Get(TItem item) const { return Colors[item]; }

 private:
  void Set(TItem item, TColor color);
  TAudioEditor2& Editor;
  TColor Colors[Count];
};

class IAudioEditor2Output {
 public:
  explicit IAudioEditor2Output(TAudioEditor2& editor) : Editor(editor) {}
  void SetVolume(int volume);  // 0 .. 65535
  int GetVolume() const { return Volume; }

 private:
  TAudioEditor2& Editor;
  int Volume = 65535;
};

// The settings of each format SaveAudioFile can write; its format code picks
// which apply. A WAV format never set follows the document, in 16 bits.
class IAudioEditor2FileFormat {
 public:
  // bits 8, 16, 24 or 32 (32 is floating point).
  void SetWavFormat(int rate, int channels, int bits);
  void SetMp3Cbr(int rate, int kbps, int channels);
  // encoder: the GetEncoderInterface of a TAudioEditor2LameEnc; its settings
  // are taken now.
  void SetMp3Encoder(const TLameSettings* encoder);
  void SetOggFormat(int rate, int channels, int kbps, int minKbps, int maxKbps, int quality);
  void SetWmaProfile(int profile);

  const TAudioOutputFormat& GetFormat() const { return Format; }

 private:
  TAudioOutputFormat Format;
};

// The output format one call with the given settings writes; raises
// EAudioError for a code it does not know.
TAudioOutputFormat OutputFormatForCode(const TAudioOutputFormat& settings, int code);
