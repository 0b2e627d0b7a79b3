// Each imported C library function gets a trampoline ("push the function;
// jmp the gate"); its import slot then points at the trampoline. The gate
// notes the call in a small ring (on the thread that installed the gates
// only, so that no two threads write it) and returns into the function with
// the stack exactly as the caller left it. Only eflags are touched, and only
// code imports are gated: data imports and the other system libraries, whose
// functions the program also passes as window procedures and compares, keep
// their slots.
#include "app/import_gates.h"

#include <cstring>
#include <vector>

static_assert(sizeof(void*) == 4, "the gate is written for 32-bit x86");
static_assert(sizeof(toridasu::app::GatedCall) == 24, "the gate writes 24-byte records");

constexpr uint32_t kGatedCallCount = 32;  // a power of two: the gate masks the index

extern "C" {
// Written by the gate, read by the fault handler on the same thread.
toridasu::app::GatedCall toridasu_gatedCalls[kGatedCallCount];
uint32_t toridasu_gatedCallLast = 0;
uint32_t toridasu_gateThread = 0;
void toridasu_ImportGate();
}

// On entry: the function at 0(%esp), the caller's return address at 4(%esp).
// %fs:0x24 is the current thread's id.
// clang-format off
asm(".text\n"
    ".globl _toridasu_ImportGate\n"
    "_toridasu_ImportGate:\n"
    "  pushl %eax\n"
    "  pushl %ecx\n"
    "  pushfl\n"
    "  movl %fs:0x24, %eax\n"
    "  cmpl _toridasu_gateThread, %eax\n"
    "  jne 1f\n"
    "  movl _toridasu_gatedCallLast, %eax\n"
    "  incl %eax\n"
    "  andl $31, %eax\n"
    "  movl %eax, _toridasu_gatedCallLast\n"
    "  leal (%eax,%eax,2), %eax\n"
    "  leal _toridasu_gatedCalls(,%eax,8), %eax\n"
    "  leal 16(%esp), %ecx\n"
    "  movl %ecx, 0(%eax)\n"
    "  movl 16(%esp), %ecx\n"
    "  movl %ecx, 4(%eax)\n"
    "  movl %ebx, 8(%eax)\n"
    "  movl %esi, 12(%eax)\n"
    "  movl %edi, 16(%eax)\n"
    "  movl %ebp, 20(%eax)\n"
    "1:\n"
    "  popfl\n"
    "  popl %ecx\n"
    "  popl %eax\n"
    "  ret\n");
// clang-format on

namespace toridasu::app {
namespace {

constexpr std::size_t kTrampolineSize = 10;  // push imm32; jmp rel32
static_assert(kGatedCallCount == 32, "the gate masks the index with 31");

bool IsCode(uint32_t address) {
  MEMORY_BASIC_INFORMATION memory;
  if (VirtualQuery(reinterpret_cast<const void*>(address), &memory, sizeof memory) == 0) {
    return false;
  }
  constexpr DWORD kExecutable =
      PAGE_EXECUTE | PAGE_EXECUTE_READ | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
  return memory.State == MEM_COMMIT && (memory.Protect & kExecutable) != 0;
}

// The import slots of `module` that hold functions of the C library.
std::vector<uint32_t*> LibrarySlots(HMODULE module) {
  auto* base = reinterpret_cast<BYTE*>(module);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  std::vector<uint32_t*> slots;
  if (imports.VirtualAddress == 0) return slots;
  for (auto* library = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
       library->Name != 0; ++library) {
    if (_stricmp(reinterpret_cast<const char*>(base + library->Name), "msvcrt.dll") != 0) continue;
    for (auto* slot = reinterpret_cast<uint32_t*>(base + library->FirstThunk); *slot != 0; ++slot) {
      if (IsCode(*slot)) slots.push_back(slot);
    }
  }
  return slots;
}

void PutLittleEndian(BYTE* at, uint32_t value) { std::memcpy(at, &value, sizeof value); }

}  // namespace

NT_TIB* ThreadInformationBlock() {
  NT_TIB* block = nullptr;
  asm("movl %%fs:0x18, %0" : "=r"(block));
  return block;
}

void InstallImportGates(HMODULE module) {
  static bool installed = false;
  toridasu_gateThread = GetCurrentThreadId();
  if (installed) return;
  installed = true;
  const std::vector<uint32_t*> slots = LibrarySlots(module);
  if (slots.empty()) return;
  const std::size_t size = slots.size() * kTrampolineSize;
  auto* page =
      static_cast<BYTE*>(VirtualAlloc(nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  if (page == nullptr) return;
  const auto gate = reinterpret_cast<uint32_t>(&toridasu_ImportGate);
  for (std::size_t i = 0; i < slots.size(); ++i) {
    BYTE* trampoline = page + i * kTrampolineSize;
    trampoline[0] = 0x68;  // push imm32
    PutLittleEndian(trampoline + 1, *slots[i]);
    trampoline[5] = 0xE9;  // jmp rel32
    PutLittleEndian(trampoline + 6,
                    gate - (reinterpret_cast<uint32_t>(trampoline) + kTrampolineSize));
  }
  DWORD previous = 0;
  if (!VirtualProtect(page, size, PAGE_EXECUTE_READ, &previous)) return;
  FlushInstructionCache(GetCurrentProcess(), page, size);
  for (std::size_t i = 0; i < slots.size(); ++i) {
    if (!VirtualProtect(slots[i], sizeof(uint32_t), PAGE_READWRITE, &previous)) continue;
    *slots[i] = reinterpret_cast<uint32_t>(page + i * kTrampolineSize);
    VirtualProtect(slots[i], sizeof(uint32_t), previous, &previous);
  }
}

bool InnermostGatedCall(uint32_t stackPointer, uintptr_t imageStart, uintptr_t imageEnd,
                        GatedCall* call) {
  if (GetCurrentThreadId() != toridasu_gateThread) return false;
  const auto stackBase = reinterpret_cast<uint32_t>(ThreadInformationBlock()->StackBase);
  const GatedCall* innermost = nullptr;
  for (const GatedCall& noted : toridasu_gatedCalls) {
    // A call that has returned may have left its record; its slot then lies
    // below the stack pointer or holds something else by now.
    if (noted.returnSlot < stackPointer || noted.returnSlot > stackBase - sizeof(uint32_t) ||
        noted.returnAddress < imageStart || noted.returnAddress >= imageEnd ||
        *reinterpret_cast<const uint32_t*>(noted.returnSlot) != noted.returnAddress) {
      continue;
    }
    if (innermost == nullptr || noted.returnSlot < innermost->returnSlot) innermost = &noted;
  }
  if (innermost == nullptr) return false;
  *call = *innermost;
  return true;
}

}  // namespace toridasu::app
