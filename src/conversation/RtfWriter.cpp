#include "conversation/RtfWriter.h"

#include "config/Utils.h"
#include "platform/CodePage.h"

#include <QBuffer>
#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QStringList>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QUrl>

#include <cmath>
#include <cstdint>

namespace {
// Pictures are laid out at 96 pixels per inch; an inch has 1440 twips.
constexpr double TwipsPerPixel = 15.0;
// Hex digits of picture data per line, only for the sake of a reader with a text editor.
constexpr qsizetype HexLineLength = 128;

struct TRunStyle {
    int Font = 0;
    int HalfPoints = 0; // 0: the size of the paragraph
    int Color = 0;      // 0: the reader's automatic colour
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool Strike = false;
};

QString FirstFamily(const QTextCharFormat& format)
{
    const QStringList families = format.fontFamilies().toStringList();
    if (!families.isEmpty())
        return families.first();
    return format.stringProperty(QTextFormat::FontFamily);
}

bool HasColor(const QTextCharFormat& format)
{
    return format.hasProperty(QTextFormat::ForegroundBrush) &&
           format.foreground().style() != Qt::NoBrush;
}

// A link that a reader of the file can follow; the consoles' nickname anchors are not.
QString LinkOf(const QTextCharFormat& format)
{
    if (!format.isAnchor())
        return {};
    const QString href = format.anchorHref();
    return IsUrl(href) ? href : QString();
}

QImage ImageOf(const QTextDocument& document, const QTextImageFormat& format)
{
    const QVariant resource = document.resource(QTextDocument::ImageResource, QUrl(format.name()));
    switch (resource.typeId()) {
    case QMetaType::QImage:
        return resource.value<QImage>();
    case QMetaType::QPixmap:
        return resource.value<QPixmap>().toImage();
    case QMetaType::QByteArray:
        return QImage::fromData(resource.toByteArray());
    default:
        return {};
    }
}

int Twips(double pixels)
{
    return static_cast<int>(std::lround(pixels * TwipsPerPixel));
}

class TRtfBuilder
{
public:
    TRtfBuilder(const QTextDocument& document, const TCodePage& codePage)
        : FDocument(document), FCodePage(codePage)
    {
        FontIndex(document.defaultFont().family());
    }

    QByteArray Build()
    {
        QByteArray body;
        for (QTextBlock block = FDocument.begin(); block.isValid(); block = block.next()) {
            if (block != FDocument.begin())
                body += "\\par\n";
            WriteBlock(block, body);
        }
        QByteArray out =
            "{\\rtf1\\ansi\\ansicpg" + QByteArray::number(CodePageNumber(FCodePage)) + "\\deff0";
        out += FontTable() + '\n' + ColorTable() + '\n';
        out += "\\uc1\\pard\\plain\\f0";
        const int size = DefaultHalfPoints();
        if (size > 0)
            out += "\\fs" + QByteArray::number(size);
        out += ' ' + body + "}\n";
        return out;
    }

private:
    int FontIndex(const QString& family)
    {
        if (family.isEmpty())
            return 0;
        const auto found = FFonts.constFind(family);
        if (found != FFonts.cend())
            return *found;
        const int index = static_cast<int>(FFontNames.size());
        FFonts.insert(family, index);
        FFontNames.append(family);
        return index;
    }

    int ColorIndex(QRgb rgb)
    {
        rgb = qRgb(qRed(rgb), qGreen(rgb), qBlue(rgb));
        const auto found = FColors.constFind(rgb);
        if (found != FColors.cend())
            return *found;
        FColorList.append(rgb);
        const int index = static_cast<int>(FColorList.size()); // entry 0 is "auto"
        FColors.insert(rgb, index);
        return index;
    }

    int DefaultHalfPoints() const
    {
        const qreal points = FDocument.defaultFont().pointSizeF();
        return points > 0 ? static_cast<int>(std::lround(points * 2)) : 0;
    }

    TRunStyle StyleOf(const QTextCharFormat& format)
    {
        TRunStyle style;
        style.Font = FontIndex(FirstFamily(format));
        if (format.hasProperty(QTextFormat::FontPointSize) && format.fontPointSize() > 0)
            style.HalfPoints = static_cast<int>(std::lround(format.fontPointSize() * 2));
        if (HasColor(format))
            style.Color = ColorIndex(format.foreground().color().rgb());
        style.Bold =
            format.hasProperty(QTextFormat::FontWeight) && format.fontWeight() >= QFont::DemiBold;
        style.Italic = format.fontItalic();
        style.Underline = format.fontUnderline();
        style.Strike = format.fontStrikeOut();
        return style;
    }

    static QByteArray Controls(const TRunStyle& style)
    {
        QByteArray out;
        if (style.Font != 0)
            out += "\\f" + QByteArray::number(style.Font);
        if (style.HalfPoints > 0)
            out += "\\fs" + QByteArray::number(style.HalfPoints);
        if (style.Color != 0)
            out += "\\cf" + QByteArray::number(style.Color);
        if (style.Bold)
            out += "\\b";
        if (style.Italic)
            out += "\\i";
        if (style.Underline)
            out += "\\ul";
        if (style.Strike)
            out += "\\strike";
        return out;
    }

