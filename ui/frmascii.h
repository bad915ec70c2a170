#pragma once

// frmAscii, the program's one window. It owns every control and so all the state the user sees,
// and it lends that state to the code logic through kodvik::Fields. Everything a button or the
// repeat timer does is decided in core's CodeLogic; this class only translates Qt's events into
// its calls and its texts into the controls. The table file comes from table/, with a viewer
// starter handed in by main() (tests hand in a recorder).

#include "buttonkeys.h"
#include "codelogic.h"
#include "codetable.h"
#include "fields.h"
#include "portablenumbers.h"
#include "windows1252.h"

#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <array>

class FrmAscii final : public QWidget, public kodvik::Fields {
    Q_OBJECT

public:
    explicit FrmAscii(kodvik::ViewerStarter startViewer, QWidget* parent = nullptr);

    // The face of the labels and buttons. main() makes it the application's too, so the controls
    // are laid out in it from their creation and no other face is loaded at start.
    [[nodiscard]] static QFont windowFont();

    [[nodiscard]] std::u16string codeText() const override;
    void setCodeText(std::u16string_view text) override;
    [[nodiscard]] std::u16string characterText() const override;
    void setCharacterText(std::u16string_view text) override;
    void setNoteText(std::u16string_view text) override;
    void setRepeatTimerEnabled(bool enabled) override;
    void setRepeatInterval(int milliseconds) override;
    [[nodiscard]] kodvik::RepeatDirection repeatDirection() const override { return iBladdra; }
    void setRepeatDirection(kodvik::RepeatDirection direction) override { iBladdra = direction; }
    void showMessageBox(std::u16string_view text, std::u16string_view title) override;

    [[nodiscard]] bool repeatTimerEnabled() const { return tmrAsciiEnabled; }
    [[nodiscard]] int repeatTimerInterval() const { return tmrAscii->interval(); }
    // What the repeat timer does on each tick; tests call it to step without waiting.
    void tmrAsciiTick();
    // Tells the user that "Print" failed: at once, or later when the viewer's opener reports it.
    void showTableFailure(const kodvik::TableFailure& failure);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void print();
    void updateRepeatTimer();
    void endPress();

    QLineEdit* txtTecken = new QLineEdit(this);
    QLineEdit* txtAscii = new QLineEdit(this);
    QPushButton* cmdTecken = new QPushButton(QStringLiteral("Character"), this);
    QPushButton* cmdAscii = new QPushButton(QStringLiteral("ASCII"), this);
    std::array<QLabel*, 2> lblVisa{new QLabel(QStringLiteral("ASCII"), this),
                                   new QLabel(QStringLiteral("Character"), this)};
    QLabel* lblFinns = new QLabel(this);                                 // the note: "exists"
    QPushButton* cmdMindre = new QPushButton(QStringLiteral("<"), this); // "less"
    QPushButton* cmdMer = new QPushButton(QStringLiteral(">"), this);    // "more"
    QPushButton* cmdPrint = new QPushButton(QStringLiteral("Print"), this);

    // The timer runs only while enabled with an interval above 0; Qt's timer has no switch
    // apart from its interval, so the switch is kept here.
    QTimer* tmrAscii = new QTimer(this);
    bool tmrAsciiEnabled = false;
    kodvik::RepeatDirection iBladdra = kodvik::RepeatDirection::None; // "browse"

    // "<" or ">" while a mouse button holds it down, and whether that press has ended without
    // its release (so the release that may still come clicks nothing).
    QPushButton* heldButton = nullptr;
    bool pressEnded = false;
    ButtonKeys* buttonKeys = new ButtonKeys(this);

    kodvik::PortableNumbers numbers;
    kodvik::Windows1252 codePage;
    kodvik::CodeLogic logic{*this, numbers, codePage};
    kodvik::ViewerStarter startViewer;
};
