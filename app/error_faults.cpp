// Hardware faults become errors. A fault in the program's own code is turned
// into a raise at the faulting instruction: the vectored handler points the
// thread at a stub that pushes the faulting address as a return address and
// jumps to a function that raises the fault's error, so the unwinder sees a
// call made from the faulting instruction and the nearest handler catches
// it. The handler itself writes nothing on the stack: the platform keeps the
// fault's record and context right below the faulting stack pointer.
//
// A fault inside the C library that nothing in the library handles reaches
// the unhandled-fault filter. When it happened under a gated call from the
// program (import_gates.h), the thread goes back to that call with the
// caller's registers as the gate noted them and raises there, as if the call
// itself had faulted; the library's own frames are dropped. Any other fault
// in system code ends the process as an unhandled error.
#include "app/error_faults.h"

#include <windows.h>

#include <cstdint>
#include <string>

#include "app/error_modules.h"
#include "app/error_process.h"
#include "app/error_report.h"
#include "app/error_throw_site.h"
#include "app/import_gates.h"
#include "base/fpu_control.h"
#include "base/run_time_errors.h"
#include "base/system_faults.h"

static_assert(sizeof(void*) == 4, "the fault stubs are written for 32-bit x86");

namespace toridasu::app {
namespace {

constexpr DWORD kErrorSeverity = 0xC0000000;
constexpr DWORD kX87StatusFlags = 0x80FF;  // busy, error summary, stack fault, exception flags
constexpr DWORD kDirectionFlag = 0x400;

uintptr_t imageStart = 0;  // our module's handle, as an address
uintptr_t imageEnd = 0;
PVOID vectoredHandler = nullptr;
bool filterSet = false;
LPTOP_LEVEL_EXCEPTION_FILTER previousFilter = nullptr;

SystemFault FaultOf(uint32_t code, uint32_t address, bool write, uint32_t accessed) {
  SystemFault fault;
  fault.code = code;
  fault.address = address;
  fault.write = write;
  fault.accessedAddress = accessed;
  std::string path;
  uintptr_t base = 0;
  if (ModuleOfAddress(address, path, base)) fault.moduleName = path;
  return fault;
}

// Entered from a stub, as if called from the faulting instruction.
[[noreturn]] void RaiseFault(uint32_t code, uint32_t address, bool write, uint32_t accessed) {
  ResetFloatingPointControl();
  if (!RunTimeErrorsInstalled()) FatalRunTimeError(FatalNumberForFault(code), address);
  NoteRaiseAddress(address);
  std::rethrow_exception(MapSystemFault(FaultOf(code, address, write, accessed)));
}

// A fault in the C library, raised at the gated call it happened under.
struct {
  uint32_t address = 0;     // the faulting instruction, in the library
  uint32_t returnSlot = 0;  // of the gated call
} pendingLibraryFault;

// Forgets the library's frame-based handlers, which lay in the dropped frames.
void DropHandlersBelow(uint32_t address) {
  NT_TIB* tib = ThreadInformationBlock();
  auto* handler = tib->ExceptionList;
  while (handler != reinterpret_cast<EXCEPTION_REGISTRATION_RECORD*>(-1) &&
         reinterpret_cast<uintptr_t>(handler) < address) {
    handler = handler->Next;
  }
  tib->ExceptionList = handler;
}

// Entered from a stub as if called from the gated call's own instruction.
[[noreturn]] void RaiseLibraryFault(uint32_t code, uint32_t, bool write, uint32_t accessed) {
  DropHandlersBelow(pendingLibraryFault.returnSlot);
  RaiseFault(code, pendingLibraryFault.address, write, accessed);
}

// Entered from a stub for a fault that nothing can unwind: the process ends.
[[noreturn]] void EndByFault(uint32_t code, uint32_t address, bool write, uint32_t accessed) {
  ResetFloatingPointControl();
  if (!RunTimeErrorsInstalled()) FatalRunTimeError(FatalNumberForFault(code), address);
  NoteRaiseAddress(address);
  EndByUnhandledError(MapSystemFault(FaultOf(code, address, write, accessed)));
}

}  // namespace
}  // namespace toridasu::app

