#include "OdtDocument.h"

#include "../runtime/VbError.h"

#include <QBuffer>
#include <QSaveFile>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentWriter>
#include <QTextImageFormat>
#include <QUrl>

namespace platform {

void OdtDocument::TypeText(const QString& text) {
    pending_ += text;
}

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

    // Qt's OpenDocument writer stores each picture the document holds as an image resource inside the
    // file and sizes its frame from the picture's pixels at 96 per inch.
    QTextDocument document;
    document.setDefaultFont(QFont(QStringLiteral("Arial"), 10));
    QTextCursor cursor(&document);
    bool first = true;
    for (const Block& b : blocks) {
        if (!first) cursor.insertBlock();
        first = false;
        if (b.picture < 0) {
            cursor.insertText(b.text);
            continue;
        }
        const QImage& picture = pictures_[size_t(b.picture)];
        const QString name = QStringLiteral("bild%1.png").arg(b.picture + 1);
        document.addResource(QTextDocument::ImageResource, QUrl(name), picture);
        QTextImageFormat image;
        image.setName(name);
        image.setWidth(picture.width());
        image.setHeight(picture.height());
        cursor.insertImage(image);
    }

    // The writer closes its device when done: it writes into memory, and the file is written beside the
    // target and put in its place only when whole, so that a failed write leaves no file.
    QBuffer odt;
    QTextDocumentWriter writer(&odt, "odf");
    if (!writer.write(&document)) throw VbError::permissionDenied(path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(odt.data()) != odt.size() || !file.commit())
        throw VbError::permissionDenied(path);
}

} // namespace platform
