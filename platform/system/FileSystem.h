#pragma once

#include <QString>
#include <cstdint>

namespace platform {

class VbError;

// File and folder operations of the program. Failures raise VbError with the path in the description.
namespace FileSystem {
bool FileExists(const QString& path);
bool FolderExists(const QString& path);
// Creates one folder; its parent must exist.
void CreateFolder(const QString& path);
// Copies a file; an existing target is replaced only when overwrite is set, and never when it is read-only
// (permission denied). The copy is written beside the target (its name with ".tmp"), synced to disk and
// then renamed over it: whatever stops the copy, the target is either as it was or the complete copy. A
// full disk says so, naming the target.
void CopyFile(const QString& source, const QString& target, bool overwrite = true);
// Deletes a file. Without force a read-only file is not deleted (permission denied).
void DeleteFile(const QString& path, bool force = false);
// True when the file exists and may not be written: its owner's write permission is off (whoever runs the
// program, the administrator too), or the user running the program may not write it.
bool ReadOnly(const QString& path);
// Moves (renames) a file; the target must not exist.
void MoveFile(const QString& source, const QString& target);
// Replaces the target by the source in one step (rename over it), after the source was synced to disk.
// A read-only target is not replaced (permission denied): the rename must not go around the file's mode.
void ReplaceFile(const QString& source, const QString& target);
// Writes a file's data to the disk.
void SyncFile(const QString& path);
std::int64_t FileSize(const QString& path);
// True when both paths name one file, however it is reached: another spelling of the path, a symbolic link
// or a second (hard) link to it. False when either is missing.
bool SameFile(const QString& a, const QString& b);
// The file a path names once its symbolic links are followed (the path itself when it is no link; a link's
// target also when no file is there yet): a file replaced there keeps the links that lead to it.
QString LinkTarget(const QString& path);
// The folder that holds the path ("" for a root).
QString GetParentFolderName(const QString& path);
QString GetFileName(const QString& path);
// Joins a folder and a name with one separator.
QString BuildPath(const QString& folder, const QString& name);
// A text made fit for a file name: every character that a file name can't hold (a path separator, a
// control character, or one of : * ? " < > |) becomes "_".
QString FileNameOf(const QString& text);
// The error that reports a failed write of the file `path` by the system's error number (errno; 0 when
// unknown): a full disk (61), no permission (70), a missing folder (76), any other failure (57).
VbError WriteError(const QString& path, int errorNumber);
} // namespace FileSystem

} // namespace platform
