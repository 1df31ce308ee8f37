#include "platform/system/OdtDocument.h"
#include "platform/runtime/VbError.h"
#include "TempDir.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

using namespace platform;

namespace {

QByteArray unzipEntry(const QString& archive, const QString& entry) {
    QProcess p;
    p.start(QStringLiteral("unzip"), {QStringLiteral("-p"), archive, entry});
    p.waitForFinished();
    return p.readAllStandardOutput();
}

// The names, texts and pictures of the word-processor copy of a page: each picture after its name, the
// pictures inside the file at their own size, and a file a word processor recognises.
TEST(OdtDocument, NamesAndPicturesInOrderWithThePicturesInsideTheFile) {
    testsupport::TempDir dir;
    OdtDocument doc;
    QImage red(96, 48, QImage::Format_RGB32);
    red.fill(Qt::red);
    QImage blue(40, 20, QImage::Format_ARGB32_Premultiplied);
    blue.fill(Qt::blue);
    doc.TypeText(QStringLiteral("picBILD11"));
    doc.TypeParagraph();
    doc.PastePicture(red);
    doc.TypeParagraph();
    doc.TypeText(QStringLiteral("picBILD12 <&>"));
    doc.TypeParagraph();
    doc.PastePicture(blue);
    const QString path = dir.file(QStringLiteral("seite.odt"));
    doc.save(path);

    QProcess test;
    test.start(QStringLiteral("unzip"), {QStringLiteral("-tq"), path});
    test.waitForFinished();
    EXPECT_EQ(test.exitCode(), 0) << test.readAllStandardOutput().toStdString();
    // The type comes first and uncompressed, as readers of the format look for it.
    QFile raw(path);
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    EXPECT_EQ(raw.read(38).mid(30, 8), QByteArrayLiteral("mimetype"));
    EXPECT_EQ(unzipEntry(path, QStringLiteral("mimetype")),
              QByteArrayLiteral("application/vnd.oasis.opendocument.text"));

    const QString content = QString::fromUtf8(unzipEntry(path, QStringLiteral("content.xml")));
    static const QRegularExpression image(QStringLiteral("xlink:href=\"([^\"]+)\""));
    QStringList pictures;
    for (auto it = image.globalMatch(content); it.hasNext();)
        pictures << it.next().captured(1);
    ASSERT_EQ(pictures.size(), 2) << content.toStdString();
    const int first = content.indexOf(QStringLiteral("picBILD11"));
    const int image1 = content.indexOf(pictures[0]);
    const int second = content.indexOf(QStringLiteral("picBILD12 &lt;&amp;&gt;"));
    const int image2 = content.indexOf(pictures[1]);
    EXPECT_TRUE(first >= 0 && first < image1 && image1 < second && second < image2) << content.toStdString();
    // 96 pixels are one inch: 72 points.
    EXPECT_TRUE(content.contains(QStringLiteral("svg:width=\"72pt\" svg:height=\"36pt\"")))
        << content.toStdString();

    const QString manifest = QString::fromUtf8(unzipEntry(path, QStringLiteral("META-INF/manifest.xml")));
    const QSize sizes[] = {red.size(), blue.size()};
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(pictures[i].toStdString());
        EXPECT_TRUE(
            manifest.contains(QStringLiteral("manifest:full-path=\"") + pictures[i] + QLatin1Char('"')));
        QImage back;
        ASSERT_TRUE(back.loadFromData(unzipEntry(path, pictures[i])));
        EXPECT_EQ(back.size(), sizes[i]);
        EXPECT_EQ(back.pixelColor(1, 1), i == 0 ? QColor(Qt::red) : QColor(Qt::blue));
    }
}

TEST(OdtDocument, AFileThatCantBeWrittenGivesAnErrorAndLeavesNothing) {
    testsupport::TempDir dir;
    OdtDocument doc;
    doc.TypeText(QStringLiteral("Text"));
    const QString path = dir.file(QStringLiteral("fehlt/seite.odt"));
    EXPECT_THROW(doc.save(path), VbError);
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

} // namespace
