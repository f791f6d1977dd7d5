#include "ui/NameEditLayout.h"

#include "ui/DialogLayout.h"

#include <algorithm>

namespace {
constexpr int Margin = 8;
constexpr int BaseWidthInChars = 52;
constexpr int PictureLeft = 16;
constexpr int RadioLeft = 36;

int FrameWidth(const QMargins& frame)
{
    return frame.left() + frame.right();
}

// A group box around a panel whose content ends at `contentBottom`: 16 below it the panel
// ends, and the frame's own border follows.
void FitGroup(QRect& group, QRect& panel, const QMargins& frame, int contentBottom)
{
    panel = QRect(frame.left(), frame.top(), group.width() - FrameWidth(frame), contentBottom + 16);
    group.setHeight(frame.top() + panel.height() + frame.bottom());
}

// A control on the dialog: 8 from both edges.
QRect Direct(int clientWidth, int height)
{
    return QRect(Margin, 0, clientWidth - 2 * Margin, height);
}

void LayoutGender(TNameEditLayout& l, const TNameEditMetrics& m)
{
    const int panelWidth = l.gbGender.width() - FrameWidth(m.GroupFrame);
    QRect* const radios[] = {&l.rbUndefined, &l.rbMale, &l.rbFemale};
    QRect* const pictures[] = {&l.imGenderUndef, &l.imMale, &l.imFemale};
    const QRect* upper = nullptr;
    for (int i = 0; i < 3; ++i) {
        QRect& radio = *radios[i];
        radio = QRect(RadioLeft, 16, 0, m.RadioHeight);
        StretchToRightMargin(radio, panelWidth);
        if (upper)
            PlaceBelow(*upper, radio, 3);
        QRect& picture = *pictures[i];
        picture = QRect(PictureLeft, 0, GenderPictureSize, GenderPictureSize);
        CenterOnLabel(radio, picture);
        upper = &radio;
    }
    FitGroup(l.gbGender, l.PanelGender, m.GroupFrame, l.rbFemale.bottom() + 1);
}

void LayoutHistory(TNameEditLayout& l, const TNameEditMetrics& m)
{
    const int panelWidth = l.gbHistory.width() - FrameWidth(m.GroupFrame);
    l.cbEnableHistory = QRect(16, 16, 0, m.CheckHeight);
    StretchToRightMargin(l.cbEnableHistory, panelWidth);
    l.lblHistoryFileName = QRect(16, 0, 0, m.LabelHeight);
    StretchToRightMargin(l.lblHistoryFileName, panelWidth);
    PlaceBelow(l.cbEnableHistory, l.lblHistoryFileName, 4);
    l.edHistoryFileName = QRect(16, 0, 0, m.EditHeight);
    PlaceBelow(l.lblHistoryFileName, l.edHistoryFileName, 1);
    AttachBrowseButton(l.edHistoryFileName, l.btHistoryFileSelect, panelWidth);
    FitGroup(l.gbHistory, l.PanelHistory, m.GroupFrame, l.edHistoryFileName.bottom() + 1);
}
} // namespace

int NameEditClientWidth(const TNameEditWidths& w)
{
    const int frame = FrameWidth(w.GroupFrame);
    return std::max({BaseWidthInChars * w.AverageChar, w.Direct + 2 * Margin,
                     2 * Margin + frame + RadioLeft + w.GenderRow + 16,
                     2 * Margin + frame + 16 + w.HistoryRow + 16, w.Button + 2 * Margin});
}

TNameEditLayout LayoutNameEdit(const TNameEditMetrics& m)
{
    TNameEditLayout l;
    const int width = m.ClientWidth;
    l.lblNic = Direct(width, m.LabelHeight);
    l.lblNic.moveTop(Margin);
    l.edNic = Direct(width, m.EditHeight);
    PlaceBelow(l.lblNic, l.edNic, 1);
    l.gbGender = Direct(width, 0);
    PlaceBelow(l.edNic, l.gbGender, 2);
    LayoutGender(l, m);

    l.gbHistory = Direct(width, 0);
    PlaceBelow(l.gbGender, l.gbHistory, 2);
    LayoutHistory(l, m);
    l.cbSaveSettings = Direct(width, m.CheckHeight);
    PlaceBelow(l.gbHistory, l.cbSaveSettings, 2);
    l.HLine = Direct(width, m.LineHeight);
    PlaceBelow(l.cbSaveSettings, l.HLine, 2);

    l.btRegister = QRect(QPoint((width - m.Button.width()) / 2, 0), m.Button);
    PlaceBelow(m.FullMode ? l.HLine : l.gbGender, l.btRegister, 2);
    l.Client = QSize(width, l.btRegister.top() + m.Button.height() + Margin);
    return l;
}
