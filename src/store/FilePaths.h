#pragma once
// Where the program's files are. Every file name the program opens is taken from
// `programDirectory` (the working folder the program was started in) when it is relative, and
// names of files the program ships are matched without regard to letter case. Nothing changes
// the process's working folder, so no code may rely on it.
#include <QString>

namespace wk::store {

// The path of the file in `directory` whose name equals `fileName` without regard to letter
// case ("NET.ICO" finds "net.ico": the names were written on a system that ignores case); when
// there is none, `directory` + "/" + `fileName` (and opening it fails cleanly).
QString findFileIgnoringCase(const QString& directory, const QString& fileName);

// The file `name` stands for: a relative name is taken from `programDirectory`; an absolute
// name and the empty name are returned as they are.
QString resolvePath(const QString& programDirectory, const QString& name);

// A normal, visible file of that name exists (a picture that can be shown).
bool picturePresent(const QString& path);

// Writes the file's data through to the disk; false, with the system's reason in `failure`, when
// it cannot be. A file written under a temporary name is synced before it is renamed, so a crash
// never leaves a final name on a half-written file.
bool syncFileToDisk(const QString& path, QString* failure = nullptr);
// Makes a rename inside `directory` last (best effort: the rename itself has already happened).
void syncDirectory(const QString& directory);

} // namespace wk::store
