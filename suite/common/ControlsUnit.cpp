#include "suite/common/ControlsUnit.h"

#include "framework/Screen.h"
#include "suite/common/MessageWindow.h"
#include "suite/common/UnitLifetime.h"

namespace {
UINT PlaceFormMessage = 0;
TcxSystemController* SystemController = nullptr;

const struct {
  TCursor Id;
  const wchar_t* Name;
} Cursors[] = {
    {crcxDragCopy, L"CX_DRAGCOPYCURSOR"},     {crcxFullScroll, L"CX_FULLSCROLLCURSOR"},
    {crcxHorzScroll, L"CX_HORSCROLLCURSOR"},  {crcxVertScroll, L"CX_VERSCROLLCURSOR"},
    {crcxUpScroll, L"CX_UPSCROLLCURSOR"},     {crcxRightScroll, L"CX_RIGHTSCROLLCURSOR"},
    {crcxDownScroll, L"CX_DOWNSCROLLCURSOR"}, {crcxLeftScroll, L"CX_LEFTSCROLLCURSOR"},
    {crcxRemove, L"CX_REMOVECURSOR"},         {crcxVertSize, L"CX_VERTSIZECURSOR"},
    {crcxHorzSize, L"CX_HORZSIZECURSOR"},     {crcxMultiDrag, L"CX_MULTIDRAGCURSOR"},
    {crcxNoDrop, L"CX_NODROPCURSOR"},         {crcxDrag, L"CX_DRAGCURSOR"},
    {crcxColorPicker, L"CX_COLORPICKERCURSOR"}};

TSuiteUnit Unit(
    [] {
      HINSTANCE Module = GetModuleHandleW(nullptr);
      if (Screen) {
        for (const auto& C : Cursors) Screen->SetCursors(C.Id, LoadCursorW(Module, C.Name));
        Screen->SetCursors(crcxHandPoint, LoadCursorW(nullptr, IDC_HAND));
      }
      PlaceFormMessage = RegisterWindowMessageW(L"{B2CE3777-44D8-4998-9701-47BBBC10B656}");
      SystemController = TcxSystemController::Create();
    },
    [] { FreeAndNil(SystemController); });
}  // namespace

void EnsureControlsUnit() { Unit.Ensure(); }

UINT cxPlaceFormMessage() {
  Unit.Ensure();
  return PlaceFormMessage;
}
