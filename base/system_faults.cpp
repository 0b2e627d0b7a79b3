#include "base/system_faults.h"

#include "base/error_texts.h"
#include "base/errors.h"
#include "base/message_format.h"
#include "base/run_time_errors.h"
#include "base/string_table.h"

namespace toridasu {
namespace {

struct FaultEntry {
  uint32_t code;
  std::exception_ptr (*make)(std::string message);
  uint32_t textId;
  int fatalNumber;
};

// The access violation (0xC0000005) has a formatted text and stands apart.
const FaultEntry kFaults[] = {
    {0xC000008C, &MakeErrorOf<ERangeError>, text_id::kRangeError, 201},
    {0xC000008D, &MakeErrorOf<EUnderflow>, text_id::kUnderflow, 206},
    {0xC000008E, &MakeErrorOf<EZeroDivide>, text_id::kZeroDivide, 200},
    {0xC000008F, &MakeErrorOf<EInvalidOp>, text_id::kInvalidOp, 207},
    {0xC0000090, &MakeErrorOf<EInvalidOp>, text_id::kInvalidOp, 207},
    {0xC0000091, &MakeErrorOf<EOverflow>, text_id::kOverflow, 205},
    {0xC0000092, &MakeErrorOf<EInvalidOp>, text_id::kInvalidOp, 207},
    {0xC0000093, &MakeErrorOf<EUnderflow>, text_id::kUnderflow, 206},
    {0xC0000094, &MakeErrorOf<EDivByZero>, text_id::kDivByZero, 200},
    {0xC0000095, &MakeErrorOf<EIntOverflow>, text_id::kIntOverflow, 215},
    {0xC0000096, &MakeErrorOf<EPrivilege>, text_id::kPrivilege, 218},
    {0xC00000FD, &MakeErrorOf<EStackOverflow>, text_id::kStackOverflow, 202},
    {0xC000013A, &MakeErrorOf<EControlC>, text_id::kControlC, 217},
};

constexpr int kAccessViolationNumber = 216;
constexpr int kOtherFaultNumber = 255;

const FaultEntry* EntryOf(uint32_t code) {
  for (const FaultEntry& entry : kFaults) {
    if (entry.code == code) return &entry;
  }
  return nullptr;
}

}  // namespace

int FatalNumberForFault(uint32_t code) {
  if (code == fault_code::kAccessViolation) return kAccessViolationNumber;
  const FaultEntry* entry = EntryOf(code);
  return entry ? entry->fatalNumber : kOtherFaultNumber;
}

std::string AccessViolationText(const SystemFault& fault) {
  const std::string access =
      LoadResString(fault.write ? text_id::kWriteAccess : text_id::kReadAccess);
  if (!fault.moduleName.empty()) {
    const std::string name = ModuleFileName(fault.moduleName);
    return FormatMessageText(LoadResString(text_id::kAccessViolationInModule),
                             {fault.address, name, access, fault.accessedAddress});
  }
  return FormatMessageText(LoadResString(text_id::kAccessViolation),
                           {fault.address, access, fault.accessedAddress});
}

std::exception_ptr MapSystemFault(const SystemFault& fault) {
  if (fault.code == fault_code::kAccessViolation) {
    return std::make_exception_ptr(EAccessViolation(AccessViolationText(fault)));
  }
  if (const FaultEntry* entry = EntryOf(fault.code))
    return entry->make(LoadResString(entry->textId));
  return std::make_exception_ptr(EExternalException(
      FormatMessageText(LoadResString(text_id::kExternalException), {fault.code})));
}

}  // namespace toridasu
