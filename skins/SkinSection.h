// A section of a skin description read into an object. Every descriptor class
// lists its own keys in a table (name, value form, default, field); reading
// and writing walk the tables of the class and its parents, parents first, so
// each class states its keys once. Defaults are taken from the same tables when
// the object is made.
#pragma once
#include <string>
#include <type_traits>
#include <vector>

#include "framework/Object.h"
#include "framework/OwnedObject.h"
#include "framework/StringLists.h"
#include "skins/SkinValues.h"

class TCustomIniFile;
class TspSkinSection;

enum TSkinKeyType {
  sktInteger,
  sktColor,
  sktBoolean,
  sktPicture,  // an index into the skin's numbered pictures, -1 for none
  sktRect,
  sktPoint,
  sktString,
  sktFontStyle,
  sktWord,  // a value named by a word of the row's table
  sktAlignment,
  sktLines  // text lines, appended to an owned string list
};

// How a row reaches its field: the address (its type follows the row's form)
// and, for the integer-like forms, the value as an int.
struct TSkinFieldAccess {
  void* (*Address)(TspSkinSection* Section);
  int (*GetInt)(TspSkinSection* Section);
  void (*SetInt)(TspSkinSection* Section, int Value);
};

struct TSkinKey {
  const char* Name;
  TSkinKeyType Type;
  TSkinFieldAccess Field;
  int Default = 0;
  const char* Text = "";
  const TSkinWordTable* Words = nullptr;
};

namespace sonvelt_detail {
template <class T>
struct TMemberOf;
template <class C, class F>
struct TMemberOf<F C::*> {
  using Class = C;
  using Field = F;
};
template <auto M>
void* FieldAddress(TspSkinSection* S) {
  return &(static_cast<typename TMemberOf<decltype(M)>::Class*>(S)->*M);
}
template <auto M>
int FieldInt(TspSkinSection* S) {
  using F = typename TMemberOf<decltype(M)>::Field;
  if constexpr (std::is_convertible_v<F, int> || std::is_enum_v<F>)
    return static_cast<int>(static_cast<typename TMemberOf<decltype(M)>::Class*>(S)->*M);
  else
    return 0;
}
template <auto M>
void SetFieldInt(TspSkinSection* S, int V) {
  using F = typename TMemberOf<decltype(M)>::Field;
  if constexpr (std::is_same_v<F, bool>)
    static_cast<typename TMemberOf<decltype(M)>::Class*>(S)->*M = V != 0;
  else if constexpr (std::is_convertible_v<int, F> || std::is_enum_v<F>)
    static_cast<typename TMemberOf<decltype(M)>::Class*>(S)->*M = static_cast<F>(V);
}
template <auto M>
constexpr TSkinFieldAccess Access() {
  return {&FieldAddress<M>, &FieldInt<M>, &SetFieldInt<M>};
}
}  // namespace sonvelt_detail

// Rows of the key tables: SkinKey<&TMyDescriptor::Field>("key", sktRect).
template <auto M>
constexpr TSkinKey SkinKey(const char* Name, TSkinKeyType Type, int Default = 0) {
  return {Name, Type, sonvelt_detail::Access<M>(), Default};
}
template <auto M>
constexpr TSkinKey SkinText(const char* Name, const char* Default = "") {
  return {Name, sktString, sonvelt_detail::Access<M>(), 0, Default};
}
template <auto M>
constexpr TSkinKey SkinWord(const char* Name, const TSkinWordTable& Words) {
  return {Name, sktWord, sonvelt_detail::Access<M>(), 0, "", &Words};
}

class TspSkinSection : public TObject {
  SONVELT_CLASS(TspSkinSection, TObject)
 public:
  explicit TspSkinSection(std::string ASection) : SkinSection(std::move(ASection)) {}
  TspSkinSection(const TspSkinSection&) = delete;
  TspSkinSection& operator=(const TspSkinSection&) = delete;
  // Sets every field to its row's default.
  void AfterConstruction() override;

  // Reads every key of the class, parents' keys first. A rectangle or point
  // that cannot be converted raises EConvertError.
  virtual void ReadFromIni(TCustomIniFile* Ini);
  // Erases the section, then writes every key once.
  virtual void WriteToIni(TCustomIniFile* Ini);
  // The rows of this class and its parents, parents first.
  std::vector<const TSkinKey*> Keys() const;
  // The field of a row as text, in the form it is written (for callers and tests).
  std::string ValueText(const TSkinKey& Key);

  std::string SkinSection;

 protected:
  virtual void CollectKeys(std::vector<const TSkinKey*>& Keys) const { (void)Keys; }
  void WriteKey(TCustomIniFile* Ini, const std::string& Section, const TSkinKey& Key);
  static void AddKeys(std::vector<const TSkinKey*>& Keys, const TSkinKey* Table, size_t Count);
};

// Declares a class's own key table (in its .cpp): the parent's rows, then these.
#define SONVELT_SKIN_KEYS(Class, Parent, ...)                                    \
  void Class::CollectKeys(std::vector<const TSkinKey*>& Keys) const {            \
    Parent::CollectKeys(Keys);                                                   \
    static const TSkinKey Own[] = {__VA_ARGS__};                                 \
    AddKeys(Keys, Own, sizeof Own / sizeof Own[0]);                              \
  }
#define SONVELT_SKIN_KEYS_DECL \
 protected:                    \
  void CollectKeys(std::vector<const TSkinKey*>& Keys) const override;
