#include "framework/Edit.h"

#include <algorithm>

#include "framework/Unicode.h"

namespace {

// The lines of a memo: a view of its text split at line breaks.
class TMemoStrings : public TStrings {
  SONVELT_CLASS(TMemoStrings, TStrings)
public:
  explicit TMemoStrings(TMemo* Memo) : FMemo(Memo) {}
  int GetCount() const override { return static_cast<int>(Lines().size()); }
  void Clear() override { FMemo->SetText(""); }
  void Delete(int Index) override {
    auto L = Lines();
    Check(Index, static_cast<int>(L.size()) - 1);
    L.erase(L.begin() + Index);
    Store(L);
  }
  void Insert(int Index, const std::string& S) override {
    auto L = Lines();
    Check(Index, static_cast<int>(L.size()));
    L.insert(L.begin() + Index, S);
    Store(L);
  }
  void SetText(std::string_view Text) override { FMemo->SetText(std::string(Text)); }

protected:
  std::string Get(int Index) const override {
    auto L = Lines();
    Check(Index, static_cast<int>(L.size()) - 1);
    return L[static_cast<size_t>(Index)];
  }
  void Put(int Index, const std::string& S) override {
    auto L = Lines();
    Check(Index, static_cast<int>(L.size()) - 1);
    L[static_cast<size_t>(Index)] = S;
    Store(L);
  }

private:
  static void Check(int Index, int Max) {
    if (Index < 0 || Index > Max) Error("List index out of bounds (%d)", Index);
  }
  std::vector<std::string> Lines() const {
    std::vector<std::string> L;
    std::string T = FMemo->GetText();
    size_t P = 0;
    while (P < T.size()) {
      size_t E = T.find_first_of("\r\n", P);
      if (E == std::string::npos) {
        L.push_back(T.substr(P));
        break;
      }
      L.push_back(T.substr(P, E - P));
      P = E + ((T[E] == '\r' && E + 1 < T.size() && T[E + 1] == '\n') ? 2 : 1);
    }
    return L;
  }
  void Store(const std::vector<std::string>& L) {
    std::string T;
    for (size_t I = 0; I < L.size(); ++I) {
      if (I) T += "\r\n";
      T += L[I];
    }
    FMemo->SetText(T);
  }
  TMemo* FMemo;
};
}  // namespace

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
  SetControlStyle(TControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks});
  SetTabStop(true);
  SetColor(clWindow);
}

void TCustomEdit::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, L"EDIT");
  Params.Style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL;
  if (FReadOnly) Params.Style |= ES_READONLY;
  if (FNumbersOnly) Params.Style |= ES_NUMBER;
  if (FCharCase == ecUpperCase) Params.Style |= ES_UPPERCASE;
  if (FCharCase == ecLowerCase) Params.Style |= ES_LOWERCASE;
  if (FBorder && GetCtl3D()) Params.ExStyle |= WS_EX_CLIENTEDGE;
  else if (FBorder) Params.Style |= WS_BORDER;
}

void TCustomEdit::CreateWnd() {
  TWinControl::CreateWnd();
  SendMessageW(GetHandle(), EM_LIMITTEXT, FMaxLength, 0);
}

void TCustomEdit::SetStyleBit(DWORD Bit, bool On) {
  if (!HandleAllocated()) return;
  LONG_PTR S = GetWindowLongPtrW(GetHandle(), GWL_STYLE);
  SetWindowLongPtrW(GetHandle(), GWL_STYLE, On ? (S | Bit) : (S & ~static_cast<LONG_PTR>(Bit)));
}

void TCustomEdit::SetReadOnly(bool Value) {
  FReadOnly = Value;
  if (HandleAllocated()) SendMessageW(GetHandle(), EM_SETREADONLY, Value, 0);
}

void TCustomEdit::SetMaxLength(int Value) {
  FMaxLength = std::max(Value, 0);
  if (HandleAllocated()) SendMessageW(GetHandle(), EM_LIMITTEXT, FMaxLength, 0);
}

