// Setup's native tests read action lists back through these: a value's
// bytes as a string, each file entry as "source > target".
#ifndef SETUP_LISTS_H
#define SETUP_LISTS_H

#include <string>
#include <vector>

#include "portable/action_lists.h"
#include "portable/text.h"

using Strings = std::vector<std::string>;

inline std::string Bytes(const Text &data) { return std::string(data.c_str(), data.Length()); }

inline Strings Entries(const FileList &list) {
    Strings out;
    for (const FileEntry *e = list.First(); e; e = e->next)
        out.push_back(std::string(e->source.c_str()) + " > " + e->target.c_str());
    return out;
}

#endif
