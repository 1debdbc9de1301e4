// The system-error box, written once so that every program's box has the
// same fallback and never lets a message with %1 read inserts it lacks.
#include "error_box.h"

namespace shelf {

const char kUnknownErrorText[] = "Unknown error";

char *SystemErrorText(DWORD code) {
    char *text = NULL;
    DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                      FORMAT_MESSAGE_IGNORE_INSERTS,
                                  NULL, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                                  reinterpret_cast<LPSTR>(&text), 0, NULL);
    if (length != 0 && text != NULL) return text;
    if (text) LocalFree(text);
    return NULL;
}

void ShowSystemError(DWORD code, const char *caption, UINT icon) {
    char *text = SystemErrorText(code);
    MessageBoxA(NULL, text ? text : kUnknownErrorText, caption, MB_OK | icon);
    if (text) LocalFree(text);
}

}  // namespace shelf
