#include "ui/TrayIcon.h"

#include "ui/ProgramImages.h"
#include "ui/RyMenus.h"

#include <QAction>
#include <QMenu>
#include <QSystemTrayIcon>

namespace {

QAction* Item(QMenu& menu, const char* name, int glyph = -1)
{
    QAction* a = menu.addAction(QString());
    a->setObjectName(QString::fromLatin1(name));
    if (glyph >= 0)
        a->setIcon(MenuGlyph(glyph));
    return a;
}

} // namespace

TTrayIcon::TTrayIcon(QWidget& window) : QObject(&window)
{
    FMenu = new QMenu(&window);
    FMenu->setObjectName(QStringLiteral("TrayMenu"));
    QAction* toggle = Item(*FMenu, "mitrShowHide");
    // Not translated: it names the program.
    toggle->setText(QStringLiteral("Show/Hide Zelkit Chat"));
    FMenu->setDefaultAction(toggle);
    FMenu->addSeparator();
    Item(*FMenu, "mitrChangeUser");
    Item(*FMenu, "mitrPreferences", 13);
    Item(*FMenu, "mitrAbout", 15);
    FMenu->addSeparator();
    Item(*FMenu, "mitrAntiboss", 0);
    FMenu->addSeparator();
    Item(*FMenu, "mitrExit");
    AppMenuPainter().Attach(FMenu);
    connect(toggle, &QAction::triggered, this, [this] {
        if (OnToggle)
            OnToggle();
    });

    FIcon = new QSystemTrayIcon(AppIcon(), this);
    FIcon->setObjectName(QStringLiteral("AppTrayIcon"));
    FIcon->setToolTip(QStringLiteral("Zelkit Chat"));
    FIcon->setContextMenu(FMenu);
    connect(FIcon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
        if ((r == QSystemTrayIcon::Trigger || r == QSystemTrayIcon::DoubleClick) && OnToggle)
            OnToggle();
    });
    FBlink.setInterval(500);
    connect(&FBlink, &QTimer::timeout, this, [this] { Step(); });
}

bool TTrayIcon::IsAvailable()
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void TTrayIcon::SetShown(bool shown)
{
    FIcon->setVisible(shown && IsAvailable());
}

bool TTrayIcon::IsShown() const
{
    return FIcon->isVisible();
}

void TTrayIcon::StartAnimation()
{
    if (!FBlink.isActive())
        FBlink.start();
}

void TTrayIcon::StopAnimation()
{
    FBlink.stop();
    FFrame = 0;
    FIcon->setIcon(AppIcon());
}

void TTrayIcon::Step()
{
    FFrame = 1 - FFrame;
    FIcon->setIcon(AppIcon(FFrame == 1));
}
