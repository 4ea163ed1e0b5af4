#include "app/FontReplacement.h"

#include <algorithm>

#include "framework/Form.h"
#include "framework/Screen.h"
#include "framework/StringUtils.h"

void ReplaceControlFont(TWinControl* Control, const std::string& OldName, const std::string& NewName) {
  if (!Control || NewName == OldName) return;
  const auto& Fonts = Screen->GetFonts();
  if (std::none_of(Fonts.begin(), Fonts.end(), [&](const std::string& F) { return SameText(F, NewName); }))
    return;
  for (int I = 0; I < Control->GetControlCount(); ++I) {
    TControl* Child = Control->GetControl(I);
    if (Child->GetFont()->GetName() == OldName) Child->GetFont()->SetName(NewName);
    if (auto* Win = dynamic_cast<TWinControl*>(Child)) ReplaceControlFont(Win, OldName, NewName);
  }
}

void ApplyHintFont(TCustomForm* Form) { ReplaceControlFont(Form, "Tahoma", Screen->GetHintFont()->GetName()); }
