#pragma once

#include <QImage>
#include <QString>
#include <vector>

namespace platform {

// A word-processor document in the OpenDocument text format: paragraphs of plain text and pictures, each
// picture in its own paragraph at its own size (pixels at 96 per inch).
class OdtDocument {
public:
    void TypeText(const QString& text);
    void TypeParagraph();
    void PastePicture(const QImage& picture);
    // Writes the .odt file; throws VbError when it can't.
    void save(const QString& path) const;

private:
    struct Block {
        QString text;
        int picture = -1; // index into pictures_, or -1 for a text paragraph
    };
    std::vector<Block> blocks_;
    std::vector<QImage> pictures_;
    QString pending_;
};

} // namespace platform
