#include "ui/NameEdit.h"

#include "config/Config.h"
#include "config/Utils.h"
#include "conversation/ChatLog.h"
#include "lang/Lang.h"
#include "lang/LngDefId.h"
#include "ui/DialogLayout.h"
#include "ui/NameEditLayout.h"
#include "ui/NamedWidget.h"
#include "ui/NickValidator.h"
#include "ui/ProgramImages.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include <algorithm>

namespace {
enum TGender { gMale = 0, gFemale = 1, gUndefined = 2 };

QString Text(int id)
{
    return AppLang().GetString(id);
}
} // namespace

TFormNameEdit::TFormNameEdit(TConfig& config, QWidget* mainForm)
    : QDialog(mainForm), FConfig(config), FMainForm(mainForm)
{
    setObjectName(QStringLiteral("FormNameEdit"));
    // A dialog of fixed size with nothing to cancel: no help, no minimizing or maximizing.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    FFileChooser = [this](const QString& current) { return DefaultFileChooser(current); };
    FLoginName = [] { return GetLoginUserName(); };
    FBeep = [] { QApplication::beep(); };
    CreateControls();
    ApplyLanguage();
    Layout();
}

TFormNameEdit::~TFormNameEdit() = default;

void TFormNameEdit::CreateControls()
{
    lblNic = NewNamed<QLabel>(this, "lblNic");
    lblNic->setTextFormat(Qt::PlainText);
    edNic = NewNamed<QLineEdit>(this, "edNic");
    FNickValidator = new TNickValidator(edNic);
    FNickValidator->OnRefused = [this] {
        if (FBeep)
            FBeep();
    };
    edNic->setValidator(FNickValidator);
    lblNic->setBuddy(edNic);
    connect(edNic, &QLineEdit::textChanged, this, [this] { edNicChange(); });

    gbGender = NewNamed<QGroupBox>(this, "gbGender");
    PanelGender = NewNamed<QWidget>(gbGender, "PanelGender");
    // Pictures and buttons alternate so that the tab order runs down the list.
    imGenderUndef = NewNamed<QLabel>(PanelGender, "imGenderUndef");
    rbUndefined = NewNamed<QRadioButton>(PanelGender, "rbUndefined");
    imMale = NewNamed<QLabel>(PanelGender, "imMale");
    rbMale = NewNamed<QRadioButton>(PanelGender, "rbMale");
    imFemale = NewNamed<QLabel>(PanelGender, "imFemale");
    rbFemale = NewNamed<QRadioButton>(PanelGender, "rbFemale");
    rbUndefined->setChecked(true);
    for (QLabel* picture : {imGenderUndef, imMale, imFemale})
        picture->installEventFilter(this);

    gbHistory = NewNamed<QGroupBox>(this, "gbHistory");
    PanelHistory = NewNamed<QWidget>(gbHistory, "PanelHistory");
    cbEnableHistory = NewNamed<QCheckBox>(PanelHistory, "cbEnableHistory");
    connect(cbEnableHistory, &QCheckBox::toggled, this, [this] { cbEnableHistoryClick(); });
    lblHistoryFileName = NewNamed<QLabel>(PanelHistory, "lblHistoryFileName");
    lblHistoryFileName->setTextFormat(Qt::PlainText);
    edHistoryFileName = NewNamed<QLineEdit>(PanelHistory, "edHistoryFileName");
    edHistoryFileName->installEventFilter(this);
    lblHistoryFileName->setBuddy(edHistoryFileName);
    btHistoryFileSelect = NewNamed<QPushButton>(PanelHistory, "btHistoryFileSelect");
    btHistoryFileSelect->setText(QStringLiteral("..."));
    connect(btHistoryFileSelect, &QPushButton::clicked, this,
            [this] { btHistoryFileSelectClick(); });

    cbSaveSettings = NewNamed<QCheckBox>(this, "cbSaveSettings");
    HLine = NewNamed<QFrame>(this, "HLine");
    HLine->setFrameShape(QFrame::HLine);
    HLine->setFrameShadow(QFrame::Sunken);

    btRegister = NewNamed<QPushButton>(this, "btRegister");
    btRegister->setDefault(true);
    // Out of the tab order: Enter reaches it from every control.
    btRegister->setFocusPolicy(Qt::ClickFocus);
    connect(btRegister, &QPushButton::clicked, this, [this] {
        if (FormClose())
            accept();
    });
    cbEnableHistoryClick();
}

bool TFormNameEdit::Execute(bool changeUserMode)
{
    // One showing at a time: a second request while the dialog is up has nothing to add.
    if (isVisible())
        return false;
    SetChangeUserMode(changeUserMode);
    return exec() == QDialog::Accepted;
}

