// Calls from the program into the C library pass through a gate that notes
// where each call came from and the registers that the caller keeps across
// it. A fault inside the library can then be raised as an error at the call
// itself, with the caller's registers as they were, and unwind through the
// program's own frames like any other error.
#pragma once

#include <windows.h>

#include <cstdint>

namespace toridasu::app {

// What a gate noted of one call.
struct GatedCall {
  uint32_t returnSlot;     // where the return address lies on the stack
  uint32_t returnAddress;  // into the program
  uint32_t ebx;
  uint32_t esi;
  uint32_t edi;
  uint32_t ebp;
};

// The current thread's information block (its stack bounds and its chain of
// frame-based handlers).
NT_TIB* ThreadInformationBlock();

// Puts a gate in front of every function that `module` imports from the C
// library (once per process) and notes the calls of the current thread.
void InstallImportGates(HMODULE module);

// The innermost noted call whose return slot lies at or above
// `stackPointer`, still holds its return address, and returns into
// [imageStart, imageEnd): the call that a fault at `stackPointer` happened
// under. False when there is none.
bool InnermostGatedCall(uint32_t stackPointer, uintptr_t imageStart, uintptr_t imageEnd,
                        GatedCall* call);

}  // namespace toridasu::app