// The stubs' targets take the registers the handler filled: eax the faulting
// address + 1 (the pushed return address), edx the accessed address, ecx the
// exception code.
#define TORIDASU_FAULT_TARGET(name, action, write)                               \
  extern "C" [[noreturn]] __attribute__((regparm(3), used, noinline)) void name( \
      uint32_t returnAddress, uint32_t accessed, uint32_t code) {                \
    toridasu::app::action(code, returnAddress - 1, write, accessed);             \
  }
TORIDASU_FAULT_TARGET(toridasu_RaiseReadFault, RaiseFault, false)
TORIDASU_FAULT_TARGET(toridasu_RaiseWriteFault, RaiseFault, true)
TORIDASU_FAULT_TARGET(toridasu_RaiseLibraryReadFault, RaiseLibraryFault, false)
TORIDASU_FAULT_TARGET(toridasu_RaiseLibraryWriteFault, RaiseLibraryFault, true)
TORIDASU_FAULT_TARGET(toridasu_EndByReadFault, EndByFault, false)
TORIDASU_FAULT_TARGET(toridasu_EndByWriteFault, EndByFault, true)
#undef TORIDASU_FAULT_TARGET

// clang-format off
#define TORIDASU_FAULT_STUB(stub, target) \
  ".globl _" #stub "\n_" #stub ":\n  pushl %eax\n  jmp _" #target "\n"
asm(".text\n"
    TORIDASU_FAULT_STUB(toridasu_RaiseReadFaultStub, toridasu_RaiseReadFault)
    TORIDASU_FAULT_STUB(toridasu_RaiseWriteFaultStub, toridasu_RaiseWriteFault)
    TORIDASU_FAULT_STUB(toridasu_RaiseLibraryReadFaultStub, toridasu_RaiseLibraryReadFault)
    TORIDASU_FAULT_STUB(toridasu_RaiseLibraryWriteFaultStub, toridasu_RaiseLibraryWriteFault)
    TORIDASU_FAULT_STUB(toridasu_EndByReadFaultStub, toridasu_EndByReadFault)
    TORIDASU_FAULT_STUB(toridasu_EndByWriteFaultStub, toridasu_EndByWriteFault));
// clang-format on
#undef TORIDASU_FAULT_STUB

extern "C" void toridasu_RaiseReadFaultStub();
extern "C" void toridasu_RaiseWriteFaultStub();
extern "C" void toridasu_RaiseLibraryReadFaultStub();
extern "C" void toridasu_RaiseLibraryWriteFaultStub();
extern "C" void toridasu_EndByReadFaultStub();
extern "C" void toridasu_EndByWriteFaultStub();

