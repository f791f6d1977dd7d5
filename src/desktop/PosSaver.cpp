#include "desktop/PosSaver.h"

#include "config/Config.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace {
// The strip at the top of a window that must be seen for the user to take hold of it: the
// title bar and a little of it.
constexpr int GripHeight = 30;
constexpr int GripWidth = 60;

int Overlap(const QRect& a, const QRect& b)
{
    const QRect common = a.intersected(b);
    return common.isEmpty() ? 0 : common.width() * common.height();
}

// The work area that shows the window's grip, or none.
const QRect* HoldingGrip(const QRect& window, const QList<QRect>& workAreas)
{
    const QRect grip(window.x(), window.y(), window.width(), std::min(GripHeight, window.height()));
    const QRect* best = nullptr;
    int bestOverlap = 0;
    for (const QRect& area : workAreas) {
        const QRect seen = grip.intersected(area);
        if (seen.height() < grip.height() || seen.width() < std::min(GripWidth, grip.width()))
            continue;
        if (Overlap(grip, area) > bestOverlap) {
            best = &area;
            bestOverlap = Overlap(grip, area);
        }
    }
    return best;
}

QRect Biggest(const QRect& window, const QList<QRect>& workAreas, const QRect& primary)
{
    QRect best = primary.isEmpty() ? workAreas.value(0) : primary;
    int bestOverlap = 0;
    for (const QRect& area : workAreas)
        if (Overlap(window, area) > bestOverlap) {
            best = area;
            bestOverlap = Overlap(window, area);
        }
    return best;
}

int Clamped(int start, int length, int areaStart, int areaLength)
{
    return std::max(areaStart, std::min(start, areaStart + areaLength - length));
}
} // namespace

QRect StoredNormalRect(const TConfig& config)
{
    int width = config.GetInt(window_width);
    int height = config.GetInt(window_height);
    if (width < 1)
        width = config.GetDefaultInt(window_width);
    if (height < 1)
        height = config.GetDefaultInt(window_height);
    return {config.GetInt(window_x), config.GetInt(window_y), width, height};
}

void StoreNormalRect(TConfig& config, const QRect& rect)
{
    config.SetInt(window_x, rect.x());
    config.SetInt(window_y, rect.y());
    config.SetInt(window_width, rect.width());
    config.SetInt(window_height, rect.height());
}

QRect NormalFrameRect(const QWidget& window)
{
    if (!window.isMaximized() && !window.isFullScreen())
        return {window.pos(), window.size()};
    const QRect normal = window.normalGeometry();
    if (!normal.isValid())
        return {};
    // The frame of the normal state is not there to be asked; the one of now is as thick.
    const QPoint frameOffset = window.geometry().topLeft() - window.frameGeometry().topLeft();
    return {normal.topLeft() - frameOffset, normal.size()};
}

QRect PlaceOnScreens(const QRect& saved, const QList<QRect>& workAreas, const QRect& primary)
{
    const QRect* holding = HoldingGrip(saved, workAreas);
    const QRect target = holding ? *holding : Biggest(saved, workAreas, primary);
    if (target.isEmpty())
        return saved;
    const QSize size(std::min(saved.width(), target.width()),
                     std::min(saved.height(), target.height()));
    if (holding)
        return {saved.topLeft(), size};
    return {Clamped(saved.x(), size.width(), target.x(), target.width()),
            Clamped(saved.y(), size.height(), target.y(), target.height()), size.width(),
            size.height()};
}

void SaveWindowLayout(const QWidget& window, const IWindowLayoutParts& parts, TConfig& config)
{
    const QRect normal = NormalFrameRect(window);
    if (normal.isValid())
        StoreNormalRect(config, normal);
    config.SetBool(window_maximized, window.isMaximized());
    config.SetInt(active_page, parts.ActivePage());
    config.SetInt(msg_editor_height, parts.MsgEditorHeight());
    config.SetBool(contact_list_hidden, parts.ContactListHidden());
    config.SetInt(contact_list_width, parts.ContactListWidth());
}

void RestoreWindowPlacement(QWidget& window, const TConfig& config)
{
    QList<QRect> workAreas;
    for (const QScreen* screen : QGuiApplication::screens())
        workAreas << screen->availableGeometry();
    const QScreen* primary = QGuiApplication::primaryScreen();
    const QRect placed = PlaceOnScreens(StoredNormalRect(config), workAreas,
                                        primary ? primary->availableGeometry() : QRect());
    window.move(placed.topLeft());
    window.resize(placed.size());
}

void RestoreWindowLayout(QWidget& window, IWindowLayoutParts& parts, const TConfig& config)
{
    if (config.GetBool(window_maximized))
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
    parts.SetActivePage(config.GetInt(active_page));
    parts.SetMsgEditorHeight(config.GetInt(msg_editor_height));
    if (config.GetBool(contact_list_hidden))
        parts.CollapseContactList();
    else
        parts.SetContactListWidth(config.GetInt(contact_list_width));
}
