// The preferences dialog's controls, page by page, and what each one is wired to.
#include "ui/Params.h"

#include "config/Config.h"
#include "ui/HotKeyEdit.h"
#include "ui/IpAddressEdit.h"
#include "ui/NamedWidget.h"
#include "ui/PageControl.h"
#include "ui/ParamsLayout.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>

#include <limits>

namespace {

QLabel* NewLabel(QWidget* page, const char* name)
{
    auto* label = NewNamed<QLabel>(page, name);
    label->setTextFormat(Qt::PlainText);
    return label;
}

// The dialog's numbers have no upper bound; none of them means anything below 0, and a
// port only in the range a port can have.
QSpinBox* NewSpin(QWidget* page, const char* name, int setting = -1)
{
    auto* spin = NewNamed<QSpinBox>(page, name);
    std::int32_t low = 0;
    std::int32_t high = std::numeric_limits<int>::max();
    if (setting >= 0)
        TConfig::ValueRange(setting, low, high);
    spin->setRange(low, high);
    return spin;
}

QWidget* NewPage(const char* name)
{
    auto* page = new QWidget;
    page->setObjectName(QString::fromLatin1(name));
    return page;
}

} // namespace

void TFormParams::CreateControls()
{
    pcPref = NewNamed<TPageControl>(this, "pcPref");
    pcPref->addTab(CreateGeneralPage(), QString());
    pcPref->addTab(CreateWindowPage(), QString());
    pcPref->addTab(CreatePopupsPage(), QString());
    pcPref->addTab(CreateSoundsPage(), QString());
    pcPref->addTab(CreateNetworkPage(), QString());
    pcPref->addTab(CreateHistoryPage(), QString());
    pcPref->addTab(CreateAntibossPage(), QString());
    pcPref->addTab(CreateLanguagePage(), QString());

    btOK = NewNamed<QPushButton>(this, "btOK");
    btOK->setDefault(true);
    connect(btOK, &QPushButton::clicked, this, [this] { OkClick(); });
    btCancel = NewNamed<QPushButton>(this, "btCancel");
    connect(btCancel, &QPushButton::clicked, this, &QDialog::reject);

    const std::pair<QCheckBox*, void (TFormParams::*)()> switches[] = {
        {cTrayIcon, &TFormParams::cTrayIconClick},
        {cBlink, &TFormParams::cBlinkClick},
        {cSnap, &TFormParams::cSnapClick},
        {cPopups, &TFormParams::cPopupsClick},
        {cEnableSounds, &TFormParams::cEnableSoundsClick},
        {cHistory, &TFormParams::cHistoryClick},
        {cHistoryLimit, &TFormParams::cHistoryLimitClick},
        {cAntiboss, &TFormParams::cAntibossClick},
        {cAntibossHotkey, &TFormParams::cAntibossHotkeyClick},
    };
    for (const auto& [box, handler] : switches)
        connect(box, &QCheckBox::toggled, this, handler);
}

QWidget* TFormParams::CreateGeneralPage()
{
    QWidget* page = NewPage(ParamsPageName(0));
    lblHotkeyToRestore = NewLabel(page, "lblHotkeyToRestore");
    hkAppHotkey = NewNamed<THotKeyEdit>(page, "hkAppHotkey");
    lblHotkeyToRestore->setBuddy(hkAppHotkey);
    lblSendMsgKey = NewLabel(page, "lblSendMsgKey");
    cbSendMsgKey = NewNamed<QComboBox>(page, "cbSendMsgKey");
    cbSendMsgKey->addItems({QStringLiteral("<Ctrl>+<Enter>"), QStringLiteral("<Enter>")});
    lblSendMsgKey->setBuddy(cbSendMsgKey);
    cSaveUserSettings = NewNamed<QCheckBox>(page, "cSaveUserSettings");
    cAutorun = NewNamed<QCheckBox>(page, "cAutorun");
    cTrayIcon = NewNamed<QCheckBox>(page, "cTrayIcon");
    cNoButtonOnTaskbar = NewNamed<QCheckBox>(page, "cNoButtonOnTaskbar");
    return page;
}

QWidget* TFormParams::CreateWindowPage()
{
    QWidget* page = NewPage(ParamsPageName(1));
    cBlink = NewNamed<QCheckBox>(page, "cBlink");
    lblTimesToBlink = NewLabel(page, "lblTimesToBlink");
    seTimesToBlink = NewSpin(page, "seTimesToBlink");
    lblTimesToBlink->setBuddy(seTimesToBlink);
    cSnap = NewNamed<QCheckBox>(page, "cSnap");
    lblThreshold = NewLabel(page, "lblThreshold");
    seThreshold = NewSpin(page, "seThreshold");
    lblThreshold->setBuddy(seThreshold);
    cMoveInsideDesktop = NewNamed<QCheckBox>(page, "cMoveInsideDesktop");
    cMinimizeOnClose = NewNamed<QCheckBox>(page, "cMinimizeOnClose");
    return page;
}

