#pragma once

#include <QImage>
#include <QList>
#include <QPixmap>
#include <QString>
#include <QUrl>

class QTextDocument;
class QTextEdit;

// One code of one picture.
struct TEmoticonItem {
    QString Code;
    int ImageIndex = 0;
};

// The emoticon codes and their pictures. The codes are fixed; the pictures (ImageList) are
// the program's own 19 x 19 images unless the owner gives others.
//
// A picture put into a document is an image resource of that document named
// EmoticonResourceName(index), "emoticon:N", so whoever writes the document out (a file of
// the session) finds the image under the name its QTextImageFormat carries.
class TEmoticonStorage final
{
public:
    static constexpr int PictureCount = 16;
    static constexpr int PictureSize = 19;

    // The codes of the pictures in picture order, each row split at its blanks.
    static const char* const EmoticonCodes[PictureCount];

    // Builds the 33 items and takes the built-in pictures.
    TEmoticonStorage();

    const QList<TEmoticonItem>& Items() const { return FItems; }
    const QList<QImage>& ImageList() const { return FImageList; }
    void SetImageList(const QList<QImage>& images);

    // The code of the first item of the picture; empty when there is none.
    QString CodeOf(int imageIndex) const;

    // Turns the codes in the document from position `from` on into pictures: every item from
    // the last to the first, each found backwards, ignoring case, inside words too. An
    // occurrence with a character of a link (a web address or a nickname) stays text. Codes
    // already turned into pictures are not text any more, so a scan from the start of the
    // newest line gives the same document as a scan of the whole document would. Returns the
    // number of pictures put in.
    int ReplaceEmoticons(QTextDocument& document, int from = 0) const;
    // The whole view.
    int ReplaceEmoticons(QTextEdit& view) const;

    static QString EmoticonResourceName(int imageIndex);
    static QUrl EmoticonResourceUrl(int imageIndex)
    {
        return QUrl(EmoticonResourceName(imageIndex));
    }
    // The built-in pictures 0..15, from the library's resources.
    static QList<QImage> BuiltInImages();

private:
    // What a document is given for a picture: a pixmap, which its layout and painting use as
    // it is, where an image would be converted at every layout of a line and every paint.
    // Made at the first replacement, when a GUI application exists.
    const QPixmap& Pixmap(int imageIndex) const;

    QList<TEmoticonItem> FItems;
    QList<QImage> FImageList;
    QList<QString> FResourceNames;
    mutable QList<QPixmap> FPixmaps;
};

// The program's one emoticon set, built at the first call.
TEmoticonStorage& AppEmoticons();
