#pragma once
// The one way to report an unrecoverable condition: the text joins a global log and the flag
// goes up. Nothing is shown at that moment; the main loop ends after the current frame,
// shuts down in order and then shows the whole log.
#include "varnokengine/VGString.h"

#include <cstdint>

extern uint32_t ErrorFlag;
extern VGString ErrorLog;

// Appends text, then "\r\nLine %d, File %s" when file is given, then "\r\n\r\n".
void ReportError(const char16_t* text, uint32_t line, const char16_t* file);
// A copy of the log, or "No error" when nothing was reported.
VGString GetErrorText();
// Back to the state at start: no flag, empty log (for a fresh run inside one process).
void ClearErrors();
