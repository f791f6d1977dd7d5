#include "ui/ParamsLayout.h"

#include "ui/DialogLayout.h"

#include <algorithm>
#include <vector>

namespace {
constexpr int Margin = 8;
constexpr int Edge = 16;
constexpr int Below = -1;
constexpr int FieldWidth = 160; // the hot-key field and the send-key box at design
constexpr int SpinWidth = 75;
constexpr int SizeSpinWidth = 90;

enum class TWidth {
    Natural,   // as wide as it asks, at least the design width, at most to the right margin
    Stretch,   // to the right margin
    Fixed,     // the design width
    TwoThirds, // ends at two thirds of the page
};

// A control and the gap above it (a multiple of 4), or its designed top.
struct TRow {
    const char* Name;
    int Level;
    int Top;
    int Gap;
    TWidth Width = TWidth::Natural;
    int DesignWidth = 0;
};

TRow Top(const char* name, int level, int top, TWidth width = TWidth::Natural)
{
    return {name, level, top, 0, width, 0};
}

TRow Next(const char* name, int level, int gap, TWidth width = TWidth::Natural, int design = 0)
{
    return {name, level, Below, gap, width, design};
}

const std::vector<TRow>& PageRows(int page)
{
    using W = TWidth;
    static const std::vector<TRow> pages[ParamsPageCount] = {
        {Top("lblHotkeyToRestore", 1, 16), Next("hkAppHotkey", 1, 4, W::Natural, FieldWidth),
         Next("lblSendMsgKey", 1, 16), Next("cbSendMsgKey", 1, 4, W::Natural, FieldWidth),
         Next("cSaveUserSettings", 1, 16, W::Stretch), Next("cAutorun", 1, 8, W::Stretch),
         Next("cTrayIcon", 1, 8, W::Stretch), Next("cNoButtonOnTaskbar", 2, 8, W::Stretch)},
        {Top("cBlink", 1, 16, W::Stretch), Next("lblTimesToBlink", 2, 8),
         Next("seTimesToBlink", 2, 4, W::Fixed, SpinWidth), Next("cSnap", 1, 16, W::Stretch),
         Next("lblThreshold", 2, 8), Next("seThreshold", 2, 4, W::Fixed, SpinWidth),
         Next("cMoveInsideDesktop", 1, 16, W::Stretch), Next("cMinimizeOnClose", 1, 8)},
        {Top("cPopups", 1, 16, W::Stretch), Next("cPopupOnEnterLeave", 2, 16, W::Stretch),
         Next("cPopupOnPrivate", 2, 8, W::Stretch), Next("lblSecondsToShowPopup", 2, 16),
         Next("seTimeToShowPopup", 2, 4, W::Fixed, SpinWidth),
         Next("cAnimatedPopups", 2, 16, W::Stretch)},
        {Top("cEnableSounds", 1, 16, W::Stretch), Next("cSoundIfInactive", 2, 16, W::Stretch),
         Next("lvSoundFiles", 2, 16, W::Stretch)},
        {Top("cbAdapters", 1, 16, W::Stretch), Next("lblIP", 1, 16), Next("lblPort", 1, 16)},
        {Top("cHistory", 1, 16, W::Stretch), Top("lblHistoryFileName", 2, 72),
         Next("edHistoryFile", 2, 4, W::Stretch), Top("cHistoryLimit", 2, 164, W::Stretch),
         Next("seFileSizeLimit", 3, 8, W::Fixed, SizeSpinWidth)},
        {Top("cAntiboss", 1, 16, W::Stretch), Top("lblAntibossAction", 2, 72),
         Next("cbAntibossAction", 2, 4, W::TwoThirds), Top("cAntibossHotkey", 2, 164, W::Stretch),
         Next("cbAntibossHotkey", 3, 8, W::Natural, DialogButtonSize(true).width())},
        {},
    };
    return pages[page];
}

class TLayouter
{
public:
    TLayouter(const TParamsMetrics& metrics, TParamsLayout& layout, int pageWidth)
        : M(metrics), L(layout), Width(pageWidth)
    {
    }

    QSize Hint(const char* name) const
    {
        const auto found = M.Hints.find(QString::fromLatin1(name));
        return found == M.Hints.end() ? QSize() : found->second;
    }
    QRect& operator[](const char* name) { return L.Controls[QString::fromLatin1(name)]; }

    // Places the rows of a page; returns the bottom of its lowest control.
    void Rows(int page)
    {
        const QRect* upper = nullptr;
        for (const TRow& row : PageRows(page)) {
            QRect& r = (*this)[row.Name];
            r = QRect(QPoint(), Hint(row.Name));
            SetGridLeft(r, row.Level);
            if (row.Top != Below || !upper)
                r.moveTop(row.Top);
            else
                PlaceBelow(*upper, r, row.Gap / 4);
            SetWidth(r, row);
            upper = &r;
        }
    }

    void Network(QSize button)
    {
        const QRect& ip = (*this)["lblIP"];
        const QRect& port = (*this)["lblPort"];
        const int fieldsLeft = std::max(ip.left() + ip.width(), port.left() + port.width()) + Edge;
        QRect& edIP = Field("edIP", ip, fieldsLeft, button.width() + 32);
        QRect& sePort = Field("sePort", port, fieldsLeft, button.width() + 32);
        for (auto [name, field, label] :
             {std::tuple{"btDefIP", &edIP, &ip}, std::tuple{"btDefPort", &sePort, &port}}) {
            QRect& b = (*this)[name];
            b = QRect(0, 0, button.width(), edIP.height());
            PlaceRightOf(*field, b, 1);
            CenterOnLabel(*label, b);
        }
    }

