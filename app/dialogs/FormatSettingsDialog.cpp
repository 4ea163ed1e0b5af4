#include "app/dialogs/FormatSettingsDialog.h"

#include "app/DialogPlacement.h"
#include "app/dialogs/Mp3FormatForm.h"
#include "app/dialogs/OGGFormatForm.h"
#include "app/dialogs/WMAFormatForm.h"
#include "app/dialogs/WaveFormatForm.h"

bool RunFormatSettingsDialog(TCustomForm* Opener, int FormatIndex) {
  switch (FormatIndex) {
    case 0: return RunSettingsDialog<TWaveFormatForm>(Opener);
    case 1: return RunSettingsDialog<TMp3FormatForm>(Opener);
    case 2: return RunSettingsDialog<TOGGFormatForm>(Opener);
    case 3: return RunSettingsDialog<TWMAFormatForm>(Opener);
    default: return false;
  }
}
