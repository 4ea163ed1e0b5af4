#include "framework/ControlTypes.h"

#include "framework/IdentMaps.h"

namespace {
// crSize and crSizeAll share a value; crSizeAll is the name written.
const TIdentMapEntry CursorNames[] = {
    {crDefault, "crDefault"},   {crNone, "crNone"},         {crArrow, "crArrow"},       {crCross, "crCross"},
    {crIBeam, "crIBeam"},       {crSizeAll, "crSizeAll"},   {crSize, "crSize"},         {crSizeNESW, "crSizeNESW"},
    {crSizeNS, "crSizeNS"},     {crSizeNWSE, "crSizeNWSE"}, {crSizeWE, "crSizeWE"},     {crUpArrow, "crUpArrow"},
    {crHourGlass, "crHourGlass"}, {crDrag, "crDrag"},       {crNoDrop, "crNoDrop"},     {crHSplit, "crHSplit"},
    {crVSplit, "crVSplit"},     {crMultiDrag, "crMultiDrag"}, {crSQLWait, "crSQLWait"}, {crNo, "crNo"},
    {crAppStart, "crAppStart"}, {crHelp, "crHelp"},         {crHandPoint, "crHandPoint"}};
}  // namespace

bool CursorToIdent(TCursor Cursor, std::string& Ident) { return IntToIdent(Cursor, Ident, CursorNames); }

bool IdentToCursor(std::string_view Ident, TCursor& Cursor) {
  int value = 0;
  if (!IdentToInt(Ident, value, CursorNames)) return false;
  Cursor = static_cast<TCursor>(value);
  return true;
}

TShiftState KeysToShiftState(WPARAM Keys) {
  TShiftState S;
  if (Keys & MK_SHIFT) S.Include(ssShift);
  if (Keys & MK_CONTROL) S.Include(ssCtrl);
  if (Keys & MK_LBUTTON) S.Include(ssLeft);
  if (Keys & MK_RBUTTON) S.Include(ssRight);
  if (Keys & MK_MBUTTON) S.Include(ssMiddle);
  if (GetKeyState(VK_MENU) < 0) S.Include(ssAlt);
  return S;
}

TShiftState KeyboardStateToShiftState() {
  TShiftState S;
  if (GetKeyState(VK_SHIFT) < 0) S.Include(ssShift);
  if (GetKeyState(VK_CONTROL) < 0) S.Include(ssCtrl);
  if (GetKeyState(VK_MENU) < 0) S.Include(ssAlt);
  if (GetKeyState(VK_LBUTTON) < 0) S.Include(ssLeft);
  if (GetKeyState(VK_RBUTTON) < 0) S.Include(ssRight);
  if (GetKeyState(VK_MBUTTON) < 0) S.Include(ssMiddle);
  return S;
}

TShiftState KeyDataToShiftState(LPARAM KeyData) {
  TShiftState S;
  if (GetKeyState(VK_SHIFT) < 0) S.Include(ssShift);
  if (GetKeyState(VK_CONTROL) < 0) S.Include(ssCtrl);
  if (KeyData & 0x20000000) S.Include(ssAlt);
  return S;
}