QWidget* TFormParams::CreatePopupsPage()
{
    QWidget* page = NewPage(ParamsPageName(2));
    cPopups = NewNamed<QCheckBox>(page, "cPopups");
    cPopupOnEnterLeave = NewNamed<QCheckBox>(page, "cPopupOnEnterLeave");
    cPopupOnPrivate = NewNamed<QCheckBox>(page, "cPopupOnPrivate");
    lblSecondsToShowPopup = NewLabel(page, "lblSecondsToShowPopup");
    seTimeToShowPopup = NewSpin(page, "seTimeToShowPopup");
    lblSecondsToShowPopup->setBuddy(seTimeToShowPopup);
    cAnimatedPopups = NewNamed<QCheckBox>(page, "cAnimatedPopups");
    return page;
}

QWidget* TFormParams::CreateSoundsPage()
{
    QWidget* page = NewPage(ParamsPageName(3));
    cEnableSounds = NewNamed<QCheckBox>(page, "cEnableSounds");
    cSoundIfInactive = NewNamed<QCheckBox>(page, "cSoundIfInactive");
    lvSoundFiles = NewNamed<QTreeWidget>(page, "lvSoundFiles");
    lvSoundFiles->setColumnCount(2);
    lvSoundFiles->setRootIsDecorated(false);
    lvSoundFiles->setItemsExpandable(false);
    lvSoundFiles->setUniformRowHeights(true);
    lvSoundFiles->setAllColumnsShowFocus(true);
    lvSoundFiles->setSelectionMode(QAbstractItemView::SingleSelection);
    lvSoundFiles->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvSoundFiles->setTextElideMode(Qt::ElideMiddle);
    lvSoundFiles->header()->setSectionsMovable(false);
    for (int row = 0; row < 3; ++row) {
        auto* item = new QTreeWidgetItem(lvSoundFiles);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Unchecked);
    }
    connect(lvSoundFiles, &QTreeWidget::itemDoubleClicked, this,
            [this] { btSelectSoundFileClick(); });
    btSelectSoundFile = NewNamed<QPushButton>(page, "btSelectSoundFile");
    connect(btSelectSoundFile, &QPushButton::clicked, this, [this] { btSelectSoundFileClick(); });
    return page;
}

QWidget* TFormParams::CreateNetworkPage()
{
    QWidget* page = NewPage(ParamsPageName(4));
    cbAdapters = NewNamed<QComboBox>(page, "cbAdapters");
    cbAdapters->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    connect(cbAdapters, &QComboBox::activated, this, [this] { cbAdaptersChange(); });
    lblIP = NewLabel(page, "lblIP");
    edIP = NewNamed<TIpAddressEdit>(page, "edIP");
    lblIP->setBuddy(edIP);
    btDefIP = NewNamed<QPushButton>(page, "btDefIP");
    connect(btDefIP, &QPushButton::clicked, this, [this] { btDefIPClick(); });
    lblPort = NewLabel(page, "lblPort");
    sePort = NewSpin(page, "sePort", udp_port);
    lblPort->setBuddy(sePort);
    btDefPort = NewNamed<QPushButton>(page, "btDefPort");
    connect(btDefPort, &QPushButton::clicked, this, [this] { btDefPortClick(); });
    return page;
}

QWidget* TFormParams::CreateHistoryPage()
{
    QWidget* page = NewPage(ParamsPageName(5));
    cHistory = NewNamed<QCheckBox>(page, "cHistory");
    lblHistoryFileName = NewLabel(page, "lblHistoryFileName");
    edHistoryFile = NewNamed<QLineEdit>(page, "edHistoryFile");
    edHistoryFile->installEventFilter(this);
    lblHistoryFileName->setBuddy(edHistoryFile);
    btHistoryFileSelect = NewNamed<QPushButton>(page, "btHistoryFileSelect");
    btHistoryFileSelect->setText(QStringLiteral("..."));
    connect(btHistoryFileSelect, &QPushButton::clicked, this,
            [this] { btHistoryFileSelectClick(); });
    cHistoryLimit = NewNamed<QCheckBox>(page, "cHistoryLimit");
    seFileSizeLimit = NewSpin(page, "seFileSizeLimit");
    lblHistoryFileSizeUnits = NewLabel(page, "lblHistoryFileSizeUnits");
    lblHistoryFileSizeUnits->setText(QStringLiteral("Kb"));
    return page;
}

QWidget* TFormParams::CreateAntibossPage()
{
    QWidget* page = NewPage(ParamsPageName(6));
    cAntiboss = NewNamed<QCheckBox>(page, "cAntiboss");
    lblAntibossAction = NewLabel(page, "lblAntibossAction");
    cbAntibossAction = NewNamed<QComboBox>(page, "cbAntibossAction");
    cbAntibossAction->addItems({QString(), QString()});
    lblAntibossAction->setBuddy(cbAntibossAction);
    cAntibossHotkey = NewNamed<QCheckBox>(page, "cAntibossHotkey");
    cbAntibossHotkey = NewNamed<QComboBox>(page, "cbAntibossHotkey");
    cbAntibossHotkey->addItems(
        {QStringLiteral("<Esc>"), QStringLiteral("<F12>"), QStringLiteral("<Pause>")});
    return page;
}

QWidget* TFormParams::CreateLanguagePage()
{
    QWidget* page = NewPage(ParamsPageName(7));
    lbLanguage = NewNamed<QListWidget>(page, "lbLanguage");
    lbLanguage->setSelectionMode(QAbstractItemView::SingleSelection);
    return page;
}
