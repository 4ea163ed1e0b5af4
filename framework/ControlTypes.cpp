#include "framework/ControlTypes.h"

#include "framework/StringUtils.h"

namespace {
struct TCursorName {
  TCursor Cursor;
  const char* Name;
};
// crSize and crSizeAll share a value; the later name is the one written.
const TCursorName CursorNames[] = {
    {crDefault, "crDefault"}, {crNone, "crNone"},         {crArrow, "crArrow"},         {crCross, "crCross"},
    {crIBeam, "crIBeam"},     {crSizeNESW, "crSizeNESW"}, {crSizeNS, "crSizeNS"},       {crSizeNWSE, "crSizeNWSE"},
    {crSizeWE, "crSizeWE"},   {crUpArrow, "crUpArrow"},   {crHourGlass, "crHourGlass"}, {crDrag, "crDrag"},
    {crNoDrop, "crNoDrop"},   {crHSplit, "crHSplit"},     {crVSplit, "crVSplit"},       {crMultiDrag, "crMultiDrag"},
    {crSQLWait, "crSQLWait"}, {crNo, "crNo"},             {crAppStart, "crAppStart"},   {crHelp, "crHelp"},
    {crHandPoint, "crHandPoint"}, {crSize, "crSize"},     {crSizeAll, "crSizeAll"}};
}  // namespace

bool CursorToIdent(TCursor Cursor, std::string& Ident) {
  for (auto it = std::rbegin(CursorNames); it != std::rend(CursorNames); ++it)
    if (it->Cursor == Cursor) {
      Ident = it->Name;
      return true;
    }
  return false;
}

bool IdentToCursor(std::string_view Ident, TCursor& Cursor) {
  for (const TCursorName& n : CursorNames)
    if (SameText(n.Name, Ident)) {
      Cursor = n.Cursor;
      return true;
    }
  return false;
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
