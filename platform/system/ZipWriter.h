#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

namespace platform {

// Writes a ZIP archive of stored (uncompressed) entries, in the order they are added — enough for
// OpenDocument files, whose first entry must be the stored "mimetype".
class ZipWriter {
public:
    void add(const QString& name, const QByteArray& data);
    // The whole archive.
    QByteArray archive() const;
    // Writes the archive into a file; throws VbError when it can't.
    void save(const QString& path) const;

    static quint32 crc32(const QByteArray& data);

private:
    struct Entry {
        QByteArray name;
        QByteArray data;
        quint32 crc;
    };
    std::vector<Entry> entries_;
};

} // namespace platform
