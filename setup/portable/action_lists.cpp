// Appending to the installer's action lists; see action_lists.h.
#include "action_lists.h"

bool IsTextType(unsigned long type) { return type == kRegSz || type == kRegExpandSz; }

bool AppendFile(FileList *list, const char *source, const char *target) {
    FileEntry *entry = new FileEntry();
    if (!entry) return false;
    if (!entry->source.Assign(source) || !entry->target.Assign(target)) {
        delete entry;
        return false;
    }
    list->Link(entry);
    return true;
}

static bool AssignData(Text *out, const void *data, long length, unsigned long type) {
    if (IsTextType(type)) return out->Assign(static_cast<const char *>(data));
    if (data && length > 0) return out->AssignBytes(data, static_cast<size_t>(length));
    out->Clear();
    return true;
}

bool AppendRegValue(RegList *list, const char *keyPath, const char *valueName,
                    const void *data, long length, unsigned long type, unsigned long root) {
    RegEntry *entry = new RegEntry();
    if (!entry) return false;
    entry->type = type;
    entry->root = root;
    if (!entry->keyPath.Assign(keyPath) || !entry->valueName.Assign(valueName) ||
        !AssignData(&entry->data, data, length, type)) {
        delete entry;
        return false;
    }
    list->Link(entry);
    return true;
}

bool AppendRegKeyRemoval(RegList *list, const char *keyPath) {
    return AppendRegValue(list, keyPath, 0, 0, -1, kRegSz, kRootLocalMachine);
}
