#include "ZipWriter.h"

#include "../runtime/VbError.h"

#include <QFile>
#include <array>

namespace platform {

namespace {

void put16(QByteArray& out, quint16 v) {
    out.append(char(v & 0xFF));
    out.append(char((v >> 8) & 0xFF));
}

void put32(QByteArray& out, quint32 v) {
    put16(out, quint16(v & 0xFFFF));
    put16(out, quint16(v >> 16));
}

const std::array<quint32, 256>& crcTable() {
    static const std::array<quint32, 256> table = [] {
        std::array<quint32, 256> t{};
        for (quint32 n = 0; n < 256; ++n) {
            quint32 c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    return table;
}

} // namespace

quint32 ZipWriter::crc32(const QByteArray& data) {
    quint32 c = 0xFFFFFFFFu;
    for (char ch : data) c = crcTable()[(c ^ quint8(ch)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void ZipWriter::add(const QString& name, const QByteArray& data) {
    entries_.push_back({name.toUtf8(), data, crc32(data)});
}

QByteArray ZipWriter::archive() const {
    QByteArray out, central;
    // 1 January 2026, 00:00 in DOS time: the archive's content, not its date, matters.
    const quint16 dosTime = 0, dosDate = quint16(((2026 - 1980) << 9) | (1 << 5) | 1);
    for (const Entry& e : entries_) {
        const quint32 offset = quint32(out.size());
        put32(out, 0x04034b50);
        put16(out, 20);
        put16(out, 0x0800); // names in UTF-8
        put16(out, 0);      // stored
        put16(out, dosTime);
        put16(out, dosDate);
        put32(out, e.crc);
        put32(out, quint32(e.data.size()));
        put32(out, quint32(e.data.size()));
        put16(out, quint16(e.name.size()));
        put16(out, 0);
        out.append(e.name);
        out.append(e.data);

        put32(central, 0x02014b50);
        put16(central, 20);
        put16(central, 20);
        put16(central, 0x0800);
        put16(central, 0);
        put16(central, dosTime);
        put16(central, dosDate);
        put32(central, e.crc);
        put32(central, quint32(e.data.size()));
        put32(central, quint32(e.data.size()));
        put16(central, quint16(e.name.size()));
        put16(central, 0);
        put16(central, 0);
        put16(central, 0);
        put16(central, 0);
        put32(central, 0);
        put32(central, offset);
        central.append(e.name);
    }
    const quint32 centralOffset = quint32(out.size());
    out.append(central);
    put32(out, 0x06054b50);
    put16(out, 0);
    put16(out, 0);
    put16(out, quint16(entries_.size()));
    put16(out, quint16(entries_.size()));
    put32(out, quint32(central.size()));
    put32(out, centralOffset);
    put16(out, 0);
    return out;
}

void ZipWriter::save(const QString& path) const {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) throw VbError::permissionDenied(path);
    const QByteArray data = archive();
    if (f.write(data) != data.size()) throw VbError::permissionDenied(path);
}

} // namespace platform