namespace toridasu::app {
namespace {

bool IsCatchableFault(const EXCEPTION_RECORD& record) {
  // A stack overflow leaves too little stack to raise or report anything.
  return (record.ExceptionCode & kErrorSeverity) == kErrorSeverity &&
         record.ExceptionCode != fault_code::kStackOverflow &&
         (record.ExceptionFlags & EXCEPTION_NONCONTINUABLE) == 0;
}

bool InOwnImage(uintptr_t address) { return address >= imageStart && address < imageEnd; }

bool IsViolation(const EXCEPTION_RECORD& record) {
  return record.ExceptionCode == fault_code::kAccessViolation && record.NumberParameters >= 2;
}

bool IsWrite(const EXCEPTION_RECORD& record) {
  return IsViolation(record) && record.ExceptionInformation[0] == 1;
}

// Sets the registers a stub takes (see TORIDASU_FAULT_TARGET) and resumes
// the thread in it; the faulting code is never returned to.
void EnterStub(EXCEPTION_POINTERS& pointers, uint32_t returnAddress, void (*stub)()) {
  const EXCEPTION_RECORD& record = *pointers.ExceptionRecord;
  CONTEXT& context = *pointers.ContextRecord;
  // The x87 unit goes back to the start-up control with no exception pending.
  context.FloatSave.ControlWord =
      (context.FloatSave.ControlWord & 0xFFFF0000u) | kFloatingPointControl;
  context.FloatSave.StatusWord &= ~kX87StatusFlags;
  // Compiled code counts on the direction flag being clear; a string copy
  // that runs backwards may have faulted with it set.
  context.EFlags &= ~kDirectionFlag;
  context.Eax = returnAddress;
  context.Edx = IsViolation(record) ? static_cast<DWORD>(record.ExceptionInformation[1]) : 0;
  context.Ecx = record.ExceptionCode;
  context.Eip = reinterpret_cast<DWORD>(stub);
}

// Raises (or ends the process) at the faulting instruction itself.
void Redirect(EXCEPTION_POINTERS& pointers, bool raise) {
  const bool write = IsWrite(*pointers.ExceptionRecord);
  void (*stub)() = raise ? (write ? &toridasu_RaiseWriteFaultStub : &toridasu_RaiseReadFaultStub)
                         : (write ? &toridasu_EndByWriteFaultStub : &toridasu_EndByReadFaultStub);
  EnterStub(pointers, pointers.ContextRecord->Eip + 1, stub);
}

// Raises at the gated call that a fault in the library happened under: the
// stack pointer and the registers that the caller keeps are those of the
// call, and the stub pushes the call's return address back into its slot.
void RedirectToCall(EXCEPTION_POINTERS& pointers, const GatedCall& call) {
  CONTEXT& context = *pointers.ContextRecord;
  pendingLibraryFault.address = context.Eip;
  pendingLibraryFault.returnSlot = call.returnSlot;
  context.Esp = call.returnSlot + sizeof(uint32_t);
  context.Ebx = call.ebx;
  context.Esi = call.esi;
  context.Edi = call.edi;
  context.Ebp = call.ebp;
  EnterStub(pointers, call.returnAddress,
            IsWrite(*pointers.ExceptionRecord) ? &toridasu_RaiseLibraryWriteFaultStub
                                               : &toridasu_RaiseLibraryReadFaultStub);
}

LONG CALLBACK OnVectoredFault(EXCEPTION_POINTERS* pointers) {
  // Only the program's own code: system code handles its own faults.
  if (!IsCatchableFault(*pointers->ExceptionRecord) ||
      !InOwnImage(reinterpret_cast<uintptr_t>(pointers->ExceptionRecord->ExceptionAddress))) {
    return EXCEPTION_CONTINUE_SEARCH;
  }
  Redirect(*pointers, true);
  return EXCEPTION_CONTINUE_EXECUTION;
}

LONG WINAPI OnUnhandledFault(EXCEPTION_POINTERS* pointers) {
  if (!IsCatchableFault(*pointers->ExceptionRecord)) {
    return previousFilter != nullptr ? previousFilter(pointers) : EXCEPTION_CONTINUE_SEARCH;
  }
  GatedCall call;
  if (!InOwnImage(reinterpret_cast<uintptr_t>(pointers->ExceptionRecord->ExceptionAddress)) &&
      InnermostGatedCall(pointers->ContextRecord->Esp, imageStart, imageEnd, &call)) {
    RedirectToCall(*pointers, call);
    return EXCEPTION_CONTINUE_EXECUTION;
  }
  Redirect(*pointers, false);
  return EXCEPTION_CONTINUE_EXECUTION;
}

void FindOwnImage() {
  HMODULE module = nullptr;
  if (!GetModuleHandleExA(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          reinterpret_cast<LPCSTR>(&FindOwnImage), &module)) {
    return;
  }
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(module);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(reinterpret_cast<const BYTE*>(module) +
                                                             dos->e_lfanew);
  imageStart = reinterpret_cast<uintptr_t>(module);
  imageEnd = imageStart + nt->OptionalHeader.SizeOfImage;
}

}  // namespace

void InstallFaultCatching() {
  (void)RaiseSitesRecorded();  // links the raise-site recording in with the fault catching
  // The thread's record of raise addresses exists before the first raise
  // needs it, so that raising a lack of memory allocates nothing for it.
  NoteRaiseAddress(RaiseAddress());
  if (imageEnd == 0) FindOwnImage();
  if (imageStart != 0) InstallImportGates(reinterpret_cast<HMODULE>(imageStart));
  if (vectoredHandler == nullptr)
    vectoredHandler = AddVectoredExceptionHandler(1, &OnVectoredFault);
  if (!filterSet) {
    previousFilter = SetUnhandledExceptionFilter(&OnUnhandledFault);
    filterSet = true;
  }
}

void RemoveFaultCatching() {
  if (vectoredHandler != nullptr) RemoveVectoredExceptionHandler(vectoredHandler);
  vectoredHandler = nullptr;
  if (filterSet) SetUnhandledExceptionFilter(previousFilter);
  filterSet = false;
  previousFilter = nullptr;
}

}  // namespace toridasu::app
