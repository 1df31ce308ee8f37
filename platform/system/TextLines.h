#pragma once

#include <optional>
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace platform {

// Reads a text file whole and splits it into lines, whatever wrote it: the lines may end in CR LF, LF or
// CR, or CR CR LF where CR LF was converted once more (a final line ending makes no empty last line), and
// the text may be UTF-8, with or without its byte order mark, UTF-16 with its byte order mark, or Latin-1
// (a file that is not valid UTF-8 is read as Latin-1). The file is open only while
// it is read. Nothing, with `error` set to the reason, when the file can't be read or holds more than
// `maxBytes`. The reason speaks the run's language.
std::optional<QStringList> ReadTextLines(const QString& path, QString& error, qint64 maxBytes = 32 << 20);

// The same split for bytes already read.
QStringList SplitTextLines(const QByteArray& bytes);

} // namespace platform
