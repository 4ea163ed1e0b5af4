// The exception hierarchy, OS errors and the hand-over of exceptions caught at the edge
// of a window procedure.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Exceptions.h"

TEST(Exceptions, HierarchyNamesAndFormattedMessages) {
  struct Case {
    std::function<void()> raise;
    std::string className;
    std::string message;
  } cases[] = {
      {[] { throw EListError("List index out of bounds (%d)", {7}); }, "EListError", "List index out of bounds (7)"},
      {[] { throw EFOpenError("Cannot open file \"%s\"", {"a.wav"}); }, "EFOpenError", "Cannot open file \"a.wav\""},
      {[] { Abort(); }, "EAbort", "Operation aborted"},
      {[] { throw EConvertError(std::string("plain")); }, "EConvertError", "plain"},
  };
  for (const Case& c : cases) {
    try {
      c.raise();
      ADD_FAILURE() << c.className;
    } catch (const Exception& e) {
      EXPECT_EQ(e.ClassName(), c.className);
      EXPECT_EQ(e.GetMessage(), c.message);
      EXPECT_STREQ(e.what(), c.message.c_str());
    }
  }
  EXPECT_TRUE(EFOpenError::StaticClass()->InheritsFrom(EStreamError::StaticClass()));
  EXPECT_TRUE(EReadError::StaticClass()->InheritsFrom(EStreamError::StaticClass()));
  EXPECT_FALSE(EListError::StaticClass()->InheritsFrom(EStreamError::StaticClass()));
}

TEST(Exceptions, OsErrorsCarryTheCodeAndTheSystemText) {
  std::string text = SysErrorMessage(ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(text.empty());
  EXPECT_NE(text.back(), '\n');
  try {
    RaiseLastOSError(ERROR_FILE_NOT_FOUND);
    ADD_FAILURE();
  } catch (const EOSError& e) {
    EXPECT_EQ(e.ErrorCode, 2u);
    EXPECT_EQ(e.GetMessage(), "System Error.  Code: 2.\r\n" + text);
  }
  SetLastError(ERROR_ACCESS_DENIED);
  EXPECT_THROW(Win32Check(false), EOSError);
  EXPECT_TRUE(Win32Check(true));
}

namespace {
struct TReport : TObject {
  std::vector<std::string> Seen;
  void Handle(TObject*) {
    try {
      throw;  // the exception being handled
    } catch (const Exception& e) {
      Seen.push_back(e.ClassName() + ": " + e.GetMessage());
    }
  }
};
}  // namespace

TEST(Exceptions, ReportExceptionHandsOverAllButAbort) {
  TReport report;
  ApplicationHandleException = Bind(&report, &TReport::Handle);
  for (auto raise : std::vector<std::function<void()>>{[] { throw EInvalidOperation("no parent"); }, [] { Abort(); }}) {
    try {
      raise();
    } catch (...) {
      ReportException(nullptr);
    }
  }
  ApplicationHandleException = nullptr;
  EXPECT_EQ(report.Seen, std::vector<std::string>{"EInvalidOperation: no parent"});
}
