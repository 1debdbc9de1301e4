// The undo journal of an unattended installation ("/S"). Before each change
// Setup makes, it notes what puts that change back: a copy of a file about
// to be written over, the old data of a value, the first key of a path about
// to be made, a folder it made, the old text of a System.ini entry. When the
// run meets a failure the steps are undone last to first, so that the
// machine is as it was before the run. Runs through the dialogs keep no
// journal: their failures leave what was done, as they always have.
#ifndef SETUP_UNDO_H
#define SETUP_UNDO_H

#include <windows.h>

// The folder in the temporary folder that holds the copies while a run
// lasts; a run that was cut short leaves it, and a removal deletes it.
#define UNDO_COPIES_FOLDER "Orvantix Setup undo"

namespace undo {

// Every change from now on is noted.
void Start();

// Before a file at path is written or made: an existing file is copied
// aside first. FALSE when that copy could not be taken (a failure is
// logged); the file must then not be written.
BOOL BeforeFile(const char *path);
// After folder path was made (it did not exist).
void MadeFolder(const char *path);
// Before the key path below root is opened for writing: the first key on
// the path that does not exist yet is deleted again.
void BeforeKey(HKEY root, const char *path);
// Before a value of the key path below root is written or deleted.
void BeforeValue(HKEY root, const char *keyPath, const char *name);
// Before an entry of a profile file (System.ini) is written.
void BeforeProfile(const char *section, const char *key, const char *file);

// Undoes every step noted, last first, logging each ("Undone: ...") and
// each that fails, and the words "rolled back". FALSE when a step could
// not be undone; the others are undone all the same.
BOOL RollBack();
// The run is done: the copies are deleted and nothing more is noted.
void Finish();

}  // namespace undo

#endif
