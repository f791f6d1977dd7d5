#include "conversation/Emoticons.h"

#include <QFile>
#include <QStringList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextImageFormat>

#include <algorithm>
#include <vector>

// Resources of a static library are registered by a constructor in an object file that
// nothing references; naming its function here keeps the linker from dropping it.
static void InitEmoticonResources()
{
    Q_INIT_RESOURCE(emoticons);
}

const char* const TEmoticonStorage::EmoticonCodes[PictureCount] = {
    ":) :-)", ":( :-(",  ";) ;-)", ":P :-P", ":D :-D", ":[ :-[",   ":-\\ :-/", "=O =-O :O :-O",
    ":-* :*", ">:o >:O", "8-)",    ":-$ :$", ":-! :!", "O:-) O:)", ":'( :'-(", ":-X :-x",
};

TEmoticonStorage::TEmoticonStorage() : FImageList(BuiltInImages())
{
    // A row enters the list from its last code to its first: the first item of a picture is
    // the code the menu inserts, and the scan, which runs from the last item, meets the
    // longer codes ("O:-)", ">:O") before the shorter ones they contain.
    for (int row = 0; row < PictureCount; ++row) {
        const QStringList codes = QString::fromLatin1(EmoticonCodes[row]).split(u' ');
        for (auto code = codes.crbegin(); code != codes.crend(); ++code)
            FItems.append({*code, row});
    }
    for (int i = 0; i < PictureCount; ++i)
        FResourceNames.append(EmoticonResourceName(i));
}

void TEmoticonStorage::SetImageList(const QList<QImage>& images)
{
    FImageList = images;
    FPixmaps.clear();
}

const QPixmap& TEmoticonStorage::Pixmap(int imageIndex) const
{
    if (FPixmaps.isEmpty())
        for (const QImage& image : FImageList)
            FPixmaps.append(QPixmap::fromImage(image));
    return FPixmaps[imageIndex];
}

QString TEmoticonStorage::CodeOf(int imageIndex) const
{
    for (const TEmoticonItem& item : FItems)
        if (item.ImageIndex == imageIndex)
            return item.Code;
    return {};
}

QString TEmoticonStorage::EmoticonResourceName(int imageIndex)
{
    return QStringLiteral("emoticon:%1").arg(imageIndex);
}

QList<QImage> TEmoticonStorage::BuiltInImages()
{
    InitEmoticonResources();
    QList<QImage> images;
    for (int i = 0; i < PictureCount; ++i)
        images.append(
            QImage(QStringLiteral(":/emoticons/emoticon-%1.png").arg(i, 2, 10, QLatin1Char('0'))));
    return images;
}

namespace {

// Which characters from `from` on belong to a link; a link keeps its codes as text.
std::vector<bool> LinkMask(const QTextDocument& document, int from, qsizetype length)
{
    std::vector<bool> linked(size_t(length), false);
    for (QTextBlock block = document.findBlock(from); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isAnchor())
                continue;
            const int first = std::max(fragment.position(), from) - from;
            const int last = fragment.position() + fragment.length() - from;
            for (int i = std::max(first, 0); i < last && i < length; ++i)
                linked[size_t(i)] = true;
        }
    }
    return linked;
}

} // namespace

int TEmoticonStorage::ReplaceEmoticons(QTextDocument& document, int from) const
{
    QTextCursor range(&document);
    range.movePosition(QTextCursor::End);
    from = std::clamp(from, 0, range.position());
    range.setPosition(from, QTextCursor::KeepAnchor);
    // Document positions map one to one onto this text: a line break is U+2029, a picture
    // U+FFFC, neither of which is part of a code.
    QString text = range.selectedText();
    if (text.isEmpty())
        return 0;
    std::vector<bool> linked = LinkMask(document, from, text.size());

    int replaced = 0;
    QTextCursor edit(&document);
    edit.beginEditBlock();
    for (auto item = FItems.crbegin(); item != FItems.crend(); ++item) {
        const QImage image = FImageList.value(item->ImageIndex);
        const qsizetype length = item->Code.size();
        if (image.isNull())
            continue;
        const QString& name = FResourceNames[item->ImageIndex];
        bool resourceAdded = false;
        // Each occurrence ends at or before the start of the one handled before it.
        for (qsizetype end = text.size(); end - length >= 0;) {
            const qsizetype at = text.lastIndexOf(item->Code, end - length, Qt::CaseInsensitive);
            if (at < 0)
                break;
            end = at;
            const auto first = linked.begin() + at;
            if (std::any_of(first, first + length, [](bool link) { return link; }))
                continue;
            if (!resourceAdded) {
                document.addResource(QTextDocument::ImageResource, QUrl(name),
                                     Pixmap(item->ImageIndex));
                resourceAdded = true;
            }
            edit.setPosition(from + int(at));
            edit.setPosition(from + int(at + length), QTextCursor::KeepAnchor);
            QTextImageFormat picture;
            picture.merge(edit.charFormat());
            picture.setName(name);
            picture.setWidth(image.width());
            picture.setHeight(image.height());
            picture.setVerticalAlignment(QTextCharFormat::AlignMiddle);
            edit.insertImage(picture);
            text.replace(at, length, QChar::ObjectReplacementCharacter);
            linked.erase(first + 1, first + length);
            ++replaced;
        }
    }
    edit.endEditBlock();
    return replaced;
}

int TEmoticonStorage::ReplaceEmoticons(QTextEdit& view) const
{
    return ReplaceEmoticons(*view.document(), 0);
}

TEmoticonStorage& AppEmoticons()
{
    static TEmoticonStorage storage;
    return storage;
}
