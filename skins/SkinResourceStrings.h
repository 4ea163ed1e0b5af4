// The user-interface texts of skinned windows and dialogs, looked up by name
// ("MSG_BTN_OK"), and the font character set skinned controls draw them in.
#pragma once
#include <string>

#include "framework/Component.h"
#include "framework/Font.h"
#include "framework/OwnedObject.h"
#include "framework/StringLists.h"

class TspResourceStrData : public TComponent {
  SONVELT_CLASS(TspResourceStrData, TComponent)
 public:
  explicit TspResourceStrData(TComponent* AOwner);
  ~TspResourceStrData() override;
  static void Publish(TPublisher<TspResourceStrData>& P);

  // NAME=text lines, the English defaults at creation.
  TStringList* GetResStrings() const { return FResStrings.get(); }
  void SetResStrings(TStrings* Value) { FResStrings->Assign(Value); }
  TFontCharset GetCharSet() const { return FCharSet; }
  void SetCharSet(TFontCharset Value) { FCharSet = Value; }
  // The text of Name ("" when there is none).
  std::string GetResStr(const std::string& Name) const;

 protected:
  void AddDefaultStrings();

 private:
  TOwned<TStringList> FResStrings;
  TFontCharset FCharSet = DEFAULT_CHARSET;
};
