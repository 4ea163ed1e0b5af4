#include "skins/SkinSection.h"

#include "framework/IniFiles.h"

void TspSkinSection::AddKeys(std::vector<const TSkinKey*>& Keys, const TSkinKey* Table, size_t Count) {
  for (size_t i = 0; i < Count; ++i) Keys.push_back(&Table[i]);
}

std::vector<const TSkinKey*> TspSkinSection::Keys() const {
  std::vector<const TSkinKey*> keys;
  CollectKeys(keys);
  return keys;
}

void TspSkinSection::AfterConstruction() {
  TObject::AfterConstruction();
  for (const TSkinKey* k : Keys()) {
    void* field = k->Field.Address(this);
    switch (k->Type) {
      case sktInteger:
      case sktColor:
      case sktBoolean: k->Field.SetInt(this, k->Default); break;
      case sktPicture: k->Field.SetInt(this, -1); break;
      case sktWord: k->Field.SetInt(this, k->Words->Missing); break;
      case sktAlignment: k->Field.SetInt(this, taCenter); break;
      case sktRect: *static_cast<RECT*>(field) = NullRect; break;
      case sktPoint: *static_cast<POINT*>(field) = POINT{0, 0}; break;
      case sktString: *static_cast<std::string*>(field) = k->Text; break;
      case sktFontStyle: *static_cast<TFontStyles*>(field) = TFontStyles{}; break;
      case sktLines: {
        auto& lines = *static_cast<TOwned<TStringList>*>(field);
        if (!lines) lines = MakeOwned<TStringList>();
        break;
      }
    }
  }
}

void TspSkinSection::ReadFromIni(TCustomIniFile* Ini) {
  const std::string& s = SkinSection;
  for (const TSkinKey* k : Keys()) {
    void* field = k->Field.Address(this);
    switch (k->Type) {
      case sktInteger:
      case sktColor: k->Field.SetInt(this, Ini->ReadInteger(s, k->Name, k->Default)); break;
      case sktPicture: k->Field.SetInt(this, Ini->ReadInteger(s, k->Name, -1)); break;
      case sktBoolean: k->Field.SetInt(this, ReadSkinBoolean(Ini, s, k->Name)); break;
      case sktWord: k->Field.SetInt(this, ReadSkinWord(Ini, s, k->Name, *k->Words)); break;
      case sktAlignment: k->Field.SetInt(this, ReadSkinAlignment(Ini, s, k->Name)); break;
      case sktRect: *static_cast<RECT*>(field) = ReadSkinRect(Ini, s, k->Name); break;
      case sktPoint: *static_cast<POINT*>(field) = ReadSkinPoint(Ini, s, k->Name); break;
      case sktString: *static_cast<std::string*>(field) = Ini->ReadString(s, k->Name, k->Text); break;
      case sktFontStyle: *static_cast<TFontStyles*>(field) = ReadSkinFontStyles(Ini, s, k->Name); break;
      case sktLines: ReadSkinStrings(Ini, s, k->Name, static_cast<TOwned<TStringList>*>(field)->get()); break;
    }
  }
}

void TspSkinSection::WriteKey(TCustomIniFile* Ini, const std::string& S, const TSkinKey& K) {
  void* field = K.Field.Address(this);
  switch (K.Type) {
    case sktInteger:
    case sktColor:
    case sktPicture: Ini->WriteInteger(S, K.Name, K.Field.GetInt(this)); break;
    case sktBoolean: WriteSkinBoolean(Ini, S, K.Name, K.Field.GetInt(this) != 0); break;
    case sktWord: WriteSkinWord(Ini, S, K.Name, *K.Words, K.Field.GetInt(this)); break;
    case sktAlignment: WriteSkinAlignment(Ini, S, K.Name, TAlignment(K.Field.GetInt(this))); break;
    case sktRect: WriteSkinRect(Ini, S, K.Name, *static_cast<RECT*>(field)); break;
    case sktPoint: WriteSkinPoint(Ini, S, K.Name, *static_cast<POINT*>(field)); break;
    case sktString: Ini->WriteString(S, K.Name, *static_cast<std::string*>(field)); break;
    case sktFontStyle: WriteSkinFontStyles(Ini, S, K.Name, *static_cast<TFontStyles*>(field)); break;
    case sktLines: WriteSkinStrings(Ini, S, K.Name, static_cast<TOwned<TStringList>*>(field)->get()); break;
  }
}

std::string TspSkinSection::ValueText(const TSkinKey& Key) {
  if (Key.Type == sktLines) return static_cast<TOwned<TStringList>*>(Key.Field.Address(this))->get()->GetText();
  // Written into a scratch store, so that the text is exactly what WriteToIni writes.
  auto ini = MakeOwned<TMemIniFile>("");
  WriteKey(ini.get(), "S", Key);
  return ini->ReadString("S", Key.Name, "");
}

void TspSkinSection::WriteToIni(TCustomIniFile* Ini) {
  Ini->EraseSection(SkinSection);
  std::vector<std::string> written;
  for (const TSkinKey* k : Keys()) {
    bool again = false;
    for (const std::string& w : written) again = again || w == k->Name;
    if (again) continue;
    written.emplace_back(k->Name);
    WriteKey(Ini, SkinSection, *k);
  }
}
