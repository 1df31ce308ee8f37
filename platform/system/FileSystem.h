#pragma once

#include <QString>
#include <cstdint>

namespace platform {

// File and folder operations of the program. Failures raise VbError with the path in the description.
namespace FileSystem {
bool FileExists(const QString& path);
bool FolderExists(const QString& path);
// Creates one folder; its parent must exist.
void CreateFolder(const QString& path);
// Copies a file; an existing target is replaced only when overwrite is set.
void CopyFile(const QString& source, const QString& target, bool overwrite = true);
// Deletes a file. Without force a read-only file is not deleted (permission denied).
void DeleteFile(const QString& path, bool force = false);
// Moves (renames) a file; the target must not exist.
void MoveFile(const QString& source, const QString& target);
// Replaces the target by the source in one step (rename over it), after the source was synced to disk.
void ReplaceFile(const QString& source, const QString& target);
// Writes a file's data to the disk.
void SyncFile(const QString& path);
std::int64_t FileSize(const QString& path);
// The folder that holds the path ("" for a root).
QString GetParentFolderName(const QString& path);
QString GetFileName(const QString& path);
// Joins a folder and a name with one separator.
QString BuildPath(const QString& folder, const QString& name);
// A text made fit for a file name: every character that a file name can't hold (a path separator, a
// control character, or one of : * ? " < > |) becomes "_".
QString FileNameOf(const QString& text);
} // namespace FileSystem

} // namespace platform
