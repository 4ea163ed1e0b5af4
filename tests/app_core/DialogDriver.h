// Driving the dialogs as a user would: clicks and list choices sent to the real
// windows, and answers queued for modal dialogs that are about to open.
#pragma once

#include <windows.h>
#include <shlobj.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/Button.h"
#include "framework/Form.h"
#include "framework/Label.h"
#include "framework/ListControls.h"
#include "framework/Menus.h"
#include "framework/OwnedObject.h"
#include "framework/Screen.h"
#include "framework/Unicode.h"

inline void ClickButton(TWinControl* Button) { SendMessageW(Button->GetHandle(), BM_CLICK, 0, 0); }

// A left click in the middle of a control that draws itself (one that knows no
// BM_CLICK): the mouse comes in, presses, releases and leaves.
inline void ClickMouse(TWinControl* Control) {
  HWND Wnd = Control->GetHandle();
  RECT R;
  GetClientRect(Wnd, &R);
  const LPARAM At = MAKELPARAM(R.right / 2, R.bottom / 2);
  SendMessageW(Wnd, WM_MOUSEMOVE, 0, At);
  SendMessageW(Wnd, WM_LBUTTONDOWN, MK_LBUTTON, At);
  SendMessageW(Wnd, WM_LBUTTONUP, 0, At);
  SendMessageW(Wnd, WM_MOUSELEAVE, 0, 0);
}

// Every caption of Parent's controls, in their own fonts, against the control's
// width and the dialog's client area: a text cut short is a fault a user sees.
inline void ExpectEveryTextWhole(TCustomForm* Form, TWinControl* Parent) {
  TOwned<TBitmap> Measure(TBitmap::Create());
  for (int I = 0; I < Parent->GetControlCount(); ++I) {
    TControl* C = Parent->GetControl(I);
    if (auto* W = dynamic_cast<TWinControl*>(C); W && W->GetControlCount() > 0) ExpectEveryTextWhole(Form, W);
    const bool Box = dynamic_cast<TCheckBox*>(C) || dynamic_cast<TRadioButton*>(C);
    if (!dynamic_cast<TLabel*>(C) && !dynamic_cast<TButton*>(C) && !Box) continue;
    const std::string Text = StripHotkey(C->GetCaption());
    Measure->GetCanvas()->GetFont()->Assign(C->GetFont());
    const int Width = Measure->GetCanvas()->TextWidth(Text) + (Box ? 18 : 0);
    SCOPED_TRACE(Text);
    EXPECT_LE(Width, C->GetWidth());
    EXPECT_LE(C->ClientToParent(POINT{0, 0}, Form).x + Width, Form->GetClientWidth());
  }
}

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

