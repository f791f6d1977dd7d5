#include "ui/AboutBox.h"

#include "config/Globals.h"
#include "desktop/WindowUtils.h"
#include "lang/Lang.h"
#include "lang/LngDefId.h"
#include "ui/ProductLinks.h"
#include "ui/ProgramImages.h"

#include <QDesktopServices>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QUrl>

namespace {

// The places and sizes of the design, in pixels of a 96-dpi screen.
constexpr QPoint TrademarkAt(70, 14);
constexpr QSize TrademarkSize(255, 86);
constexpr int TextLeft = 132;
constexpr int VersionTop = 92;
constexpr int HomeLinkTop = 139;
constexpr int SupportLinkTop = 169;
constexpr QRect CopyrightRect(0, 288, 396, 26);

const QColor LinkColor(0, 0, 255);
const QColor LinkHoverColor(255, 0, 0);
const QColor NoticeColor(128, 128, 128);

const char HintProperty[] = "Hint";

QFont PixelFont(const char* family, int pixels)
{
    QFont font(QString::fromLatin1(family));
    font.setPixelSize(pixels);
    return font;
}

void SetTextColor(QWidget& widget, const QColor& colour)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, colour);
    widget.setPalette(palette);
}

QLabel* NewLabel(QWidget* parent, const char* name, const QString& text, const QFont& font,
                 const QColor& colour)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    label->setText(text);
    SetTextColor(*label, colour);
    return label;
}

} // namespace

TFormAbout::TFormAbout(QWidget* mainForm) : QDialog(mainForm), FMainForm(mainForm)
{
    setObjectName(QStringLiteral("FormAbout"));
    // A fixed dialog border with only the system menu and its close button.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(ClientWidth, ClientHeight);
    setFont(PixelFont("Arial", 15));
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    CreateControls();
    FormCreate();
}

TFormAbout::~TFormAbout() = default;

void TFormAbout::CreateControls()
{
    PanelMain = new QWidget(this);
    PanelMain->setObjectName(QStringLiteral("PanelMain"));
    PanelMain->setGeometry(rect());
    PanelMain->setAutoFillBackground(true);

    ImageTrademark = new QLabel(PanelMain);
    ImageTrademark->setObjectName(QStringLiteral("ImageTrademark"));
    ImageTrademark->setGeometry(QRect(TrademarkAt, TrademarkSize));

    lbVersion = NewLabel(PanelMain, "lbVersion", QString(), PixelFont("Verdana", 11), Qt::black);
    lbVersion->move(TextLeft, VersionTop);

    const QString home = QString::fromLatin1(ProductHomePage);
    const QString support = QString::fromLatin1(ProductSupportAddress);
    HomeLink = AddLink("HomeLink", home, home, HomeLinkTop);
    SupportLink =
        AddLink("SupportLink", support, QStringLiteral("mailto:") + support, SupportLinkTop);

    Copyright =
        NewLabel(PanelMain, "Copyright",
                 QStringLiteral(u"Copyright \u00A9 Quorbane Software. All rights reserved."),
                 PixelFont("Verdana", 11), NoticeColor);
    Copyright->setAlignment(Qt::AlignCenter);
    Copyright->setGeometry(CopyrightRect);
}

QLabel* TFormAbout::AddLink(const char* name, const QString& text, const QString& target, int top)
{
    QFont font = PixelFont("Verdana", 13);
    font.setUnderline(true);
    QLabel* link = NewLabel(PanelMain, name, text, font, LinkColor);
    link->setProperty(HintProperty, target);
    link->setCursor(Qt::PointingHandCursor);
    link->adjustSize();
    link->move(TextLeft, top);
    link->installEventFilter(this);
    return link;
}

QString TFormAbout::LinkTarget(const QLabel& link)
{
    return link.property(HintProperty).toString();
}

void TFormAbout::FormCreate()
{
    setWindowTitle(QString::fromLatin1(DefaultStrings[sidAboutCaption]));
    lbVersion->setText(QStringLiteral("version ") + GetVersionString());
    lbVersion->adjustSize();
    SetTextColor(*HomeLink, LinkColor);
    SetTextColor(*SupportLink, LinkColor);
}

void TFormAbout::ApplyLanguage(const TLangControl& lang)
{
    setWindowTitle(lang.GetString(sidAboutCaption));
}

void TFormAbout::FormShow()
{
    // Drawn for the screen the box opens on, sharp at 1x and at 2x.
    ImageTrademark->setPixmap(TrademarkImage().pixmap(TrademarkSize, devicePixelRatioF()));
    if (FMainForm)
        CenterOverMainForm(*this, *FMainForm);
}

void TFormAbout::FormKeyPress(const QString& text)
{
    if (!text.isEmpty())
        close();
}

void TFormAbout::LinkClick(const QLabel& link)
{
    QDesktopServices::openUrl(QUrl(LinkTarget(link)));
}

void TFormAbout::LinkMouseEnter(QLabel& link)
{
    QFont font = link.font();
    font.setUnderline(true);
    link.setFont(font);
    SetTextColor(link, LinkHoverColor);
}

void TFormAbout::LinkMouseLeave(QLabel& link)
{
    SetTextColor(link, LinkColor);
}

void TFormAbout::showEvent(QShowEvent* event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TFormAbout::keyPressEvent(QKeyEvent* event)
{
    // A key that types a character (Esc and Enter included); Shift, Ctrl or F5 alone do not,
    // nor does Alt with a letter, which belongs to the window manager and the menus.
    if (!event->text().isEmpty() && !(event->modifiers() & Qt::AltModifier)) {
        FormKeyPress(event->text());
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TFormAbout::eventFilter(QObject* watched, QEvent* event)
{
    auto* link = qobject_cast<QLabel*>(watched);
    if (link != HomeLink && link != SupportLink)
        return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Enter:
        LinkMouseEnter(*link);
        break;
    case QEvent::Leave:
        LinkMouseLeave(*link);
        break;
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && link->rect().contains(mouse->position().toPoint()))
            LinkClick(*link);
        break;
    }
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}
