#pragma once
// The guard around the whole run: a hardware fault (bad memory access, integer division by
// zero, illegal instruction, bus error) inside the guarded call brings control back to the
// guard with the handheld's exception code, so the program can report it and end in order.
#include <cstdint>

namespace platform {

constexpr uint32_t kAccessViolation = 0xC0000005;
constexpr uint32_t kIntegerDivideByZero = 0xC0000094;
constexpr uint32_t kIllegalInstruction = 0xC000001D;
constexpr uint32_t kDatatypeMisalignment = 0x80000002;

// The exception code for a fault signal number; 0 for other signals.
uint32_t ExceptionCodeForSignal(int signal);

// Runs body(context). When a fault arrives while it runs, the fault handlers are put back as
// they were and onFault(code, context) runs instead; its result is returned. Faults after
// that (inside onFault) end the process as they normally would.
int RunGuarded(int (*body)(void*), int (*onFault)(uint32_t code, void*), void* context);

} // namespace platform
