#include "suite/common/cxDWMApi.h"

#include "suite/common/UnitLifetime.h"
#include "suite/common/WindowsVersion.h"

namespace {

HMODULE Library = nullptr;
bool Available = false;

// The entries the suite binds; only the composition query is called here.
const char* const EntryNames[] = {"DwmDefWindowProc",           "DwmEnableBlurBehindWindow",
                                  "DwmEnableComposition",       "DwmEnableMMCSS",
                                  "DwmExtendFrameIntoClientArea", "DwmGetColorizationColor",
                                  "DwmGetWindowAttribute",      "DwmIsCompositionEnabled",
                                  "DwmSetWindowAttribute"};
void* Entries[sizeof EntryNames / sizeof EntryNames[0]] = {};

TSuiteUnit Unit(
    [] {
      if (WindowsVersion().Major < 6) return;
      Library = LoadLibraryW(L"dwmapi.dll");
      if (!Library) return;
      for (size_t i = 0; i < sizeof EntryNames / sizeof EntryNames[0]; ++i)
        Entries[i] = reinterpret_cast<void*>(GetProcAddress(Library, EntryNames[i]));
      Available = true;
    },
    [] {
      Available = false;
      for (void*& e : Entries) e = nullptr;
      if (Library) FreeLibrary(Library);
      Library = nullptr;
    });

}  // namespace

bool DwmAvailable() {
  Unit.Ensure();
  return Available;
}

bool CompositionActive() {
  if (!DwmAvailable() || !Entries[7]) return false;
  BOOL enabled = FALSE;
  reinterpret_cast<HRESULT(WINAPI*)(BOOL*)>(Entries[7])(&enabled);
  return enabled != FALSE;
}
