#include "base/system_faults.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/errors.h"
#include "base/run_time_errors.h"
#include "support/code_page_932.h"

namespace toridasu {
namespace {

struct FaultCase {
  uint32_t code;
  const char* kind;
  std::string message;  // Shift-JIS, encoded with Python's cp932 codec
  int fatalNumber;
};

const std::string kRangeCheck =
    "\x94\xCD\x88\xCD\x83\x60\x83\x46\x83\x62\x83\x4E\x83\x47\x83\x89\x81\x5B";
const std::string kUnderflow =
    "\x95\x82\x93\xAE\x8F\xAC\x90\x94\x93\x5F\x90\x94\x82\xCC\x83\x41\x83\x93\x83\x5F\x81\x5B\x83"
    "\x74"
    "\x83\x8D\x81\x5B";
const std::string kZeroDivide =
    "\x30\x20\x82\xC9\x82\xE6\x82\xE9\x95\x82\x93\xAE\x8F\xAC\x90\x94\x93\x5F\x90\x94\x8F\x9C\x8E"
    "\x5A";
const std::string kInvalidOp =
    "\x95\x73\x90\xB3\x82\xC8\x95\x82\x93\xAE\x8F\xAC\x90\x94\x93\x5F\x90\x94\x89\x89\x8E\x5A\x96"
    "\xBD"
    "\x97\xDF";
const std::string kOverflow =
    "\x95\x82\x93\xAE\x8F\xAC\x90\x94\x93\x5F\x90\x94\x82\xCC\x83\x49\x81\x5B\x83\x6F\x81\x5B\x83"
    "\x74"
    "\x83\x8D\x81\x5B";
const std::string kDivByZero = "\x83\x5B\x83\x8D\x82\xC9\x82\xE6\x82\xE9\x8F\x9C\x8E\x5A";
const std::string kIntOverflow =
    "\x90\xAE\x90\x94\x82\xCC\x83\x49\x81\x5B\x83\x6F\x81\x5B\x83\x74\x83\x8D\x81\x5B";
const std::string kExternal = "\x8A\x4F\x95\x94\x97\xE1\x8A\x4F\x20";  // "外部例外 "

const FaultCase kFaultCases[] = {
    {0xC000008C, "ERangeError", kRangeCheck, 201},
    {0xC000008D, "EUnderflow", kUnderflow, 206},
    {0xC000008E, "EZeroDivide", kZeroDivide, 200},
    {0xC000008F, "EInvalidOp", kInvalidOp, 207},
    {0xC0000090, "EInvalidOp", kInvalidOp, 207},
    {0xC0000091, "EOverflow", kOverflow, 205},
    {0xC0000092, "EInvalidOp", kInvalidOp, 207},
    {0xC0000093, "EUnderflow", kUnderflow, 206},
    {0xC0000094, "EDivByZero", kDivByZero, 200},
    {0xC0000095, "EIntOverflow", kIntOverflow, 215},
    {0xC0000096, "EPrivilege", "\x93\xC1\x8C\xA0\x96\xBD\x97\xDF\x88\xE1\x94\xBD", 218},
    {0xC00000FD, "EStackOverflow",
     "\x83\x58\x83\x5E\x83\x62\x83\x4E\x20\x83\x49\x81\x5B\x83\x6F\x81\x5B\x83\x74\x83\x8D\x81\x5B",
     202},
    {0xC000013A, "EControlC", "CTRL-C", 217},
    {0xC000001D, "EExternalException", kExternal + "C000001D", 255},
    {0x80000003, "EExternalException", kExternal + "80000003", 255},
    {0x00000001, "EExternalException", kExternal + "1", 255},
};

TEST(MapSystemFault, EachCodeGivesItsKindTextAndNumber) {
  for (const FaultCase& c : kFaultCases) {
    SystemFault fault;
    fault.code = c.code;
    fault.address = 0x00401000;
    const ErrorDescription d = DescribeError(MapSystemFault(fault));
    EXPECT_EQ(d.kindName, c.kind) << std::hex << c.code;
    EXPECT_EQ(d.message, c.message) << std::hex << c.code;
    EXPECT_EQ(FatalNumberForFault(c.code), c.fatalNumber) << std::hex << c.code;
  }
}

TEST(MapSystemFault, KindsSitUnderExternal) {
  SystemFault fault;
  fault.code = 0xC0000094;
  EXPECT_THROW(std::rethrow_exception(MapSystemFault(fault)), EIntError);
  fault.code = 0xC0000091;
  EXPECT_THROW(std::rethrow_exception(MapSystemFault(fault)), EMathError);
  fault.code = 0xC0000005;
  EXPECT_THROW(std::rethrow_exception(MapSystemFault(fault)), EExternal);
}

// "モジュール '" ... "' のアドレス " ... " でアドレス " ... " に対する" ... "違反がおきました。"
const std::string kModuleOpen = "\x83\x82\x83\x57\x83\x85\x81\x5B\x83\x8B\x20\x27";
const std::string kModuleAddress = "\x27\x20\x82\xCC\x83\x41\x83\x68\x83\x8C\x83\x58\x20";
const std::string kAtAddress = "\x20\x82\xC5\x83\x41\x83\x68\x83\x8C\x83\x58\x20";
const std::string kAgainst = "\x20\x82\xC9\x91\xCE\x82\xB7\x82\xE9";
const std::string kViolation =
    "\x88\xE1\x94\xBD\x82\xAA\x82\xA8\x82\xAB\x82\xDC\x82\xB5\x82\xBD\x81\x42";
const std::string kAddress = "\x83\x41\x83\x68\x83\x8C\x83\x58\x20";  // "アドレス "
const std::string kRead = "\x93\xC7\x82\xDD\x8D\x9E\x82\xDD";         // 読み込み
const std::string kWrite = "\x8F\x91\x82\xAB\x8D\x9E\x82\xDD";        // 書き込み

struct ViolationCase {
  const char* name;
  SystemFault fault;
  std::string expected;
};

TEST(MapSystemFault, AccessViolationTextFromItsTwoTemplates) {
  UseCodePage932();
  const std::vector<ViolationCase> cases = {
      {"read in a module",
       {0xC0000005, 0x0040123A, false, 0x00000000, "C:\\tools\\TORIDASU.EXE"},
       kModuleOpen + "TORIDASU.EXE" + kModuleAddress + "0040123A" + kAtAddress + "00000000" +
           kAgainst + kRead + kViolation},
      {"write in a module",
       {0xC0000005, 0x7C801000, true, 0x00000008, "kernel32.dll"},
       kModuleOpen + "kernel32.dll" + kModuleAddress + "7C801000" + kAtAddress + "00000008" +
           kAgainst + kWrite + kViolation},
      {"read outside any module",
       {0xC0000005, 0x00000000, false, 0x00000000, ""},
       kAddress + "00000000" + kAtAddress + "00000000" + kAgainst + kRead + kViolation},
      {"write outside any module",
       {0xC0000005, 0x12345678, true, 0xDEADBEEF, ""},
       kAddress + "12345678" + kAtAddress + "DEADBEEF" + kAgainst + kWrite + kViolation},
  };
  for (const ViolationCase& c : cases) {
    const ErrorDescription d = DescribeError(MapSystemFault(c.fault));
    EXPECT_EQ(d.kindName, "EAccessViolation") << c.name;
    EXPECT_EQ(d.message, c.expected) << c.name;
  }
  EXPECT_EQ(FatalNumberForFault(0xC0000005), 216);
}

}  // namespace
}  // namespace toridasu
