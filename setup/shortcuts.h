// Start-menu work of Setup through the Windows shell: the group folder
// below a special folder, shell links saved as .lnk files, the shell's
// silent deletion, and the change notices that make Explorer show each
// change at once. Constructing the manager initialises COM for the thread;
// Setup keeps one for its whole run.
#ifndef SETUP_SHORTCUTS_H
#define SETUP_SHORTCUTS_H

#include <windows.h>

class CShortcutManager {
public:
    CShortcutManager();
    virtual ~CShortcutManager();

    // Makes the folder special folder + "\" + name. name is an in/out buffer
    // of MAX_PATH bytes: on return it holds the folder's full path (empty
    // when the special folder is unknown or the path does not fit).
    BOOL CreateGroup(int folderId, char *name);
    // Deletes special folder + "\" + name with everything in it; TRUE when
    // it is gone or was never there (*found, when given, tells which).
    BOOL RemoveGroup(int folderId, const char *name, BOOL *found = NULL);
    // TRUE when special folder + "\" + name is there.
    BOOL GroupExists(int folderId, const char *name);
    // Saves a shell link at linkPath. Text arguments may be null. FALSE,
    // with the reason as the last error, when the link was not saved.
    BOOL CreateShortcut(const char *linkPath, const char *target, int showCmd,
                        const char *workingFolder, const char *iconPath, int iconIndex,
                        const char *description, const char *arguments, WORD hotkey);
    // Tells the shell about event at path, then that the folder holding it
    // changed. Cuts path at its last backslash in doing so.
    void NotifyShell(LONG event, char *path);
    // Deletes a file or a folder with its contents, silently, not into the
    // recycle bin. TRUE when the shell operation succeeded; otherwise the
    // shell's code, marked (files.h), is the last error.
    BOOL DeleteWithShell(const char *path);

private:
    BOOL BuildSpecialPath(int folderId, const char *name, char *path);

    CShortcutManager(const CShortcutManager &);
    CShortcutManager &operator=(const CShortcutManager &);
};

// TRUE when FindFirstFileA finds something at path (file or folder).
BOOL PathExists(const char *path);

#endif
