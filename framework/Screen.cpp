#include "framework/Screen.h"

#include <algorithm>
#include <vector>

#include "framework/Form.h"
#include "framework/Unicode.h"

namespace {
HCURSOR SysCursor(LPCWSTR Id) { return LoadCursorW(nullptr, Id); }

int CALLBACK CollectFont(const LOGFONTW* LF, const TEXTMETRICW*, DWORD, LPARAM Data) {
  auto* L = reinterpret_cast<std::vector<std::string>*>(Data);
  std::string Name = WideToUtf8(LF->lfFaceName);
  if (!Name.empty() && Name[0] != '@') L->push_back(Name);
  return 1;
}

void SetFromLogFont(TFont* Font, const LOGFONTW& LF) {
  Font->SetHandle(CreateFontIndirectW(&LF));
}
}  // namespace

TScreen* Screen = nullptr;
static TMouse MouseInstance;
TMouse* Mouse = &MouseInstance;

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner) {
  FCursors = {
      {crDefault, SysCursor(reinterpret_cast<LPCWSTR>(IDC_ARROW))},
      {crArrow, SysCursor(reinterpret_cast<LPCWSTR>(IDC_ARROW))},
      {crCross, SysCursor(reinterpret_cast<LPCWSTR>(IDC_CROSS))},
      {crIBeam, SysCursor(reinterpret_cast<LPCWSTR>(IDC_IBEAM))},
      {crSizeNESW, SysCursor(reinterpret_cast<LPCWSTR>(IDC_SIZENESW))},
      {crSizeNS, SysCursor(reinterpret_cast<LPCWSTR>(IDC_SIZENS))},
      {crSizeNWSE, SysCursor(reinterpret_cast<LPCWSTR>(IDC_SIZENWSE))},
      {crSizeWE, SysCursor(reinterpret_cast<LPCWSTR>(IDC_SIZEWE))},
      {crUpArrow, SysCursor(reinterpret_cast<LPCWSTR>(IDC_UPARROW))},
      {crHourGlass, SysCursor(reinterpret_cast<LPCWSTR>(IDC_WAIT))},
      {crDrag, SysCursor(reinterpret_cast<LPCWSTR>(IDC_ARROW))},
      {crNoDrop, SysCursor(reinterpret_cast<LPCWSTR>(IDC_NO))},
      {crHSplit, SysCursor(reinterpret_cast<LPCWSTR>(IDC_SIZEWE))},
      {crVSplit, SysCursor(reinterpret_cast<LPCWSTR>(IDC_SIZENS))},
      {crMultiDrag, SysCursor(reinterpret_cast<LPCWSTR>(IDC_ARROW))},
      {crSQLWait, SysCursor(reinterpret_cast<LPCWSTR>(IDC_WAIT))},
      {crNo, SysCursor(reinterpret_cast<LPCWSTR>(IDC_NO))},
      {crAppStart, SysCursor(reinterpret_cast<LPCWSTR>(IDC_APPSTARTING))},
      {crHelp, SysCursor(reinterpret_cast<LPCWSTR>(IDC_HELP))},
      {crHandPoint, SysCursor(reinterpret_cast<LPCWSTR>(IDC_HAND))},
      {crSizeAll, SysCursor(reinterpret_cast<LPCWSTR>(IDC_SIZEALL))},
  };
}

TScreen::~TScreen() = default;

RECT TScreen::GetWorkAreaRect() const {
  RECT R{0, 0, GetWidth(), GetHeight()};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &R, 0);
  return R;
}

HCURSOR TScreen::GetCursors(int Index) {
  auto It = FCursors.find(Index);
  if (It != FCursors.end() && It->second) return It->second;
  if (Index == crNone) return nullptr;
  return FCursors[crDefault];
}

void TScreen::SetCursors(int Index, HCURSOR Handle) {
  if (Index == crDefault && !Handle) Handle = SysCursor(reinterpret_cast<LPCWSTR>(IDC_ARROW));
  FCursors[Index] = Handle;
}

void TScreen::SetCursor(TCursor Value) {
  if (FCursor == Value) return;
  FCursor = Value;
  if (Value != crDefault) {
    ::SetCursor(GetCursors(Value));
  } else {
    // Let the window under the mouse choose again.
    POINT P;
    ::GetCursorPos(&P);
    ::SetCursorPos(P.x, P.y);
  }
}

