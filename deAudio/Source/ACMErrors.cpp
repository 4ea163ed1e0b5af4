#include "deAudio/Source/ACMErrors.h"

#include "framework/Format.h"

std::string ACMErrorText(unsigned Code, const std::string& Context) {
  const std::string Prefix = Context.empty() ? Context : Context + "\r\n";
  const char* Text = nullptr;
  switch (Code) {
    case 2: Text = "Bad device ID."; break;
    case 3: Text = "Driver not enabled."; break;
    case 4: Text = "Device already allocated."; break;
    case 5: Text = "The specified handle is invalid."; break;
    case 6: Text = "A suitable driver is not available to provide valid format selections."; break;
    case 7: Text = "The system is unable to allocate resources."; break;
    case 8: Text = "Function not supported."; break;
    case 10: Text = "At least one flag is invalid."; break;
    case 11: Text = "At least one parameter is invalid."; break;
    case 12: Text = "Device handle in use."; break;
    case 32: Text = "The selected audio format is not supported on this machine."; break;
    case 33: Text = "Audio device is still playing."; break;
    case 34:
    case 514: Text = "Cannot perform this action on a header that has not been prepared."; break;
    case 35: Text = "Device is synchronous."; break;
    case 512: Text = "The requested operation cannot be performed."; break;
    case 513: Text = "The conversion stream is already in use."; break;
    default: return Prefix + Format("An unexpected error has occurred (code #%d).", {static_cast<int>(Code)});
  }
  return Prefix + Text;
}