    void History()
    {
        AttachBrowseButton((*this)["edHistoryFile"], (*this)["btHistoryFileSelect"], Width);
        const QRect& spin = (*this)["seFileSizeLimit"];
        QRect& units = (*this)["lblHistoryFileSizeUnits"];
        units = QRect(QPoint(), Hint("lblHistoryFileSizeUnits"));
        PlaceRightOf(spin, units, 1);
        CenterOnLabel(spin, units);
    }

    void Sounds(int pageHeight, QSize button)
    {
        QRect& list = (*this)["lvSoundFiles"];
        list.setHeight(std::max(0, pageHeight - button.height() - list.top() - 18));
        QRect& select = (*this)["btSelectSoundFile"];
        select = QRect(0, 0, button.width() * 3 / 2, button.height());
        select.moveLeft(Width - Edge - select.width());
        PlaceBelow(list, select, 1);
    }

    void Language(int pageHeight)
    {
        (*this)["lbLanguage"] = QRect(Edge, Edge, Width - 2 * Edge, pageHeight - 2 * Edge);
    }

    // The lowest bottom of the page's controls (rows and the pieces beside them).
    int Bottom(int page, std::initializer_list<const char*> more = {})
    {
        int bottom = 0;
        for (const TRow& row : PageRows(page))
            bottom = std::max(bottom, (*this)[row.Name].top() + (*this)[row.Name].height());
        for (const char* name : more)
            bottom = std::max(bottom, (*this)[name].top() + (*this)[name].height());
        return bottom;
    }

private:
    void SetWidth(QRect& r, const TRow& row) const
    {
        const int toMargin = Width - r.left() - Edge;
        switch (row.Width) {
        case TWidth::Natural:
            r.setWidth(std::min(std::max(r.width(), row.DesignWidth), std::max(toMargin, 0)));
            break;
        case TWidth::Stretch:
            StretchToRightMargin(r, Width);
            break;
        case TWidth::Fixed:
            r.setWidth(row.DesignWidth);
            break;
        case TWidth::TwoThirds:
            r.setWidth(Width * 2 / 3 - r.left());
            break;
        }
    }

    QRect& Field(const char* name, const QRect& label, int left, int width)
    {
        QRect& r = (*this)[name];
        r = QRect(left, 0, width, Hint(name).height());
        CenterOnLabel(label, r);
        return r;
    }

    const TParamsMetrics& M;
    TParamsLayout& L;
    const int Width;
};

enum TPage { pGeneral, pView, pPopups, pSounds, pNetwork, pHistory, pAntiboss, pLanguage };
} // namespace

const char* ParamsPageName(int page)
{
    static const char* const names[ParamsPageCount] = {"tsGeneral",  "tsView",    "tsPopups",
                                                       "tsSounds",   "tsNetwork", "tsHistory",
                                                       "tsAntiboss", "tsLanguage"};
    return page >= 0 && page < ParamsPageCount ? names[page] : "";
}

int ParamsClientWidth(bool defaultDpi)
{
    return defaultDpi ? 510 : 560;
}

TParamsLayout LayoutParams(const TParamsMetrics& m)
{
    TParamsLayout l;
    const QSize button = DialogButtonSize(m.DefaultDpi);
    const int clientWidth = ParamsClientWidth(m.DefaultDpi);
    l.pcPref = QRect(Margin, Margin, clientWidth - 2 * Margin, 0);
    const int pageWidth = l.pcPref.width() - m.PageFrame.left() - m.PageFrame.right();

    TLayouter page(m, l, pageWidth);
    for (int p = 0; p < ParamsPageCount; ++p)
        page.Rows(p);
    page.Network(button);
    page.History();
    // The General page sets the height; another page only when its controls would come
    // closer than 8 to the bottom (a font far from the design's). The Sounds and Language
    // pages fill whatever height that gives.
    int pageHeight = page.Bottom(pGeneral) + Edge;
    int others = 0;
    for (int p : {pView, pPopups, pAntiboss})
        others = std::max(others, page.Bottom(p));
    others = std::max(others, page.Bottom(pNetwork, {"edIP", "sePort", "btDefPort"}));
    others = std::max(others, page.Bottom(pHistory, {"lblHistoryFileSizeUnits"}));
    pageHeight = std::max(pageHeight, others + Margin);
    page.Sounds(pageHeight, button);
    page.Language(pageHeight);

    l.Page = QSize(pageWidth, pageHeight);
    l.pcPref.setHeight(pageHeight + m.PageFrame.top() + m.PageFrame.bottom());
    const int buttonsTop = l.pcPref.top() + l.pcPref.height() + Margin;
    l.btCancel = QRect(QPoint(clientWidth - Margin - button.width(), buttonsTop), button);
    l.btOK = QRect(QPoint(l.btCancel.left() - Margin - button.width(), buttonsTop), button);
    l.Client = QSize(clientWidth, buttonsTop + button.height() + Margin);
    return l;
}
