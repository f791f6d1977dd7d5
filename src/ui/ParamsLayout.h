#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>
#include <QString>

#include <map>

// The preferences dialog's geometry as plain numbers, so that it can be checked without a
// window. All sizes are device-independent pixels.

struct TParamsMetrics {
    bool DefaultDpi = true;
    // From the page control's edge to the page it shows (the tabs are in the top margin).
    QMargins PageFrame;
    // The natural size of each control on the pages, by its name; a control that is not
    // listed counts as 0 x 0.
    std::map<QString, QSize> Hints;
};

struct TParamsLayout {
    // Every control of the eight pages, in the coordinates of its page.
    std::map<QString, QRect> Controls;
    // In the dialog's client area.
    QRect pcPref, btOK, btCancel;
    // The client area of every page.
    QSize Page;
    QSize Client;
};

// 510 at 96 dots per inch, else 560.
int ParamsClientWidth(bool defaultDpi);

// Dialog width ParamsClientWidth; the pages 16 higher than the General page needs (or as
// high as another page needs with 8 to spare, so that nothing is cut with a large font).
TParamsLayout LayoutParams(const TParamsMetrics& metrics);

// The object names of the pages in their order: tsGeneral, tsView, tsPopups, tsSounds,
// tsNetwork, tsHistory, tsAntiboss, tsLanguage; empty outside 0..7.
inline constexpr int ParamsPageCount = 8;
const char* ParamsPageName(int page);
