// Small routines shared by the suite's classes.
#pragma once

#include <windows.h>

#include <string>

#include "framework/Delegate.h"

class TObject;

inline void InvokeNotifyEvent(TObject* Sender, const TNotifyEvent& Event) {
  if (Event) Event(Sender);
}

// Same object and same method.
template <class Sig>
bool SameHandler(const TDelegate<Sig>& A, const TDelegate<Sig>& B) {
  return A == B;
}

// The floor of (A + B) / 2, without overflow: -3 gives -2.
constexpr int RangeMidpoint(int A, int B) {
  long long Sum = static_cast<long long>(A) + B;
  return static_cast<int>(Sum >= 0 ? Sum / 2 : -((-Sum + 1) / 2));
}

// The locale's information text as UTF-8; Default when the system has none.
std::string LocaleInfoString(LCID Locale, LCTYPE InfoType, const std::string& Default);
// Bytes of the UTF-8 character that starts at the 1-based byte Position (1 for a
// stray continuation byte or a position outside the text).
int CharLengthAt(const std::string& Text, int Position);
// The part before the first "|" (a caption of "caption|hint").
std::string TextBeforeBar(const std::string& Text);

// A hook of the current thread only; Handle receives it.
void InstallThreadHook(HHOOK& Handle, int HookType, HOOKPROC HookProc);
// Removes the hook when Handle is set and clears Handle.
void RemoveThreadHook(HHOOK& Handle);
