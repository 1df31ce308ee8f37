#pragma once

#include <cstdint>
#include <optional>
#include <QString>

namespace platform {

// What a database file was at one moment: its size, its time of change and the engine's file change
// counter (bytes 24..27 of its header, raised by every write that is committed to the file). A file with
// the same stamp later was not written in between, by this program, another one or another user.
//
//   const DatabaseStamp before = DatabaseStamp::of(project);
//   ...
//   if (DatabaseStamp::of(project) != before) ...  // someone wrote it
struct DatabaseStamp {
    std::int64_t size = -1;          // -1: there is no file
    std::int64_t modified = 0;       // nanoseconds since 1970
    std::uint32_t changeCounter = 0; // 0 for a file too short to have a header
    // Which file it is: another file put in its place (a Save's copy renamed over it) is another file, even
    // when it has the same size and counter and was written within the same tick of the file system's clock.
    // 0 where it is not known (a stamp noted by an earlier version).
    std::uint64_t device = 0;
    std::uint64_t inode = 0;

    // The stamp of the file as it is now.
    static DatabaseStamp of(const QString& path);
    bool exists() const { return size >= 0; }

    // One line of text that fromText reads back (kept beside a working copy that outlives its run).
    QString text() const;
    // Nothing when the text is no stamp.
    static std::optional<DatabaseStamp> fromText(const QString& text);

    // Equal when nothing tells them apart: the file's identity counts where both stamps know it.
    bool operator==(const DatabaseStamp& other) const;
};

} // namespace platform
