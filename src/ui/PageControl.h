#pragma once

#include <QMargins>
#include <QTabWidget>

// A tab widget that says where its pages will lie before it has been shown (a hidden tab
// widget does not lay out its pages), so that a dialog can place the pages' controls in
// advance.
class TPageControl final : public QTabWidget
{
    Q_OBJECT

public:
    explicit TPageControl(QWidget* parent = nullptr);

    // From the widget's edge to its pages, for its present size, style and tabs.
    QMargins PageFrame() const;
};
