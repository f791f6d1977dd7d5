#pragma once

#include <QDialog>

class QLabel;
class TLangControl;

// "About Zelkit Chat": the logo, the version, a link to the home page, a link for writing to
// support and the maker's notice, on white, at the fixed size of its design. Any character
// key closes it, as does the title bar's button. Made for one showing (modal) and freed after.
class TFormAbout final : public QDialog
{
    Q_OBJECT

public:
    static constexpr int ClientWidth = 396;
    static constexpr int ClientHeight = 314;

    // Centred over mainForm (its parent) at each showing, when there is one.
    explicit TFormAbout(QWidget* mainForm = nullptr);
    ~TFormAbout() override;
    Q_DISABLE_COPY_MOVE(TFormAbout)

    // The caption from the string table in use.
    void ApplyLanguage(const TLangControl& lang);

    // What a link label opens: its hint, which is never shown as a tooltip.
    static QString LinkTarget(const QLabel& link);

    // Handlers, named after the control and the event.
    void FormCreate();
    void FormShow();
    void FormKeyPress(const QString& text);
    void LinkClick(const QLabel& link);
    void LinkMouseEnter(QLabel& link);
    void LinkMouseLeave(QLabel& link);

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    QLabel* AddLink(const char* name, const QString& text, const QString& target, int top);

    QWidget* FMainForm = nullptr;
    // Owned by the dialog through their Qt parents.
    QWidget* PanelMain = nullptr;
    QLabel* ImageTrademark = nullptr;
    QLabel* lbVersion = nullptr;
    QLabel* HomeLink = nullptr;
    QLabel* SupportLink = nullptr;
    QLabel* Copyright = nullptr;
};
