// The output format the settings record holds for each saved format (the
// choices of the WAV, MP3, OGG and WMA format dialogs), set on a writer: the
// editor's file format when a document is saved, the block writer of the batch
// converter. A choice outside its dialog's lists sets nothing.
#pragma once

class IAudioEditor2FileFormat;
class TAudioEditor2LameEnc;
class TAudioFile2;
class TAudioFile2LameEnc;

enum class TOutputFormatKind { Wav, Mp3, Ogg, Wma };

// LameEnc carries the MP3 preset and variable bit-rate choices to the writer.
void ApplyOutputFormatSettings(IAudioEditor2FileFormat& Target, TAudioEditor2LameEnc& LameEnc,
                               TOutputFormatKind Kind);
void ApplyOutputFormatSettings(TAudioFile2& Target, TAudioFile2LameEnc& LameEnc, TOutputFormatKind Kind);
