#include "framework/Exceptions.h"

#include <windows.h>

#include "framework/Unicode.h"

TExceptionHandler ApplicationHandleException;

void ReportException(TObject* Sender) {
  std::exception_ptr e = std::current_exception();
  if (!e) return;
  std::string text = "Unhandled exception";
  try {
    std::rethrow_exception(e);
  } catch (const EAbort&) {
    return;
  } catch (const std::exception& ex) {
    text = ex.what();
  } catch (...) {
  }
  if (ApplicationHandleException) ApplicationHandleException(Sender);
  else OutputDebugStringW(Utf8ToWide(text + "\n").c_str());
}

void AbstractError() { throw EAbstractError("Abstract Error"); }

void Abort() { throw EAbort("Operation aborted"); }

std::string SysErrorMessage(std::uint32_t ErrorCode) {
  wchar_t* buf = nullptr;
  DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS |
                               FORMAT_MESSAGE_ARGUMENT_ARRAY,
                           nullptr, ErrorCode, 0, reinterpret_cast<wchar_t*>(&buf), 0, nullptr);
  std::string r;
  if (buf) {
    while (n > 0 && (buf[n - 1] == L'\r' || buf[n - 1] == L'\n' || buf[n - 1] == L' ')) --n;
    r = WideToUtf8(std::wstring_view(buf, n));
    LocalFree(buf);
  }
  return r;
}

void RaiseLastOSError(std::uint32_t LastError) {
  EOSError e = LastError != 0 ? EOSError("System Error.  Code: %d.\r\n%s", {LastError, SysErrorMessage(LastError)})
                              : EOSError("A call to an OS function failed");
  e.ErrorCode = LastError;
  throw e;
}

void RaiseLastOSError() { RaiseLastOSError(GetLastError()); }

bool Win32Check(bool Success) {
  if (!Success) RaiseLastOSError();
  return Success;
}