void TFormNameEdit::ApplyLanguage()
{
    setWindowTitle(Text(sidRegistrationCaption));
    lblNic->setText(Text(sidChooseNic));
    gbGender->setTitle(Text(sidSelectGender));
    rbUndefined->setText(Text(sidGenderUndefined));
    rbMale->setText(Text(sidGenderMale));
    rbFemale->setText(Text(sidGenderFemale));
    gbHistory->setTitle(Text(sidMessageHistory));
    cbEnableHistory->setText(Text(sidEnableHistory));
    lblHistoryFileName->setText(Text(sidHistoryFileName));
    cbSaveSettings->setText(Text(sidDontAskAgain));
    btRegister->setText(Text(sidRegisterOk));
    if (FLaidOut)
        Layout();
}

void TFormNameEdit::Layout()
{
    ensurePolished();
    const auto width = [](const QWidget* w) { return w->sizeHint().width(); };
    TNameEditWidths widths;
    widths.AverageChar = fontMetrics().averageCharWidth();
    widths.Direct = std::max(width(lblNic), width(cbSaveSettings));
    widths.GenderRow = std::max({width(rbUndefined), width(rbMale), width(rbFemale)});
    widths.HistoryRow = std::max(width(cbEnableHistory), width(lblHistoryFileName));
    widths.GroupFrame = gbGender->contentsMargins();
    const QSize button = DialogButtonSize(IsDefaultDpi(logicalDpiX()));
    widths.Button = button.width();

    TNameEditMetrics m;
    m.FullMode = !FChangeUserMode;
    m.ClientWidth = NameEditClientWidth(widths);
    m.LabelHeight = lblNic->sizeHint().height();
    m.EditHeight = edNic->sizeHint().height();
    m.RadioHeight = rbUndefined->sizeHint().height();
    m.CheckHeight = cbSaveSettings->sizeHint().height();
    m.LineHeight = HLine->sizeHint().height();
    m.GroupFrame = widths.GroupFrame;
    m.Button = button;
    const TNameEditLayout l = LayoutNameEdit(m);

    const std::pair<QWidget*, QRect> places[] = {
        {lblNic, l.lblNic},
        {edNic, l.edNic},
        {gbGender, l.gbGender},
        {PanelGender, l.PanelGender},
        {imGenderUndef, l.imGenderUndef},
        {imMale, l.imMale},
        {imFemale, l.imFemale},
        {rbUndefined, l.rbUndefined},
        {rbMale, l.rbMale},
        {rbFemale, l.rbFemale},
        {gbHistory, l.gbHistory},
        {PanelHistory, l.PanelHistory},
        {cbEnableHistory, l.cbEnableHistory},
        {lblHistoryFileName, l.lblHistoryFileName},
        {edHistoryFileName, l.edHistoryFileName},
        {btHistoryFileSelect, l.btHistoryFileSelect},
        {cbSaveSettings, l.cbSaveSettings},
        {HLine, l.HLine},
        {btRegister, l.btRegister},
    };
    for (const auto& [widget, rect] : places)
        widget->setGeometry(rect);
    setFixedSize(l.Client);
    FLaidOut = true;
}

void TFormNameEdit::setVisible(bool visible)
{
    // Loading once per showing, not at every activation: coming back from another window
    // must not throw away what the user has typed.
    if (visible && !isVisible()) {
        FormShow();
        FormActivate();
    }
    QDialog::setVisible(visible);
}

void TFormNameEdit::FormShow()
{
    edNic->setFocus();
    edNic->selectAll();
    const bool full = !FChangeUserMode;
    gbHistory->setVisible(full);
    cbSaveSettings->setVisible(full);
    HLine->setVisible(full);
    const qreal dpr = devicePixelRatioF();
    // The contact list's pictures of the three genders (not hidden, not ignored).
    const QSize size(GenderPictureSize, GenderPictureSize);
    imGenderUndef->setPixmap(ContactImage(0).pixmap(size, dpr));
    imMale->setPixmap(ContactImage(2).pixmap(size, dpr));
    imFemale->setPixmap(ContactImage(4).pixmap(size, dpr));
    Layout();
    PlaceAtCentre();
}

void TFormNameEdit::PlaceAtCentre()
{
    // The frame is known only once the window exists.
    winId();
    QScreen* screen = FMainForm ? FMainForm->screen() : this->screen();
    if (!screen)
        return;
    const QRect workArea = screen->availableGeometry();
    const QSize frame = size() + (frameGeometry().size() - geometry().size());
    const bool mainAway = !FMainForm || !FMainForm->isVisible() || FMainForm->isMinimized();
    const QRect over = FMainForm ? FMainForm->frameGeometry() : workArea;
    move(CenterOverMainForm(frame, over, workArea, mainAway));
}

