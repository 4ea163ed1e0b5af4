// Keyboard access to bar windows: every bar window, item control and dock site
// has an accessibility helper, made on first request, through which the
// navigation controller walks the bars and offers key tips. The helper tree and
// its key tips are the keyboard work's; the base here answers for an object that
// offers nothing to select.
#pragma once

#include <string>
#include <vector>

#include "framework/Object.h"
#include "suite/bars/BarTypes.h"
#include "suite/common/BaseClasses.h"

class TdxBarAccessibilityHelper : public TcxIUnknownObject {
  SONVELT_CLASS(TdxBarAccessibilityHelper, TcxIUnknownObject)
public:
  using TCreateArg = TObject*;
  explicit TdxBarAccessibilityHelper(TObject* AOwnerObject) : FOwnerObject(AOwnerObject) {}

  TObject* GetOwnerObject() const { return FOwnerObject; }
  // The owner is going: the helper forgets it (the navigation controller too).
  virtual void NoteOwnerDestroyed();
  virtual TdxBarManager* GetBarManager() const { return nullptr; }
  // The helper selected when navigation starts here (a main menu's first entry).
  virtual TdxBarAccessibilityHelper* GetDefaultSelectable() { return nullptr; }
  // The helper shows key tips for its children.
  virtual bool AcceptsKeyTips() const { return false; }

private:
  TObject* FOwnerObject;
};

using TdxBarAccessibilityHelperClass = TClassOf<TdxBarAccessibilityHelper>;

// Makes the key tips of one container unique: each is cut to 3 characters; equal
// ones get the suffixes 1, 2, ... (zero-padded to the width of their count), and one
// that begins another gets the suffix 1, pass after pass until nothing changes.
// Key tips are shown upper-cased, so "f" and "F" count as equal.
void MakeKeyTipsUnique(std::vector<std::string>& Tips);
