// Exceptions: every error the framework raises is an Exception (a TObject and a
// std::exception) with a Message.
//
//   throw EConvertError("plain text");
//   throw EListError("List index out of bounds (%d)", {Index});   // Format-style
//   catch (const Exception& E) { ShowMessage(E.GetMessage()); E.ClassName(); }
//   Abort();                      // silent EAbort: the application shows nothing
//   RaiseLastOSError();           // EOSError from GetLastError with the system text
//
// Declare new exception classes with SONVELT_EXCEPTION(EMyError, Exception).
#pragma once

#include <cstdint>
#include <exception>
#include <initializer_list>
#include <string>

// Included first so that GetMessage below is spelt alike in every file.
#include <windows.h>

#include "framework/Delegate.h"
#include "framework/Format.h"
#include "framework/Object.h"

class Exception : public TObject, public std::exception {
  SONVELT_CLASS(Exception, TObject)
public:
  Exception() = default;
  explicit Exception(std::string Msg) : FMessage(std::move(Msg)) {}
  Exception(std::string_view Fmt, std::initializer_list<TVarRec> Args) : FMessage(Format(Fmt, Args)) {}
  Exception(const Exception&) = default;
  Exception& operator=(const Exception&) = default;
  ~Exception() override = default;

  const std::string& GetMessage() const { return FMessage; }
  void SetMessage(std::string Msg) { FMessage = std::move(Msg); }
  int GetHelpContext() const { return FHelpContext; }
  void SetHelpContext(int Value) { FHelpContext = Value; }
  const char* what() const noexcept override { return FMessage.c_str(); }

private:
  std::string FMessage;
  int FHelpContext = 0;
};

#define SONVELT_EXCEPTION(Name, Parent) \
  class Name : public Parent {          \
    SONVELT_CLASS(Name, Parent)         \
  public:                               \
    using Parent::Parent;               \
  };

SONVELT_EXCEPTION(EAbort, Exception)
SONVELT_EXCEPTION(EConvertError, Exception)
SONVELT_EXCEPTION(EListError, Exception)
SONVELT_EXCEPTION(EStringListError, Exception)
SONVELT_EXCEPTION(EInvalidOperation, Exception)
SONVELT_EXCEPTION(EInvalidCast, Exception)
SONVELT_EXCEPTION(EInvalidPointer, Exception)
SONVELT_EXCEPTION(EOutOfMemory, Exception)
SONVELT_EXCEPTION(EComponentError, Exception)
SONVELT_EXCEPTION(EStreamError, Exception)
SONVELT_EXCEPTION(EFileStreamError, EStreamError)
SONVELT_EXCEPTION(EFCreateError, EFileStreamError)
SONVELT_EXCEPTION(EFOpenError, EFileStreamError)
SONVELT_EXCEPTION(EReadError, EStreamError)
SONVELT_EXCEPTION(EWriteError, EStreamError)
SONVELT_EXCEPTION(EResNotFound, Exception)
SONVELT_EXCEPTION(ERegistryException, Exception)
SONVELT_EXCEPTION(EIniFileException, Exception)
SONVELT_EXCEPTION(EThread, Exception)
SONVELT_EXCEPTION(EExternal, Exception)
SONVELT_EXCEPTION(EMathError, Exception)
SONVELT_EXCEPTION(EZeroDivide, EMathError)
SONVELT_EXCEPTION(EInOutError, Exception)
SONVELT_EXCEPTION(EVariantError, Exception)
SONVELT_EXCEPTION(EOleError, Exception)
SONVELT_EXCEPTION(EOleSysError, EOleError)
SONVELT_EXCEPTION(EAbstractError, Exception)

// An operating-system failure; ErrorCode is the GetLastError value.
class EOSError : public Exception {
  SONVELT_CLASS(EOSError, Exception)
public:
  using Exception::Exception;
  std::uint32_t ErrorCode = 0;
};

// No exception may leave a window procedure or a callback of the system: catch it
// there and call ReportException(Sender) inside the catch block. It goes to
// ApplicationHandleException, which the application binds to its own exception report
// (the handler runs inside the catch block and may rethrow to look at the exception);
// EAbort is dropped silently, and with no handler bound the message goes to the debugger.
//   LRESULT CALLBACK WndProc(...) { try { ... } catch (...) { ReportException(nullptr); } return 0; }
using TExceptionHandler = TDelegate<void(TObject* Sender)>;
extern TExceptionHandler ApplicationHandleException;
void ReportException(TObject* Sender);

// Raises EAbstractError "Abstract Error": for an operation a class must supply but did not.
[[noreturn]] void AbstractError();
// Raises the silent exception that ends an operation without an error report.
[[noreturn]] void Abort();
// Raises EOSError for GetLastError(): "System Error.  Code: %d.\r\n%s".
[[noreturn]] void RaiseLastOSError();
[[noreturn]] void RaiseLastOSError(std::uint32_t LastError);
// Raises EOSError when Success is false; gives Success back otherwise.
bool Win32Check(bool Success);
// The system's text for an error code, without the trailing line break.
std::string SysErrorMessage(std::uint32_t ErrorCode);
