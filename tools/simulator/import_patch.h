// Redirects imported functions of already loaded modules.
#ifndef ZELVANIS_SIM_IMPORT_PATCH_H
#define ZELVANIS_SIM_IMPORT_PATCH_H

#include <windows.h>

struct ImportHook {
    const char *function;
    void *replacement;
};

// Points every loaded module's imports of dll!hooks[i].function (matched by
// name, case-insensitive for the DLL) at the replacement; skips the module
// 'self'. Returns the number of import slots changed.
int PatchImports(HMODULE self, const char *dll, const ImportHook *hooks, int count);

// The same for one module's own imports only: the calls that the system
// libraries make for it stay as they are.
int PatchModuleImports(HMODULE module, const char *dll, const ImportHook *hooks, int count);

#endif
