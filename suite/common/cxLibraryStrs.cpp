#include "suite/common/cxLibraryStrs.h"

#include "res/suite/SuiteCommonIds.h"
#include "suite/common/UnitLifetime.h"

const TResStringRec scxCantCreateRegistryKey{nullptr, IDS_SCX_CANT_CREATE_REGISTRY_KEY};
const TResStringRec scxCantOpenRegistryKey{nullptr, IDS_SCX_CANT_OPEN_REGISTRY_KEY};
const TResStringRec scxErrorStoreObject{nullptr, IDS_SCX_ERROR_STORE_OBJECT};
const TResStringRec scxConverterCantCreateStyleRepository{nullptr, IDS_SCX_CONVERTER_CANT_CREATE_STYLE_REPOSITORY};
const TResStringRec cxSDateToday{nullptr, IDS_CX_S_DATE_TODAY};
const TResStringRec cxSDateYesterday{nullptr, IDS_CX_S_DATE_YESTERDAY};
const TResStringRec cxSDateTomorrow{nullptr, IDS_CX_S_DATE_TOMORROW};
const TResStringRec cxSDateSunday{nullptr, IDS_CX_S_DATE_SUNDAY};
const TResStringRec cxSDateMonday{nullptr, IDS_CX_S_DATE_MONDAY};
const TResStringRec cxSDateTuesday{nullptr, IDS_CX_S_DATE_TUESDAY};
const TResStringRec cxSDateWednesday{nullptr, IDS_CX_S_DATE_WEDNESDAY};
const TResStringRec cxSDateThursday{nullptr, IDS_CX_S_DATE_THURSDAY};
const TResStringRec cxSDateFriday{nullptr, IDS_CX_S_DATE_FRIDAY};
const TResStringRec cxSDateSaturday{nullptr, IDS_CX_S_DATE_SATURDAY};
const TResStringRec cxSDateFirst{nullptr, IDS_CX_S_DATE_FIRST};
const TResStringRec cxSDateSecond{nullptr, IDS_CX_S_DATE_SECOND};
const TResStringRec cxSDateThird{nullptr, IDS_CX_S_DATE_THIRD};
const TResStringRec cxSDateFourth{nullptr, IDS_CX_S_DATE_FOURTH};
const TResStringRec cxSDateFifth{nullptr, IDS_CX_S_DATE_FIFTH};
const TResStringRec cxSDateSixth{nullptr, IDS_CX_S_DATE_SIXTH};
const TResStringRec cxSDateSeventh{nullptr, IDS_CX_S_DATE_SEVENTH};
const TResStringRec cxSDateBOM{nullptr, IDS_CX_S_DATE_BOM};
const TResStringRec cxSDateEOM{nullptr, IDS_CX_S_DATE_EOM};
const TResStringRec cxSDateNow{nullptr, IDS_CX_S_DATE_NOW};

namespace {
const char ProductName[] = "Suite Library";

void Fill(TdxProductResourceStrings* Product) {
  Product->RegisterString("scxCantCreateRegistryKey", &scxCantCreateRegistryKey);
  Product->RegisterString("scxCantOpenRegistryKey", &scxCantOpenRegistryKey);
  Product->RegisterString("scxErrorStoreObject", &scxErrorStoreObject);
  Product->RegisterString("scxConverterCantCreateStyleRepository", &scxConverterCantCreateStyleRepository);
  Product->RegisterString("cxSDateToday", &cxSDateToday);
  Product->RegisterString("cxSDateYesterday", &cxSDateYesterday);
  Product->RegisterString("cxSDateTomorrow", &cxSDateTomorrow);
  Product->RegisterString("cxSDateSunday", &cxSDateSunday);
  Product->RegisterString("cxSDateMonday", &cxSDateMonday);
  Product->RegisterString("cxSDateTuesday", &cxSDateTuesday);
  Product->RegisterString("cxSDateWednesday", &cxSDateWednesday);
  Product->RegisterString("cxSDateThursday", &cxSDateThursday);
  Product->RegisterString("cxSDateFriday", &cxSDateFriday);
  Product->RegisterString("cxSDateSaturday", &cxSDateSaturday);
  Product->RegisterString("cxSDateFirst", &cxSDateFirst);
  Product->RegisterString("cxSDateSecond", &cxSDateSecond);
  Product->RegisterString("cxSDateThird", &cxSDateThird);
  Product->RegisterString("cxSDateFourth", &cxSDateFourth);
  Product->RegisterString("cxSDateFifth", &cxSDateFifth);
  Product->RegisterString("cxSDateSixth", &cxSDateSixth);
  Product->RegisterString("cxSDateSeventh", &cxSDateSeventh);
  Product->RegisterString("cxSDateBOM", &cxSDateBOM);
  Product->RegisterString("cxSDateEOM", &cxSDateEOM);
  Product->RegisterString("cxSDateNow", &cxSDateNow);
}

TSuiteUnit Unit([] { ResourceStringsRepository()->RegisterProduct(ProductName, &Fill); },
                [] { ResourceStringsRepository()->UnregisterProduct(ProductName); });
}  // namespace

void EnsureLibraryStrings() { Unit.Ensure(); }

void SmartDateWords(std::string (&Words)[20]) {
  static const TResStringRec* const Records[20] = {
      &cxSDateToday,     &cxSDateYesterday, &cxSDateTomorrow, &cxSDateSunday,   &cxSDateMonday,
      &cxSDateTuesday,   &cxSDateWednesday, &cxSDateThursday, &cxSDateFriday,   &cxSDateSaturday,
      &cxSDateFirst,     &cxSDateSecond,    &cxSDateThird,    &cxSDateFourth,   &cxSDateFifth,
      &cxSDateSixth,     &cxSDateSeventh,   &cxSDateBOM,      &cxSDateEOM,      &cxSDateNow};
  for (int I = 0; I < 20; ++I) Words[I] = ResolveResourceString(*Records[I]);
}
