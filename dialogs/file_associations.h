#ifndef QUILLEX_DIALOGS_FILE_ASSOCIATIONS_H
#define QUILLEX_DIALOGS_FILE_ASSOCIATIONS_H

// File types opened with the program, kept in the registry under
// HKEY_CLASSES_ROOT: the extension's class becomes "QuillexFile", and its
// previous class is kept in the extension's value "Backup" for restoring.

// True when the extension (".txt") has the program's class.
bool IsAssociated(const wchar_t* extension);

// Makes the extension open with the program, keeping a previous class.
void InstallAssociation(const wchar_t* extension);

// Gives the extension back the class kept in "Backup"; without one the
// extension keeps whatever class it has.
void RemoveAssociation(const wchar_t* extension);

#endif
