// Runs Body between Obj->BeginUpdate() and Obj->EndUpdate(); EndUpdate runs even when
// Body throws (and the exception goes on), so notices held meanwhile are not lost.
//   WithUpdate(Lines, [&] { Lines->Clear(); Lines->Add("x"); });
#pragma once

template <class T, class F>
void WithUpdate(T* Obj, F&& Body) {
  Obj->BeginUpdate();
  try {
    Body();
  } catch (...) {
    Obj->EndUpdate();
    throw;
  }
  Obj->EndUpdate();
}
