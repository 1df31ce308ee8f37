#include "TextLines.h"

#include "../runtime/Language.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace platform {

namespace {

QString decode(const QByteArray& bytes) {
    static const QByteArray bom("\xEF\xBB\xBF");
    if (bytes.startsWith(bom)) return QString::fromUtf8(bytes.mid(bom.size()));
    // UTF-16 is known by its byte order mark only; without one its NULs tell the reader it is no text.
    if (bytes.startsWith("\xFF\xFE")) return QStringDecoder(QStringDecoder::Utf16LE)(bytes.mid(2));
    if (bytes.startsWith("\xFE\xFF")) return QStringDecoder(QStringDecoder::Utf16BE)(bytes.mid(2));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    // A byte that can't be UTF-8 means an older device's 8-bit text.
    if (utf8.hasError()) return QString::fromLatin1(bytes);
    return text;
}

QString tooLarge() {
    return Language::text(QStringLiteral("The file is too large."), QStringLiteral("Die Datei ist zu groß."));
}

} // namespace

QStringList SplitTextLines(const QByteArray& bytes) {
    const QString text = decode(bytes);
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n')) continue;
        lines << text.mid(start, i - start);
        if (c == QLatin1Char('\r')) {
            // CR LF, and CR CR LF of a file whose line ends were converted twice, end one line.
            qsizetype j = i + 1;
            while (j < n && text.at(j) == QLatin1Char('\r'))
                ++j;
            if (j < n && text.at(j) == QLatin1Char('\n')) i = j;
        }
        start = i + 1;
    }
    if (start < n) lines << text.mid(start);
    return lines;
}

std::optional<QStringList> ReadTextLines(const QString& path, QString& error, qint64 maxBytes) {
    const QFileInfo info(path);
    if (!info.exists()) {
        error = Language::text(QStringLiteral("The file does not exist."),
                               QStringLiteral("Die Datei gibt es nicht."));
        return std::nullopt;
    }
    if (!info.isFile()) {
        error = Language::text(QStringLiteral("That is not a file."), QStringLiteral("Das ist keine Datei."));
        return std::nullopt;
    }
    if (info.size() > maxBytes) {
        error = tooLarge();
        return std::nullopt;
    }
    QByteArray bytes;
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            error = file.errorString();
            return std::nullopt;
        }
        bytes = file.read(maxBytes + 1);
        if (file.error() != QFileDevice::NoError) {
            error = file.errorString();
            return std::nullopt;
        }
    }
    if (bytes.size() > maxBytes) {
        error = tooLarge();
        return std::nullopt;
    }
    return SplitTextLines(bytes);
}

} // namespace platform
