// The two ordered action lists of the device installer: files to copy or
// delete, and registry values to write or keys to delete. Entries are
// appended at the end and carried out first to last; the lists own them.
// Portable, so list building is unit-tested natively.
#ifndef SETUP_ACTION_LISTS_H
#define SETUP_ACTION_LISTS_H

#include <stddef.h>

#include "text.h"

// Registry data types as the system numbers them.
enum {
    kRegSz = 1,
    kRegExpandSz = 2,
    kRegBinary = 3,
    kRegDword = 4,
};

// The predefined root key HKEY_LOCAL_MACHINE, as its handle value.
const unsigned long kRootLocalMachine = 0x80000002UL;

// Install entry: source is a bare file name (resolved against the current
// folder), target a full path. Removal entry: source is the full path of
// the file to delete, target empty.
struct FileEntry {
    Text source;
    Text target;
    FileEntry *next;
};

// Install entry: a value to write. Removal entry: only key path and root
// matter (the key is deleted with everything below it).
struct RegEntry {
    Text keyPath;
    Text valueName;  // empty: the key's default value
    Text data;       // text without its NUL, or exactly the given bytes
    unsigned long type;
    unsigned long root;
    RegEntry *next;
};

// An owning, insertion-ordered singly linked list.
template <class Entry>
class ActionList {
public:
    ActionList() : m_first(0), m_last(0), m_count(0) {}
    ~ActionList() { Clear(); }

    // Takes over a filled entry and puts it at the end.
    void Link(Entry *entry) {
        entry->next = 0;
        if (m_last) {
            m_last->next = entry;
        } else {
            m_first = entry;
        }
        m_last = entry;
        ++m_count;
    }

    void Clear() {
        while (m_first) {
            Entry *next = m_first->next;
            delete m_first;
            m_first = next;
        }
        m_last = 0;
        m_count = 0;
    }

    Entry *First() const { return m_first; }
    size_t Count() const { return m_count; }

private:
    ActionList(const ActionList &);
    ActionList &operator=(const ActionList &);

    Entry *m_first;
    Entry *m_last;
    size_t m_count;
};

typedef ActionList<FileEntry> FileList;
typedef ActionList<RegEntry> RegList;

// Appends a file entry; a null argument counts as empty. False when memory
// ran out: nothing is appended then, never a half-filled entry.
bool AppendFile(FileList *list, const char *source, const char *target);

// Appends a registry entry. For the text types data is a NUL-terminated
// text and length is ignored; for any other type exactly length bytes are
// taken when data is not null and length > 0, else the data stays empty.
// Null name or data count as empty.
bool AppendRegValue(RegList *list, const char *keyPath, const char *valueName,
                    const void *data, long length, unsigned long type, unsigned long root);

// A removal entry: the key with everything below it.
bool AppendRegKeyRemoval(RegList *list, const char *keyPath);

// True for REG_SZ and REG_EXPAND_SZ, whose byte count includes the NUL.
bool IsTextType(unsigned long type);

#endif
