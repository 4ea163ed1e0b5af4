// Driving the dialogs as a user would: clicks and list choices sent to the real
// windows, and answers queued for modal dialogs that are about to open.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <string>

#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/ListControls.h"
#include "framework/Screen.h"

inline void ClickButton(TWinControl* Button) { SendMessageW(Button->GetHandle(), BM_CLICK, 0, 0); }

// Picks a list entry and tells the parent as the list does after a user's choice.
inline void ChooseItem(TComboBox* Box, int Index) {
  HWND Wnd = Box->GetHandle();
  SendMessageW(Wnd, CB_SETCURSEL, Index, 0);
  SendMessageW(GetParent(Wnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(Wnd), CBN_SELCHANGE), reinterpret_cast<LPARAM>(Wnd));
}

// Answers modal forms in the order they open: each answer runs once the active
// form has the given class name and is modal.
class TModalAnswers {
public:
  using TAnswer = std::function<void(TCustomForm*)>;
  static void Add(const std::string& ClassName, TAnswer Answer) {
    Queue().push_back({ClassName, std::move(Answer)});
    if (!Timer) Timer = SetTimer(nullptr, 0, 20, &Tick);
  }
  static bool AllAnswered() { return Queue().empty(); }
  static void Clear() {
    Queue().clear();
    if (Timer) KillTimer(nullptr, Timer);
    Timer = 0;
  }

private:
  struct TEntry {
    std::string ClassName;
    TAnswer Answer;
  };
  static std::deque<TEntry>& Queue() {
    static std::deque<TEntry> Q;
    return Q;
  }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    TCustomForm* Form = Screen->GetActiveForm();
    if (Queue().empty() || !Form || Form->ClassName() != Queue().front().ClassName ||
        !Form->GetFormState().Contains(fsModal) || !IsWindowVisible(Form->GetHandle()))
      return;
    TAnswer Answer = std::move(Queue().front().Answer);
    Queue().pop_front();
    // The answer may open another modal form: a fresh timer serves that one.
    KillTimer(nullptr, Timer);
    Timer = Queue().empty() ? 0 : SetTimer(nullptr, 0, 20, &Tick);
    Answer(Form);
  }
  static inline UINT_PTR Timer = 0;
};