    void WriteBlock(const QTextBlock& block, QByteArray& out)
    {
        QString openLink;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            const QTextCharFormat format = fragment.charFormat();
            const QString link = LinkOf(format);
            if (link != openLink) {
                if (!openLink.isEmpty())
                    out += "}}}";
                if (!link.isEmpty())
                    out +=
                        "{\\field{\\*\\fldinst{HYPERLINK \"" + FieldText(link) + "\"}}{\\fldrslt{";
                openLink = link;
            }
            if (format.isImageFormat())
                WriteImages(format.toImageFormat(), fragment.length(), out);
            else
                WriteRun(StyleOf(format), fragment.text(), out);
        }
        if (!openLink.isEmpty())
            out += "}}}";
    }

    void WriteRun(const TRunStyle& style, const QString& text, QByteArray& out) const
    {
        const QByteArray controls = Controls(style);
        const QByteArray escaped = RtfEscapeText(text, FCodePage);
        if (controls.isEmpty())
            out += escaped;
        else
            out += '{' + controls + ' ' + escaped + '}';
    }

    void WriteImages(const QTextImageFormat& format, int count, QByteArray& out)
    {
        const QByteArray picture = Picture(format);
        // One fragment may stand for several uses of the same picture in a row.
        for (int i = 0; i < count; ++i)
            out += picture;
    }

    // The {\pict} group of an image, made once for each name and size: a console shows the
    // same few emoticons many times.
    QByteArray Picture(const QTextImageFormat& format)
    {
        const QString key = format.name() + u'|' + QString::number(format.width()) + u'|' +
                            QString::number(format.height());
        const auto found = FPictures.constFind(key);
        if (found != FPictures.cend())
            return *found;
        QByteArray picture;
        const QImage image = ImageOf(FDocument, format);
        QByteArray png;
        QBuffer buffer(&png);
        if (!image.isNull() && buffer.open(QIODevice::WriteOnly) && image.save(&buffer, "PNG")) {
            const double width = format.width() > 0 ? format.width() : image.width();
            const double height = format.height() > 0 ? format.height() : image.height();
            picture = "{\\pict\\pngblip\\picw" + QByteArray::number(image.width()) + "\\pich" +
                      QByteArray::number(image.height()) + "\\picwgoal" +
                      QByteArray::number(Twips(width)) + "\\pichgoal" +
                      QByteArray::number(Twips(height)) + '\n';
            const QByteArray hex = png.toHex();
            for (qsizetype at = 0; at < hex.size(); at += HexLineLength)
                picture += hex.mid(at, HexLineLength) + '\n';
            picture += '}';
        }
        FPictures.insert(key, picture);
        return picture;
    }

    // Inside a field instruction a backslash is doubled and a quote would end the address.
    QByteArray FieldText(QString link) const
    {
        link.replace(u'\\', QStringLiteral("\\\\")).replace(u'"', QStringLiteral("%22"));
        return RtfEscapeText(link, FCodePage);
    }

    QByteArray FontTable() const
    {
        QByteArray out = "{\\fonttbl";
        for (qsizetype i = 0; i < FFontNames.size(); ++i) {
            QString name = FFontNames[i];
            name.remove(u';');
            out +=
                "{\\f" + QByteArray::number(i) + "\\fnil " + RtfEscapeText(name, FCodePage) + ";}";
        }
        return out + '}';
    }

    QByteArray ColorTable() const
    {
        QByteArray out = "{\\colortbl;";
        for (const QRgb rgb : FColorList)
            out += "\\red" + QByteArray::number(qRed(rgb)) + "\\green" +
                   QByteArray::number(qGreen(rgb)) + "\\blue" + QByteArray::number(qBlue(rgb)) +
                   ';';
        return out + '}';
    }

    const QTextDocument& FDocument;
    const TCodePage& FCodePage;
    QHash<QString, int> FFonts;
    QStringList FFontNames;
    QHash<QRgb, int> FColors;
    QList<QRgb> FColorList;
    QHash<QString, QByteArray> FPictures;
};
} // namespace

QByteArray RtfEscapeText(QStringView text, const TCodePage& codePage)
{
    QByteArray out;
    out.reserve(text.size() + text.size() / 4);
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\\' || u == u'{' || u == u'}') {
            out += '\\';
            out += static_cast<char>(u);
        } else if (u == u'\t') {
            out += "\\tab ";
        } else if (u == u'\n' || u == QChar::LineSeparator) {
            out += "\\line ";
        } else if (u == QChar::ParagraphSeparator) {
            out += "\\par ";
        } else if (u == QChar::Nbsp) {
            out += "\\~";
        } else if (u < 0x20 || u == QChar::ObjectReplacementCharacter) {
            // Control characters have no meaning in a paragraph; a stray object mark has no
            // picture to stand for.
        } else if (u < 0x7f) {
            out += static_cast<char>(u);
        } else {
            const QByteArray fallback = codePage.Encode(QStringView(&c, 1));
            const char byte = fallback.size() == 1 ? fallback[0] : '?';
            out += "\\u" + QByteArray::number(static_cast<std::int16_t>(u)) + "\\'" +
                   QByteArray(1, byte).toHex();
        }
    }
    return out;
}

QByteArray DocumentToRtf(const QTextDocument& document, const TCodePage& codePage)
{
    return TRtfBuilder(document, codePage).Build();
}

int CodePageNumber(const TCodePage& codePage)
{
    // Canonical names are "cp" and the number.
    return codePage.Name().mid(2).toInt();
}
