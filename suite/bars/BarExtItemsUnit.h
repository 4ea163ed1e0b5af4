// The start and end of the extra item kinds: the start registers them with the
// item-class registry (after the built-in ones, so customizing lists show them
// last), the end unregisters them, so that their class names are unknown to form
// streaming again, and frees the colour and font dialogs the combos share. The start
// also reads the locale's first day of the week for the calendars. Programs
// start it before they read a form naming one of the kinds; every extra item
// starts it when created.
#pragma once

class TBitmap;
class TdxBarItem;

void EnsureBarExtItemsUnit();
// Ends the unit when it runs and starts it again; for tests.
void RestartBarExtItemsUnit();
void FinishBarExtItemsUnit();
bool BarExtItemsUnitRunning();
// The locale's first day of the week when the unit started: 0 Sunday .. 6 Saturday.
int BarCalendarFirstWeekDay();
// Loads one of the unit's pictures (resource "DXBAR...") into Item's Glyph; the
// item keeps no glyph when the program carries no such picture.
void LoadBarItemGlyph(TdxBarItem* Item, const char* ResourceName);
// The 13 x 13 marks of the font list: scalable (TrueType) fonts and the others;
// null when the program carries no such picture.
TBitmap* BarFontMark(bool TrueType);
