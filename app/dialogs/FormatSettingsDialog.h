// The format dialog of a format list's index (0 WAV, 1 MP3, 2 OGG, 3 WMA), as the
// windows that offer a choice of output format open it.
#pragma once

class TCustomForm;

// Centred on Opener, loaded from the settings, stored on OK; false for Cancel or
// an index outside the list.
bool RunFormatSettingsDialog(TCustomForm* Opener, int FormatIndex);
