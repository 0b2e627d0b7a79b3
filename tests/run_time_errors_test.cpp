#include "base/run_time_errors.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <typeinfo>

#include "base/errors.h"

namespace toridasu {
namespace {

// The fatal end of these tests leaves by throwing, so that the test can look
// at what would have ended the process.
struct FatalEndReached {
  int number;
  uintptr_t address;
};
void ThrowingFatalEnd(int number, uintptr_t address) { throw FatalEndReached{number, address}; }

class RunTimeErrors : public ::testing::Test {
 protected:
  void TearDown() override {
    RemoveRunTimeErrors();
    SetFatalEnd(nullptr);
    RecordIoCode(0);
  }
};

struct FailureCase {
  FailureCode code;
  const char* kind;
  std::string message;  // Shift-JIS, encoded with Python's cp932 codec
  int fatalNumber;
};

const FailureCase kFailureCases[] = {
    {FailureCode::kOutOfMemory, "EOutOfMemory",
     "\x83\x81\x83\x82\x83\x8A\x82\xAA\x91\xAB\x82\xE8\x82\xDC\x82\xB9\x82\xF1", 203},
    {FailureCode::kInvalidPointer, "EInvalidPointer",
     "\x96\xB3\x8C\xF8\x82\xC8\x83\x7C\x83\x43\x83\x93\x83\x5E\x91\x80\x8D\xEC", 204},
    {FailureCode::kDivByZero, "EDivByZero",
     "\x83\x5B\x83\x8D\x82\xC9\x82\xE6\x82\xE9\x8F\x9C\x8E\x5A", 200},
    {FailureCode::kRangeCheck, "ERangeError",
     "\x94\xCD\x88\xCD\x83\x60\x83\x46\x83\x62\x83\x4E\x83\x47\x83\x89\x81\x5B", 201},
    {FailureCode::kIntOverflow, "EIntOverflow",
     "\x90\xAE\x90\x94\x82\xCC\x83\x49\x81\x5B\x83\x6F\x81\x5B\x83\x74\x83\x8D\x81\x5B", 215},
    {FailureCode::kInvalidOp, "EInvalidOp",
     "\x95\x73\x90\xB3\x82\xC8\x95\x82\x93\xAE\x8F\xAC\x90\x94\x93\x5F\x90\x94\x89\x89\x8E\x5A\x96"
     "\xBD"
     "\x97\xDF",
     207},
    {FailureCode::kZeroDivide, "EZeroDivide",
     "\x30\x20\x82\xC9\x82\xE6\x82\xE9\x95\x82\x93\xAE\x8F\xAC\x90\x94\x93\x5F\x90\x94\x8F\x9C\x8E"
     "\x5A",
     200},
    {FailureCode::kOverflow, "EOverflow",
     "\x95\x82\x93\xAE\x8F\xAC\x90\x94\x93\x5F\x90\x94\x82\xCC\x83\x49\x81\x5B\x83\x6F\x81\x5B\x83"
     "\x74"
     "\x83\x8D\x81\x5B",
     205},
    {FailureCode::kUnderflow, "EUnderflow",
     "\x95\x82\x93\xAE\x8F\xAC\x90\x94\x93\x5F\x90\x94\x82\xCC\x83\x41\x83\x93\x83\x5F\x81\x5B\x83"
     "\x74"
     "\x83\x8D\x81\x5B",
     206},
    {FailureCode::kInvalidCast, "EInvalidCast",
     "\x96\xB3\x8C\xF8\x82\xC8\x83\x4E\x83\x89\x83\x58\x8C\x5E\x83\x4C\x83\x83\x83\x58\x83\x67",
     219},
};

TEST_F(RunTimeErrors, EachFailureRaisesItsKindWhileInstalled) {
  InstallRunTimeErrors();
  SetFatalEnd(&ThrowingFatalEnd);
  for (const FailureCase& c : kFailureCases) {
    try {
      RunTimeFailure(c.code, 0x00401234);
      ADD_FAILURE() << c.kind;
    } catch (const Exception& e) {
      EXPECT_STREQ(e.KindName(), c.kind);
      EXPECT_EQ(e.Message(), c.message) << c.kind;
      EXPECT_EQ(RaiseAddress(), 0x00401234u) << c.kind;
    }
  }
}

TEST_F(RunTimeErrors, KindsSitInTheirBranchesOfTheTree) {
  InstallRunTimeErrors();
  auto raises = [](FailureCode code, auto* branch) {
    try {
      RunTimeFailure(code, 0);
    } catch (const std::remove_pointer_t<decltype(branch)>&) {
      return true;
    } catch (...) {
    }
    return false;
  };
  EXPECT_TRUE(raises(FailureCode::kOutOfMemory, static_cast<EHeapException*>(nullptr)));
  EXPECT_TRUE(raises(FailureCode::kInvalidPointer, static_cast<EHeapException*>(nullptr)));
  EXPECT_TRUE(raises(FailureCode::kDivByZero, static_cast<EIntError*>(nullptr)));
  EXPECT_TRUE(raises(FailureCode::kIntOverflow, static_cast<EIntError*>(nullptr)));
  EXPECT_TRUE(raises(FailureCode::kZeroDivide, static_cast<EMathError*>(nullptr)));
  EXPECT_TRUE(raises(FailureCode::kUnderflow, static_cast<EExternal*>(nullptr)));
  EXPECT_FALSE(raises(FailureCode::kInvalidCast, static_cast<EExternal*>(nullptr)));
}

TEST_F(RunTimeErrors, EachFailureEndsWithItsNumberWhileNotInstalled) {
  SetFatalEnd(&ThrowingFatalEnd);
  for (const FailureCase& c : kFailureCases) {
    try {
      RunTimeFailure(c.code, 0x00405678);
      ADD_FAILURE() << c.kind;
    } catch (const FatalEndReached& end) {
      EXPECT_EQ(end.number, c.fatalNumber) << c.kind;
      EXPECT_EQ(end.address, 0x00405678u);
    }
  }
  // After removal it is fatal again.
  InstallRunTimeErrors();
  RemoveRunTimeErrors();
  EXPECT_THROW(RunTimeFailure(FailureCode::kRangeCheck, 1), FatalEndReached);
}

TEST_F(RunTimeErrors, IoFailureTakesTheRecordedCode) {
  SetFatalEnd(&ThrowingFatalEnd);
  RecordIoCode(32);
  try {
    RunTimeFailure(FailureCode::kIoFailure, 7);
    ADD_FAILURE();
  } catch (const FatalEndReached& end) {
    EXPECT_EQ(end.number, 32) << "the I/O code is the fatal number";
  }
  InstallRunTimeErrors();
  RecordIoCode(103);
  try {
    RunTimeFailure(FailureCode::kIoFailure, 7);
    ADD_FAILURE();
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.Code(), 103);
    EXPECT_EQ(e.Message(), "I/O \x83\x47\x83\x89\x81\x5B (103)");
    EXPECT_EQ(RecordedIoCode(), 0);
  }
}

TEST_F(RunTimeErrors, WithoutAFatalEndFailuresAreRaised) {
  // The converter and the tests register none.
  EXPECT_THROW(RunTimeFailure(FailureCode::kRangeCheck, 1), ERangeError);
  EXPECT_THROW(RunTimeFailure(FailureCode::kOutOfMemory, 1), EOutOfMemory);
}

TEST_F(RunTimeErrors, HeapErrorsArePremadeAndNeverReplaced) {
  InstallRunTimeErrors();
  const void* first = nullptr;
  for (int i = 0; i < 3; ++i) {
    try {
      RunTimeFailure(FailureCode::kOutOfMemory, 0);
    } catch (const EOutOfMemory& e) {
      if (first == nullptr) first = &e;
      EXPECT_EQ(&e, first) << "the same object every time";
    }
  }
  std::exception_ptr a = MakeRunTimeError(FailureCode::kInvalidPointer);
  EXPECT_EQ(a, MakeRunTimeError(FailureCode::kInvalidPointer));
  EXPECT_NE(MakeRunTimeError(FailureCode::kRangeCheck), MakeRunTimeError(FailureCode::kRangeCheck));
}

TEST_F(RunTimeErrors, CallerIsTheDefaultCallSite) {
  try {
    RunTimeFailure(FailureCode::kRangeCheck);
  } catch (const ERangeError&) {
    EXPECT_NE(RaiseAddress(), 0u);
  }
}

TEST_F(RunTimeErrors, MemoryRefusalIsTheOutOfMemoryError) {
  InstallRunTimeErrors();
  const std::exception_ptr mapped = AsProgramError(std::make_exception_ptr(std::bad_alloc()));
  EXPECT_EQ(mapped, OutOfMemoryError());
  const ErrorDescription d = DescribeError(mapped);
  EXPECT_EQ(d.kindName, "EOutOfMemory");
  EXPECT_TRUE(d.fromException);
  const std::exception_ptr other = std::make_exception_ptr(ERangeError("r"));
  EXPECT_EQ(AsProgramError(other), other);
}

struct DescribeCase {
  const char* name;
  std::exception_ptr error;
  const char* kindName;
  const char* message;
  bool fromException;
  bool isAbort;
};

TEST_F(RunTimeErrors, DescribesProgramAndForeignErrors) {
  const DescribeCase cases[] = {
      {"program kind", std::make_exception_ptr(EInOutError("m", 5)), "EInOutError", "m", true,
       false},
      {"abort", std::make_exception_ptr(EAbort("")), "EAbort", "", true, true},
      {"base kind", std::make_exception_ptr(Exception("base")), "Exception", "base", true, false},
      {"standard error", std::make_exception_ptr(std::runtime_error("hidden")),
       "std::runtime_error", "", false, false},
      {"plain value", std::make_exception_ptr(42), "int", "", false, false},
  };
  for (const DescribeCase& c : cases) {
    const ErrorDescription d = DescribeError(c.error);
    EXPECT_EQ(d.kindName, c.kindName) << c.name;
    EXPECT_EQ(d.message, c.message) << c.name;
    EXPECT_EQ(d.fromException, c.fromException) << c.name;
    EXPECT_EQ(d.isAbort, c.isAbort) << c.name;
  }
}

}  // namespace
}  // namespace toridasu
