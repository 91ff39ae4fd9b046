#include "varnokengine/VGError.h"

#include "varnokengine/VGFormat.h"

uint32_t ErrorFlag = 0;
VGString ErrorLog;

void ReportError(const char16_t* text, uint32_t line, const char16_t* file) {
    ErrorFlag = 1;
    if (text) ErrorLog.Append(text);
    if (file) {
        VGString where;
        Format(where, u"\r\nLine %d, File %s", line, file);
        ErrorLog.Append(where);
    }
    ErrorLog.Append(u"\r\n\r\n");
}

VGString GetErrorText() {
    if (ErrorLog.IsEmpty()) return VGString(u"No error");
    return ErrorLog;
}

void ClearErrors() {
    ErrorFlag = 0;
    ErrorLog.Clear();
}
