#include "framework/Object.h"

#include <algorithm>
#include <vector>

#include <windows.h>

#include "framework/Exceptions.h"
#include "framework/MessageWindow.h"

bool TMetaClass::InheritsFrom(const TMetaClass* cls) const {
  for (const TMetaClass* c = this; c; c = c->FParent)
    if (c == cls) return true;
  return false;
}

TObject* TMetaClass::CreateInstance(void* arg, const std::type_info& argType) const {
  if (!FFactory) throw EInvalidOperation("Cannot create an instance of abstract class %s", {FName});
  if (arg && argType != *FArgType)
    throw EInvalidCast("Class %s cannot be created with this owner", {FName});
  TObject* obj = FFactory(arg);
  sonvelt_detail::RunAfterConstruction(obj);
  return obj;
}

TClass TObject::StaticClass() {
  static const TMetaClass meta("TObject", nullptr, sonvelt_detail::FactoryFor<TObject>(), &typeid(std::nullptr_t));
  return &meta;
}

namespace {

std::vector<TObject*>& DeferredQueue() {
  static std::vector<TObject*> queue;
  return queue;
}

constexpr wchar_t kDeferredWindowClass[] = L"SonveltDeferredFree";
constexpr UINT kDeferredMessage = WM_APP + 0x3F01;

LRESULT CALLBACK DeferredWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kDeferredMessage) {
    try {
      ProcessDeferredFrees();
    } catch (...) {
      ReportException(nullptr);
    }
    return 0;
  }
  return DefWindowProcW(wnd, msg, wp, lp);
}

// A message-only window of the thread that queued the free, so that any message
// loop (modal ones included) runs the queue.
HWND DeferredWindow() {
  static HWND wnd = CreateMessageWindow(kDeferredWindowClass, DeferredWndProc);
  return wnd;
}

}  // namespace

TObject::~TObject() {
  auto& q = DeferredQueue();
  if (!q.empty()) q.erase(std::remove(q.begin(), q.end(), this), q.end());
}

void sonvelt_detail::RunAfterConstruction(TObject* obj) {
  try {
    obj->AfterConstruction();
  } catch (...) {
    Free(obj);
    throw;
  }
}

void sonvelt_detail::RaiseInvalidClassCast(TClass from, TClass to) {
  (void)from;
  (void)to;
  throw EInvalidCast("Invalid class typecast");
}

void Free(TObject* obj) {
  if (!obj) return;
  obj->BeforeDestruction();
  delete obj;
}

void FreeDeferred(TObject* obj) {
  if (!obj) return;
  auto& q = DeferredQueue();
  if (std::find(q.begin(), q.end(), obj) != q.end()) return;
  bool first = q.empty();
  q.push_back(obj);
  if (first) {
    if (HWND wnd = DeferredWindow()) PostMessageW(wnd, kDeferredMessage, 0, 0);
  }
}

void ProcessDeferredFrees() {
  auto& q = DeferredQueue();
  while (!q.empty()) {
    TObject* obj = q.front();
    q.erase(q.begin());
    Free(obj);
  }
}