void TFormNameEdit::FormActivate()
{
    edNic->setText(TNickValidator::Fit(FConfig.GetStr(user_name)));
    CheckGender(FConfig.GetInt(user_gender));
    if (!FChangeUserMode) {
        cbEnableHistory->setChecked(FConfig.GetBool(history_enabled));
        cbEnableHistoryClick();
        edHistoryFileName->setText(FConfig.GetStr(history_file_name));
        edHistoryFileNameExit();
        cbSaveSettings->setChecked(FConfig.GetBool(save_settings));
    }
    Layout();
    if (edNic->text().trimmed().isEmpty() && FLoginName)
        edNic->setText(TNickValidator::Fit(FLoginName()));
    edNicChange();
    edNic->selectAll();
}

bool TFormNameEdit::FormClose()
{
    const QString nick = edNic->text().trimmed();
    if (nick.isEmpty())
        return false;
    FConfig.SetStr(user_name, nick);
    FConfig.SetInt(user_gender, CheckedGender());
    if (!FChangeUserMode) {
        // Enter closes without leaving the field, so the empty name is replaced here too.
        edHistoryFileNameExit();
        FConfig.SetBool(history_enabled, cbEnableHistory->isChecked());
        FConfig.SetStr(history_file_name, edHistoryFileName->text());
        FConfig.SetBool(save_settings, cbSaveSettings->isChecked());
    }
    return true;
}

void TFormNameEdit::edNicChange()
{
    const QString nick = edNic->text().trimmed();
    if (FOnNickChange && FConfig.GetBool(show_nic_at_statusbar))
        FOnNickChange(nick);
    btRegister->setEnabled(!nick.isEmpty());
}

void TFormNameEdit::RadioButtonLabelClick(int picture)
{
    QRadioButton* const buttons[] = {rbUndefined, rbMale, rbFemale};
    if (picture < 1 || picture > 3)
        return;
    QRadioButton* button = buttons[picture - 1];
    button->setChecked(true);
    button->setFocus(Qt::MouseFocusReason);
}

void TFormNameEdit::cbEnableHistoryClick()
{
    // The disabled look (and its background) is the style's.
    const bool on = cbEnableHistory->isChecked();
    edHistoryFileName->setEnabled(on);
    lblHistoryFileName->setEnabled(on);
    btHistoryFileSelect->setEnabled(on);
}

void TFormNameEdit::btHistoryFileSelectClick()
{
    if (!FFileChooser)
        return;
    const QString chosen = FFileChooser(edHistoryFileName->text());
    if (!chosen.isEmpty() && TChatLog::CanCreateFile(chosen))
        edHistoryFileName->setText(chosen);
}

void TFormNameEdit::edHistoryFileNameEnter()
{
    edHistoryFileName->selectAll();
}

void TFormNameEdit::edHistoryFileNameExit()
{
    if (edHistoryFileName->text().trimmed().isEmpty())
        edHistoryFileName->setText(TChatLog::DefaultFileName());
}

void TFormNameEdit::closeEvent(QCloseEvent* event)
{
    // The title bar's close button is an OK. A hidden dialog (the program closing all its
    // windows) has nothing to store.
    if (!isVisible())
        event->accept();
    else if (FormClose())
        done(QDialog::Accepted);
    else
        event->ignore();
}

void TFormNameEdit::keyPressEvent(QKeyEvent* event)
{
    // Without a cancel there is nothing for Escape to do.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TFormNameEdit::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (FLaidOut && (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange))
        Layout();
}

bool TFormNameEdit::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == edHistoryFileName) {
        if (event->type() == QEvent::FocusIn)
            edHistoryFileNameEnter();
        else if (event->type() == QEvent::FocusOut)
            edHistoryFileNameExit();
    } else if (event->type() == QEvent::MouseButtonPress &&
               static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        const QObject* const pictures[] = {imGenderUndef, imMale, imFemale};
        const auto* found = std::find(std::begin(pictures), std::end(pictures), watched);
        if (found != std::end(pictures)) {
            RadioButtonLabelClick(static_cast<int>(found - std::begin(pictures)) + 1);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

int TFormNameEdit::CheckedGender() const
{
    if (rbMale->isChecked())
        return gMale;
    return rbFemale->isChecked() ? gFemale : gUndefined;
}

void TFormNameEdit::CheckGender(int gender)
{
    QRadioButton* button = gender == gMale ? rbMale : gender == gFemale ? rbFemale : rbUndefined;
    button->setChecked(true);
}

QString TFormNameEdit::DefaultFileChooser(const QString& current)
{
    const QString filter = Text(sidHistoryFilesFilter) + QStringLiteral(" (*.history);;") +
                           Text(sidTextFilesFilter) + QStringLiteral(" (*.txt *.log);;") +
                           Text(sidHistoryAllFilesFilter) + QStringLiteral(" (*)");
    return QFileDialog::getSaveFileName(this, Text(sidSelectHistoryFile), current, filter);
}
