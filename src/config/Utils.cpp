#include "config/Utils.h"

#include "config/AtomicFile.h"
#include "platform/CodePage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <pwd.h>
#include <unistd.h>

namespace {
constexpr int MaxLoginNameLength = 253;
constexpr int MinCoveringSize = 20;

// An argument of a desktop entry's Exec line, quoted: inside the quotes ", `, $ and \ take
// a backslash.
QString QuoteExecArgument(const QString& argument)
{
    QString quoted(u'"');
    for (const QChar c : argument) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted.append(u'\\');
        quoted.append(c);
    }
    return quoted + u'"';
}

// The escapes of a desktop entry's string values, and %% for a literal percent sign in Exec.
QString EscapeExecValue(const QString& exec)
{
    QString escaped;
    for (const QChar c : exec) {
        switch (c.unicode()) {
        case u'\\':
            escaped += QStringLiteral("\\\\");
            break;
        case u'\n':
            escaped += QStringLiteral("\\n");
            break;
        case u'\t':
            escaped += QStringLiteral("\\t");
            break;
        case u'\r':
            escaped += QStringLiteral("\\r");
            break;
        case u'%':
            escaped += QStringLiteral("%%");
            break;
        default:
            escaped.append(c);
        }
    }
    return escaped;
}

QPoint CenterIn(QSize dialog, const QRect& area)
{
    return {area.left() + (area.width() - dialog.width()) / 2,
            area.top() + (area.height() - dialog.height()) / 2};
}
} // namespace

QString XdgConfigHome()
{
    const QString configured = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!configured.isEmpty() && QDir::isAbsolutePath(configured))
        return QDir::cleanPath(configured);
    return QDir::homePath() + QStringLiteral("/.config");
}

QString ProgramFilePath()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationFilePath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
}

QString AutorunEntryPath()
{
    return XdgConfigHome() + QStringLiteral("/autostart/zelkit-chat.desktop");
}

QByteArray AutorunEntryText(const QString& programPath)
{
    const QString exec = QuoteExecArgument(programPath) + QStringLiteral(" /minimized");
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Zelkit Chat\n"
                          "Exec=%1\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(EscapeExecValue(exec))
        .toUtf8();
}

bool SetAutorun(const QString& programPath)
{
    return WriteFileAtomically(AutorunEntryPath(), AutorunEntryText(programPath), 0644);
}

bool RemoveAutorun()
{
    const QFileInfo entry(AutorunEntryPath());
    if (!entry.exists() && !entry.isSymLink())
        return true;
    return QFile::remove(entry.filePath());
}

QString GetPersonalFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!folder.endsWith(u'/'))
        folder.append(u'/');
    return folder;
}

QString GetLoginUserName()
{
    const passwd* entry = ::getpwuid(::getuid());
    const QString name = entry && entry->pw_name ? QString::fromLocal8Bit(entry->pw_name)
                                                 : qEnvironmentVariable("USER");
    return name.left(MaxLoginNameLength);
}

bool IsUrl(QStringView text)
{
    for (const char16_t* prefix : {u"ftp://", u"http://", u"file://", u"\\\\", u"mailto:", u"www."})
        if (text.startsWith(QStringView(prefix)))
            return true;
    return false;
}

int MinInt(int a, int b)
{
    return a < b ? a : b;
}

QByteArray WideToAnsiCodePage(QStringView text, int codePage)
{
    if (text.isEmpty())
        return {};
    QString composed = text.toString().normalized(QString::NormalizationForm_C);
    composed.removeIf([](QChar c) { return c.category() == QChar::Mark_NonSpacing; });
    if (codePage == 0)
        return TCodePage::Ansi().Encode(composed);
    return TCodePage(QByteArray::number(codePage)).Encode(composed);
}

QPoint CenterOverMainForm(QSize dialog, const QRect& mainForm, const QRect& workArea,
                          bool mainMinimizedOrHidden)
{
    const QPoint over = CenterIn(dialog, mainForm);
    const bool inside = over.x() >= workArea.left() && over.y() >= workArea.top() &&
                        over.x() + dialog.width() <= workArea.left() + workArea.width() &&
                        over.y() + dialog.height() <= workArea.top() + workArea.height();
    return inside && !mainMinimizedOrHidden ? over : CenterIn(dialog, workArea);
}

bool IsWindowCovered(const QRect& window, bool isForeground, bool isMinimized, bool isVisible,
                     const QList<TStackedWindow>& above)
{
    if (isForeground)
        return false;
    if (isMinimized || !isVisible)
        return true;
    for (const TStackedWindow& other : above) {
        if (!other.Visible || other.Minimized)
            continue;
        const QRect overlap = other.Rect.intersected(window);
        if (overlap.width() >= MinCoveringSize && overlap.height() >= MinCoveringSize)
            return true;
    }
    return false;
}
