#include "OdtDocument.h"

#include "../runtime/VbError.h"
#include "ZipWriter.h"

#include <QBuffer>

namespace platform {

void OdtDocument::TypeText(const QString& text) { pending_ += text; }

void OdtDocument::TypeParagraph() {
    blocks_.push_back({pending_, -1});
    pending_.clear();
}

void OdtDocument::PastePicture(const QImage& picture) {
    if (!pending_.isEmpty()) TypeParagraph();
    pictures_.push_back(picture);
    blocks_.push_back({QString(), int(pictures_.size()) - 1});
}

void OdtDocument::save(const QString& path) const {
    std::vector<Block> blocks = blocks_;
    if (!pending_.isEmpty()) blocks.push_back({pending_, -1});

    QString body;
    std::vector<QByteArray> pngs;
    for (const Block& b : blocks) {
        if (b.picture < 0) {
            body += QStringLiteral("<text:p text:style-name=\"Standard\">") + b.text.toHtmlEscaped() +
                    QStringLiteral("</text:p>");
            continue;
        }
        const QImage& img = pictures_[size_t(b.picture)];
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        img.save(&buffer, "PNG");
        pngs.push_back(png);
        const int n = int(pngs.size());
        const double wCm = img.width() * 2.54 / 96.0, hCm = img.height() * 2.54 / 96.0;
        body += QStringLiteral("<text:p text:style-name=\"Standard\"><draw:frame draw:name=\"Bild%1\" "
                               "text:anchor-type=\"as-char\" svg:width=\"%2cm\" svg:height=\"%3cm\">"
                               "<draw:image xlink:href=\"Pictures/bild%1.png\" xlink:type=\"simple\" "
                               "xlink:show=\"embed\" xlink:actuate=\"onLoad\"/></draw:frame></text:p>")
                    .arg(n)
                    .arg(wCm, 0, 'f', 3)
                    .arg(hCm, 0, 'f', 3);
    }

    const QString content =
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                       "<office:document-content "
                       "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
                       "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
                       "xmlns:draw=\"urn:oasis:names:tc:opendocument:xmlns:drawing:1.0\" "
                       "xmlns:svg=\"urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0\" "
                       "xmlns:xlink=\"http://www.w3.org/1999/xlink\" office:version=\"1.2\">"
                       "<office:body><office:text>") +
        body + QStringLiteral("</office:text></office:body></office:document-content>");

    QString manifest = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
        "<manifest:manifest xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\" "
        "manifest:version=\"1.2\">"
        "<manifest:file-entry manifest:full-path=\"/\" manifest:version=\"1.2\" "
        "manifest:media-type=\"application/vnd.oasis.opendocument.text\"/>"
        "<manifest:file-entry manifest:full-path=\"content.xml\" manifest:media-type=\"text/xml\"/>");
    for (size_t i = 0; i < pngs.size(); ++i)
        manifest += QStringLiteral("<manifest:file-entry manifest:full-path=\"Pictures/bild%1.png\" "
                                   "manifest:media-type=\"image/png\"/>")
                        .arg(i + 1);
    manifest += QStringLiteral("</manifest:manifest>");

    ZipWriter zip;
    zip.add(QStringLiteral("mimetype"), QByteArrayLiteral("application/vnd.oasis.opendocument.text"));
    zip.add(QStringLiteral("content.xml"), content.toUtf8());
    for (size_t i = 0; i < pngs.size(); ++i) zip.add(QStringLiteral("Pictures/bild%1.png").arg(i + 1), pngs[i]);
    zip.add(QStringLiteral("META-INF/manifest.xml"), manifest.toUtf8());
    zip.save(path);
}

} // namespace platform
