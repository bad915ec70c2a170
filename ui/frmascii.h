#pragma once

// frmAscii, the program's one window. It owns every control and so all the state the user sees,
// and it lends that state to the code logic through kodvik::Fields. The controls are made by
// walking window/'s form, and the press and hold of "<" and ">" is window/'s PressAndHold;
// everything a button or the repeat timer does is decided in core's CodeLogic. This class only
// translates Qt's events into their calls and their texts into the controls. The table file
// comes from table/, with a viewer starter handed in by main() (tests hand in a recorder).

#include "buttonkeys.h"
#include "codelogic.h"
#include "codetable.h"
#include "fields.h"
#include "form.h"
#include "portablenumbers.h"
#include "press.h"
#include "windows1252.h"

#include <QFont>
#include <QTimer>
#include <QWidget>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

class FrmAscii final : public QWidget, public kodvik::Fields, private kodvik::PressToolkit {
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
    void setRepeatTimerEnabled(bool enabled) override { press.setTimerEnabled(enabled); }
    void setRepeatInterval(int milliseconds) override { press.setInterval(milliseconds); }
    [[nodiscard]] kodvik::RepeatDirection repeatDirection() const override { return iBladdra; }
    void setRepeatDirection(kodvik::RepeatDirection direction) override { iBladdra = direction; }
    void showMessageBox(std::u16string_view text, std::u16string_view title) override;

    [[nodiscard]] bool repeatTimerEnabled() const { return press.timerEnabled(); }
    [[nodiscard]] int repeatTimerInterval() const { return press.interval(); }
    // What the repeat timer does on each tick; tests call it to step without waiting.
    void tmrAsciiTick() { press.tick(); }
    // Tells the user that "Print" failed: at once, or later when the viewer's opener reports it.
    void showTableFailure(const kodvik::TableFailure& failure);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool startRepeatTimer(int milliseconds) override;
    void stopRepeatTimer() override { tmrAscii->stop(); }
    void bringUp(kodvik::Control button) override;

    QWidget* makeControl(const kodvik::FormControl& control);
    template <typename Widget = QWidget> [[nodiscard]] Widget* control(kodvik::Control id) const
    {
        return static_cast<Widget*>(controls.at(static_cast<std::size_t>(id)));
    }
    void print();

    // In the form's order, made by walking it.
    std::array<QWidget*, kodvik::controlCount> controls{};
    QTimer* tmrAscii = new QTimer(this);
    kodvik::RepeatDirection iBladdra = kodvik::RepeatDirection::None; // "browse"
    ButtonKeys* buttonKeys = new ButtonKeys(this);

    kodvik::PortableNumbers numbers;
    kodvik::Windows1252 codePage;
    kodvik::CodeLogic logic{*this, numbers, codePage};
    kodvik::PressAndHold press{logic, *this};
    kodvik::ViewerStarter startViewer;
};
