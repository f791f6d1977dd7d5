#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

// The registration dialog's geometry as plain numbers, so that it can be checked without a
// window. All sizes are device-independent pixels.

// What the width of the dialog depends on: natural widths of its texts at the dialog's font.
struct TNameEditWidths {
    int AverageChar = 0; // the font's average character width
    int Direct = 0;      // widest control placed directly on the dialog (lblNic, cbSaveSettings)
    int GenderRow = 0;   // widest radio button
    int HistoryRow = 0;  // wider of cbEnableHistory and lblHistoryFileName
    int Button = 0;      // btRegister
    QMargins GroupFrame; // from a group box's edge to the panel it holds
};

// Room for 52 average characters, widened until every text fits at its place.
int NameEditClientWidth(const TNameEditWidths& widths);

// The heights the layout takes from the controls at the dialog's font and style.
struct TNameEditMetrics {
    bool FullMode = true;
    int ClientWidth = 0;
    int LabelHeight = 0; // lblNic, lblHistoryFileName
    int EditHeight = 0;  // edNic, edHistoryFileName
    int RadioHeight = 0;
    int CheckHeight = 0; // cbEnableHistory, cbSaveSettings
    int LineHeight = 2;  // HLine
    QMargins GroupFrame;
    QSize Button; // DialogButtonSize
};

inline constexpr int GenderPictureSize = 16;

// Rectangles in the coordinates of their parents: the group boxes, cbSaveSettings, HLine and
// btRegister in the dialog's client area, each panel in its group box, the pictures, radio
// buttons and history controls in their panel. The history rectangles are computed in both
// modes; the dialog hides them in the short one.
struct TNameEditLayout {
    QRect lblNic, edNic;
    QRect gbGender, PanelGender;
    QRect imGenderUndef, imMale, imFemale;
    QRect rbUndefined, rbMale, rbFemale;
    QRect gbHistory, PanelHistory;
    QRect cbEnableHistory, lblHistoryFileName, edHistoryFileName, btHistoryFileSelect;
    QRect cbSaveSettings, HLine;
    QRect btRegister;
    QSize Client;
};

TNameEditLayout LayoutNameEdit(const TNameEditMetrics& metrics);