// Answers the system's own dialogs of this thread (message boxes and the folder
// picker) in the order they open, by their buttons, as a user would.
class TSystemDialogAnswers {
public:
  struct TBox {
    std::string Caption, Text;
  };
  // Clicks Button (IDYES, IDNO, IDCANCEL, IDOK) in the next message box; Before
  // runs first with the box on screen.
  static void AnswerBox(int Button, std::function<void(HWND)> Before = nullptr) {
    Add({true, Button, {}, std::move(Before), 0});
  }
  // Picks Folder in the next folder picker and confirms it; "" cancels the picker.
  // A folder inside the one the picker starts at is the one it reliably reaches.
  static void AnswerFolder(const std::string& Folder) { Add({false, Folder.empty() ? IDCANCEL : IDOK, Folder, nullptr, 0}); }
  // The message boxes answered so far.
  static std::vector<TBox>& Boxes() {
    static std::vector<TBox> B;
    return B;
  }
  // Their texts.
  static std::vector<std::string> Texts() {
    std::vector<std::string> T;
    for (const TBox& B : Boxes()) T.push_back(B.Text);
    return T;
  }
  static bool AllAnswered() { return Queue().empty(); }
  static void Clear() {
    Queue().clear();
    Boxes().clear();
    if (Timer) KillTimer(nullptr, Timer);
    Timer = 0;
  }

private:
  struct TEntry {
    bool Box;
    int Button;
    std::string Folder;
    std::function<void(HWND)> Before;
    int Waited = 0;
  };
  static std::deque<TEntry>& Queue() {
    static std::deque<TEntry> Q;
    return Q;
  }
  static void Add(TEntry Entry) {
    Queue().push_back(std::move(Entry));
    if (!Timer) Timer = SetTimer(nullptr, 0, 20, &Tick);
  }
  static std::wstring ClassOf(HWND Wnd) {
    wchar_t Name[64] = {};
    GetClassNameW(Wnd, Name, 64);
    return Name;
  }
  static std::string TextOf(HWND Wnd) {
    wchar_t Text[1024] = {};
    GetWindowTextW(Wnd, Text, 1024);
    return WideToUtf8(Text);
  }
  // The visible system dialog of this thread: a message box shows its text in the
  // static 0xFFFF, the folder picker holds a tree.
  static HWND FindDialog(bool Box) {
    struct TSearch {
      bool Box;
      HWND Found;
    } Search{Box, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND Wnd, LPARAM Data) -> BOOL {
          auto* S = reinterpret_cast<TSearch*>(Data);
          if (!IsWindowVisible(Wnd) || ClassOf(Wnd) != L"#32770") return TRUE;
          const bool IsBox = GetDlgItem(Wnd, 0xFFFF) != nullptr;
          const bool IsPicker = FindWindowExW(Wnd, nullptr, L"SysTreeView32", nullptr) != nullptr;
          if ((S->Box && IsBox) || (!S->Box && IsPicker && !IsBox)) {
            S->Found = Wnd;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&Search));
    return Search.Found;
  }
  static std::string WithoutTrailingDelimiter(std::string Folder) {
    while (!Folder.empty() && Folder.back() == '\\') Folder.pop_back();
    return Folder;
  }
  static std::wstring LastNameOf(const std::string& Folder) {
    return Utf8ToWide(Folder.substr(Folder.find_last_of('\\') + 1));
  }
  static std::wstring ItemText(HWND Tree, HTREEITEM Item) {
    wchar_t Text[MAX_PATH] = {};
    TVITEMW I{};
    I.mask = TVIF_TEXT;
    I.hItem = Item;
    I.pszText = Text;
    I.cchTextMax = MAX_PATH;
    SendMessageW(Tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&I));
    return Text;
  }
  static HTREEITEM Caret(HWND Tree) {
    return reinterpret_cast<HTREEITEM>(SendMessageW(Tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  }
  // True when the picker's tree has the folder's own name selected.
  static bool PickerShows(HWND Dialog, const std::string& Folder) {
    HWND Tree = FindWindowExW(Dialog, nullptr, L"SysTreeView32", nullptr);
    HTREEITEM Item = Caret(Tree);
    return Item && lstrcmpiW(ItemText(Tree, Item).c_str(), LastNameOf(WithoutTrailingDelimiter(Folder)).c_str()) == 0;
  }
  // Selects the folder among the children of the selected item when that item is
  // the folder's parent; false when the tree does not stand there.
  static bool SelectChildOfCaret(HWND Dialog, const std::string& Folder) {
    const std::string Path = WithoutTrailingDelimiter(Folder);
    const std::size_t Cut = Path.find_last_of('\\');
    if (Cut == std::string::npos) return false;
    HWND Tree = FindWindowExW(Dialog, nullptr, L"SysTreeView32", nullptr);
    HTREEITEM Parent = Caret(Tree);
    if (!Parent || lstrcmpiW(ItemText(Tree, Parent).c_str(), LastNameOf(Path.substr(0, Cut)).c_str()) != 0) return false;
    SendMessageW(Tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(Parent));
    const std::wstring Name = LastNameOf(Path);
    for (auto Child = reinterpret_cast<HTREEITEM>(SendMessageW(Tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(Parent)));
         Child; Child = reinterpret_cast<HTREEITEM>(SendMessageW(Tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(Child))))
      if (lstrcmpiW(ItemText(Tree, Child).c_str(), Name.c_str()) == 0) {
        SendMessageW(Tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(Child));
        return true;
      }
    return false;
  }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (Queue().empty()) return;
    HWND Dialog = FindDialog(Queue().front().Box);
    if (!Dialog) return;
    if (!Queue().front().Box && Queue().front().Button == IDOK && !PickerShows(Dialog, Queue().front().Folder) &&
        Queue().front().Waited++ < 1500) {
      // The picker settles its selection in its own time, a level of the tree at
      // a time and slowly on a busy machine: the folder is chosen again until the
      // tree shows it.
      // Once the tree stands on the folder's parent, the folder is clicked in it
      // as a user would; a path walk alone can stall there on a busy machine.
      if (!SelectChildOfCaret(Dialog, Queue().front().Folder)) {
        const std::wstring Path = Utf8ToWide(Queue().front().Folder);
        SendMessageW(Dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(Path.c_str()));
      }
      return;
    }
    TEntry Entry = std::move(Queue().front());
    Queue().pop_front();
    KillTimer(nullptr, Timer);
    Timer = Queue().empty() ? 0 : SetTimer(nullptr, 0, 20, &Tick);
    if (Entry.Box) {
      Boxes().push_back({TextOf(Dialog), TextOf(GetDlgItem(Dialog, 0xFFFF))});
      if (Entry.Before) Entry.Before(Dialog);
    }
    PostMessageW(Dialog, WM_COMMAND, MAKEWPARAM(Entry.Button, BN_CLICKED), 0);
  }
  static inline UINT_PTR Timer = 0;
};

// Shows Dialog modally; Answer runs once it is on screen. Gives how it closed.
template <class T>
TModalResult RunModalAnswered(T* Dialog, std::function<void(T*)> Answer) {
  TModalAnswers::Add(Dialog->ClassName(), [Answer](TCustomForm* F) { Answer(static_cast<T*>(F)); });
  const TModalResult Result = Dialog->ShowModal();
  EXPECT_TRUE(TModalAnswers::AllAnswered());
  return Result;
}
