#include <QDir>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <QtTest>

namespace {
const QString AssetsFolder = QStringLiteral(ZELKIT_SOURCE_DIR "/assets/");
const QString DoubleTail = QStringLiteral("@2x");

// The aliases of the resource file, in its order, each with the file it names.
QList<std::pair<QString, QString>> ListedFiles()
{
    QFile qrc(AssetsFolder + QStringLiteral("icons.qrc"));
    if (!qrc.open(QIODevice::ReadOnly))
        return {};
    QList<std::pair<QString, QString>> files;
    QXmlStreamReader xml(&qrc);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"file") {
            const QString alias = xml.attributes().value(QLatin1String("alias")).toString();
            files.append({alias, AssetsFolder + xml.readElementText()});
        }
    }
    return files;
}

QString BaseName(const QString& alias)
{
    return alias.chopped(4); // ".png"
}

// The size a picture is drawn for, in logical pixels: the icon sets carry it in their names,
// the logo and the unhide strip have their own, every glyph and image list entry is 16 x 16.
QSize LogicalSize(QString name)
{
    name.remove(DoubleTail).remove(QStringLiteral("-disabled"));
    static const QRegularExpression iconSet(QStringLiteral("^(app|tray-message)-(\\d+)$"));
    if (const auto m = iconSet.match(name); m.hasMatch())
        return QSize(m.captured(2).toInt(), m.captured(2).toInt());
    if (name == QLatin1String("about-logo"))
        return QSize(255, 86);
    if (name == QLatin1String("unhide-contacts"))
        return QSize(8, 16);
    return QSize(16, 16);
}

QImage Premultiplied(const QString& path)
{
    return QImage(path).convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// Mean difference per channel, 0 ... 255, of two pictures of one size.
double MeanDifference(const QImage& a, const QImage& b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q)) + std::abs(qAlpha(p) - qAlpha(q));
        }
    return sum / (4.0 * a.width() * a.height());
}
} // namespace

class TestIcons : public QObject
{
    Q_OBJECT

    void AddRows(const std::function<bool(const QString&)>& wanted)
    {
        QTest::addColumn<QString>("alias");
        QTest::addColumn<QString>("path");
        for (const auto& [alias, path] : ListedFiles())
            if (wanted(alias))
                QTest::newRow(qPrintable(alias)) << alias << path;
    }

private slots:
    void everyPictureIsListedOnce()
    {
        QStringList listed;
        for (const auto& [alias, path] : ListedFiles()) {
            QCOMPARE(QFileInfo(path).fileName(), alias);
            listed << alias;
        }
        QVERIFY(!listed.isEmpty());
        QCOMPARE(listed.removeDuplicates(), qsizetype(0));
        listed.sort();
        QCOMPARE(listed, QDir(AssetsFolder + QStringLiteral("icons/png"))
                             .entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name));
    }

    void pictureHasItsSizeAndTransparentCorner_data()
    {
        AddRows([](const QString&) { return true; });
    }
    void pictureHasItsSizeAndTransparentCorner()
    {
        QFETCH(QString, alias);
        QFETCH(QString, path);
        const QImage image(path);
        QVERIFY2(!image.isNull(), qPrintable(path));
        const int scale = alias.contains(DoubleTail) ? 2 : 1;
        QCOMPARE(image.size(), LogicalSize(BaseName(alias)) * scale);
        QVERIFY(image.hasAlphaChannel());
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    }

    // A double picture scaled down must look like the single one, or a screen at 200 %
    // would show another drawing than one at 100 %.
    void doubleAgreesWithSingle_data()
    {
        AddRows([](const QString& alias) { return alias.contains(DoubleTail); });
    }
    void doubleAgreesWithSingle()
    {
        QFETCH(QString, alias);
        QFETCH(QString, path);
        const QString singlePath = QString(path).remove(DoubleTail);
        QVERIFY2(QFile::exists(singlePath), qPrintable(singlePath));
        const QImage single = Premultiplied(singlePath);
        const QImage reduced = Premultiplied(path).scaled(single.size(), Qt::IgnoreAspectRatio,
                                                          Qt::SmoothTransformation);
        const double difference = MeanDifference(single, reduced);
        QVERIFY2(difference < 5.0, qPrintable(QString::number(difference)));
    }

    // A disabled glyph holds no colour and is nowhere fully opaque, on light and dark menus alike.
    void disabledFormIsGreyAndFaded_data()
    {
        AddRows([](const QString& alias) { return alias.contains(QLatin1String("-disabled")); });
    }
    void disabledFormIsGreyAndFaded()
    {
        QFETCH(QString, path);
        const QImage image = QImage(path).convertToFormat(QImage::Format_ARGB32);
        int drawn = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                if (qAlpha(p) == 0)
                    continue;
                ++drawn;
                QVERIFY(qAlpha(p) < 200);
                QVERIFY(std::abs(qRed(p) - qGreen(p)) <= 2 && std::abs(qGreen(p) - qBlue(p)) <= 2);
            }
        QVERIFY(drawn > image.width() * image.height() / 10);
    }

    // Through the compiled resource: every alias resolves, and an icon given both files paints
    // the double one on a screen of two device pixels to the pixel.
    void resourceGivesTheDoublePicture_data()
    {
        AddRows([](const QString& alias) { return alias.contains(DoubleTail); });
    }
    void resourceGivesTheDoublePicture()
    {
        QFETCH(QString, alias);
        const QString doubled = QStringLiteral(":/icons/") + alias;
        const QString single = QString(doubled).remove(DoubleTail);
        QVERIFY(QFile::exists(single));
        QIcon icon;
        icon.addFile(single);
        icon.addFile(doubled);
        const QSize logical = LogicalSize(BaseName(alias));
        const QImage painted = icon.pixmap(logical, 2.0).toImage();
        QCOMPARE(painted.size(), logical * 2);
        QCOMPARE(painted.convertToFormat(QImage::Format_ARGB32_Premultiplied),
                 Premultiplied(doubled));
    }
};

QTEST_MAIN(TestIcons)
#include "tst_icons.moc"