void TCustomEdit::SetNumbersOnly(bool Value) {
  FNumbersOnly = Value;
  SetStyleBit(ES_NUMBER, Value);
}

void TCustomEdit::SetBorder(bool Value) {
  if (FBorder == Value) return;
  FBorder = Value;
  RecreateWnd();
}

void TCustomEdit::SetCharCase(TEditCharCase Value) {
  if (FCharCase == Value) return;
  FCharCase = Value;
  RecreateWnd();
}

bool TCustomEdit::GetModified() { return HandleAllocated() && SendMessageW(GetHandle(), EM_GETMODIFY, 0, 0) != 0; }

void TCustomEdit::SetModified(bool Value) {
  if (HandleAllocated()) SendMessageW(GetHandle(), EM_SETMODIFY, Value, 0);
}

// Selection positions count characters as the window does (UTF-16 units).
int TCustomEdit::GetSelStart() {
  DWORD S = 0;
  SendMessageW(GetHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&S), 0);
  return static_cast<int>(S);
}

void TCustomEdit::SetSelStart(int Value) { SendMessageW(GetHandle(), EM_SETSEL, Value, Value); }

int TCustomEdit::GetSelLength() {
  DWORD S = 0, E = 0;
  SendMessageW(GetHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&S), reinterpret_cast<LPARAM>(&E));
  return static_cast<int>(E - S);
}

void TCustomEdit::SetSelLength(int Value) {
  int S = GetSelStart();
  SendMessageW(GetHandle(), EM_SETSEL, S, S + Value);
}

std::string TCustomEdit::GetSelText() {
  std::wstring W = Utf8ToWide(GetText());
  int S = std::min<int>(GetSelStart(), static_cast<int>(W.size()));
  return WideToUtf8(W.substr(static_cast<size_t>(S), static_cast<size_t>(GetSelLength())));
}

void TCustomEdit::SetSelText(const std::string& Value) {
  SendMessageW(GetHandle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(Utf8ToWide(Value).c_str()));
}

void TCustomEdit::SelectAll() { SendMessageW(GetHandle(), EM_SETSEL, 0, -1); }

void TCustomEdit::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_COMMAND) {
    if (HIWORD(Message.WParam) == EN_CHANGE) Change();
    return;
  }
  TWinControl::Dispatch(Message);
}

// --- TMemo ---

TMemo::TMemo(TComponent* AOwner) : TCustomEdit(AOwner), FLines(Construct<TMemoStrings>(this)) {
  SetBounds(0, 0, 185, 89);
}

TMemo::~TMemo() = default;

void TMemo::CreateParams(TCreateParams& Params) {
  TCustomEdit::CreateParams(Params);
  Params.Style |= ES_MULTILINE;
  if (FWantReturns) Params.Style |= ES_WANTRETURN;
  if (FWordWrap) Params.Style &= ~ES_AUTOHSCROLL;
  else Params.Style |= ES_AUTOHSCROLL;
  if (FScrollBars == ssVertical || FScrollBars == ssBoth) Params.Style |= WS_VSCROLL;
  if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) Params.Style |= WS_HSCROLL;
}

void TMemo::SetScrollBars(TScrollStyle Value) {
  if (FScrollBars == Value) return;
  FScrollBars = Value;
  RecreateWnd();
}

void TMemo::SetWordWrap(bool Value) {
  if (FWordWrap == Value) return;
  FWordWrap = Value;
  RecreateWnd();
}

void TMemo::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_GETDLGCODE) {
    TCustomEdit::Dispatch(Message);
    if (!FWantTabs) Message.Result &= ~DLGC_WANTTAB;
    if (!FWantReturns) Message.Result &= ~DLGC_WANTALLKEYS;
    return;
  }
  TCustomEdit::Dispatch(Message);
}
