#pragma once

#include <QObject>
#include <QPoint>
#include <QString>

class QMenu;
class QTextEdit;
class QWidget;

// The mouse on a text area, as the main window wants to hear of it: a click on a link (with
// the link's text, the anchor's href) and the release of a button (for the context menu).
// A press and release on the same link without a drag is a click; a drag selects as usual.
class TRichEditMouse final : public QObject
{
    Q_OBJECT

public:
    // Watches the view's viewport; the object belongs to the view.
    static TRichEditMouse* Watch(QTextEdit& view);

    QTextEdit& View() const { return FView; }

signals:
    void LinkClicked(const QString& linkText);
    void MouseUp(Qt::MouseButton button, const QPoint& globalPos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit TRichEditMouse(QTextEdit& view);

    QTextEdit& FView;
    QWidget* FViewport;
    QString FPressedAnchor;
    QPoint FPressedAt;
};

// A right button released over a text area opens the context menu there.
void RichEditMouseUp(QMenu& popupMenuEditors, Qt::MouseButton button, const QPoint& globalPos);
