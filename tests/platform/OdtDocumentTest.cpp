#include "TempDir.h"
#include "platform/system/OdtDocument.h"
#include "platform/system/ZipWriter.h"

#include <QProcess>
#include <gtest/gtest.h>

using namespace platform;

namespace {

QByteArray unzipEntry(const QString& archive, const QString& entry) {
    QProcess p;
    p.start(QStringLiteral("unzip"), {QStringLiteral("-p"), archive, entry});
    p.waitForFinished();
    return p.readAllStandardOutput();
}

TEST(ZipWriter, Crc32OfKnownTexts) {
    EXPECT_EQ(ZipWriter::crc32(QByteArray()), 0u);
    EXPECT_EQ(ZipWriter::crc32(QByteArrayLiteral("123456789")), 0xCBF43926u);
}

TEST(OdtDocument, NamesAndPicturesInOrderReadableByUnzip) {
    testsupport::TempDir dir;
    OdtDocument doc;
    QImage red(40, 20, QImage::Format_RGB32);
    red.fill(Qt::red);
    doc.TypeText(QStringLiteral("picBILD11"));
    doc.TypeParagraph();
    doc.PastePicture(red);
    doc.TypeParagraph();
    doc.TypeText(QStringLiteral("picBILD12 <&>"));
    doc.TypeParagraph();
    doc.PastePicture(red);
    const QString path = dir.file(QStringLiteral("seite.odt"));
    doc.save(path);

    QProcess test;
    test.start(QStringLiteral("unzip"), {QStringLiteral("-tq"), path});
    test.waitForFinished();
    EXPECT_EQ(test.exitCode(), 0) << test.readAllStandardOutput().toStdString();
    EXPECT_EQ(unzipEntry(path, QStringLiteral("mimetype")), QByteArrayLiteral("application/vnd.oasis.opendocument.text"));
    const QString content = QString::fromUtf8(unzipEntry(path, QStringLiteral("content.xml")));
    const int first = content.indexOf(QStringLiteral("picBILD11"));
    const int image1 = content.indexOf(QStringLiteral("Pictures/bild1.png"));
    const int second = content.indexOf(QStringLiteral("picBILD12 &lt;&amp;&gt;"));
    const int image2 = content.indexOf(QStringLiteral("Pictures/bild2.png"));
    EXPECT_TRUE(first >= 0 && first < image1 && image1 < second && second < image2) << content.toStdString();
    QImage back;
    ASSERT_TRUE(back.loadFromData(unzipEntry(path, QStringLiteral("Pictures/bild1.png")), "PNG"));
    EXPECT_EQ(back.size(), QSize(40, 20));
}

} // namespace