const std::vector<std::string>& TScreen::GetFonts() {
  if (FFonts.empty()) {
    HDC DC = GetDC(nullptr);
    LOGFONTW LF{};
    LF.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(DC, &LF, CollectFont, reinterpret_cast<LPARAM>(&FFonts), 0);
    ReleaseDC(nullptr, DC);
    std::sort(FFonts.begin(), FFonts.end());
    FFonts.erase(std::unique(FFonts.begin(), FFonts.end()), FFonts.end());
  }
  return FFonts;
}

void TScreen::ResetFonts() {
  NONCLIENTMETRICSW NCM{};
  NCM.cbSize = sizeof NCM;
  if (!FHintFont) FHintFont.reset(Construct<TFont>());
  if (!FMenuFont) FMenuFont.reset(Construct<TFont>());
  if (!FIconFont) FIconFont.reset(Construct<TFont>());
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof NCM, &NCM, 0)) {
    SetFromLogFont(FHintFont.get(), NCM.lfStatusFont);
    FHintFont->SetColor(clInfoText);
    SetFromLogFont(FMenuFont.get(), NCM.lfMenuFont);
    FMenuFont->SetColor(clMenuText);
  }
  LOGFONTW Icon{};
  if (SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof Icon, &Icon, 0)) SetFromLogFont(FIconFont.get(), Icon);
  FFonts.clear();
}

TFont* TScreen::GetHintFont() {
  if (!FHintFont) ResetFonts();
  return FHintFont.get();
}

TFont* TScreen::GetMenuFont() {
  if (!FMenuFont) ResetFonts();
  return FMenuFont.get();
}

TFont* TScreen::GetIconFont() {
  if (!FIconFont) ResetFonts();
  return FIconFont.get();
}

void TScreen::AddForm(TCustomForm* Form) { FForms.push_back(Form); }

void TScreen::RemoveForm(TCustomForm* Form) {
  FForms.erase(std::remove(FForms.begin(), FForms.end(), Form), FForms.end());
  if (FActiveForm == Form) {
    FActiveForm = nullptr;
    FActiveControl = nullptr;
    OnActiveFormChange(this);
  }
}

void TScreen::SetActiveForm(TCustomForm* Form) {
  if (FActiveForm == Form) return;
  FActiveForm = Form;
  // The active form goes first in the list.
  auto It = std::find(FForms.begin(), FForms.end(), Form);
  if (It != FForms.end()) std::rotate(FForms.begin(), It, It + 1);
  OnActiveFormChange(this);
}

void TScreen::SetFocus(TCustomForm* Form, TWinControl* Control) {
  SetActiveForm(Form);
  if (FActiveControl == Control) return;
  FActiveControl = Control;
  OnActiveControlChange(this);
}

void TScreen::ControlRemoved(TWinControl* Control) {
  if (FActiveControl && Control->ContainsControl(FActiveControl)) FActiveControl = nullptr;
}

int TMouse::GetWheelScrollLines() const {
  UINT Lines = 3;
  SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &Lines, 0);
  return static_cast<int>(Lines);
}

POINT TMouse::GetCursorPos() const {
  POINT P{0, 0};
  ::GetCursorPos(&P);
  return P;
}

HCURSOR LoadCursorFileResource(HINSTANCE Module, const wchar_t* Name) {
  HRSRC Info = FindResourceW(Module, Name, MAKEINTRESOURCEW(10));
  HGLOBAL Data = Info ? LoadResource(Module, Info) : nullptr;
  const auto* Bytes = static_cast<const BYTE*>(Data ? LockResource(Data) : nullptr);
  DWORD Size = Info ? SizeofResource(Module, Info) : 0;
  if (!Bytes || Size < 22) return nullptr;
  auto Word = [Bytes](size_t At) { return static_cast<WORD>(Bytes[At] | (Bytes[At + 1] << 8)); };
  auto DWord = [&Word](size_t At) { return static_cast<DWORD>(Word(At) | (Word(At + 2) << 16)); };
  // The directory entry: width, height, colours, reserved, hot spot x and y, size, offset.
  WORD HotX = Word(10), HotY = Word(12);
  DWORD ImageSize = DWord(14), Offset = DWord(18);
  if (Offset > Size || ImageSize > Size - Offset) return nullptr;
  std::vector<BYTE> Image(4 + ImageSize);
  Image[0] = LOBYTE(HotX);
  Image[1] = HIBYTE(HotX);
  Image[2] = LOBYTE(HotY);
  Image[3] = HIBYTE(HotY);
  std::copy(Bytes + Offset, Bytes + Offset + ImageSize, Image.begin() + 4);
  return reinterpret_cast<HCURSOR>(
      CreateIconFromResourceEx(Image.data(), static_cast<DWORD>(Image.size()), FALSE, 0x00030000, 0, 0, 0));
}
