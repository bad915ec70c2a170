#pragma once

// frmAscii, the program's one window. It owns every control and so all the state the user sees,
// and it lends that state to the code logic through kodvik::Fields. Each control is made from its
// row of window/'s form, what a click runs is window/'s click table, and the press and hold of "<"
// and ">" is window/'s PressAndHold; everything a button or the repeat timer does to the fields
// is decided in core's CodeLogic, and what screen readers hear of it in window/'s Spoken, which
// the Announcer delivers. This class only translates Qt's events into their calls and their
// texts into the controls. The table file comes from table/, with a viewer starter handed in by
// main() (tests hand in a recorder).

#include "announcer.h"
#include "buttonkeys.h"
#include "codelogic.h"
#include "codetable.h"
#include "fields.h"
#include "form.h"
#include "portablenumbers.h"
#include "press.h"
#include "spoken.h"
#include "windows1252.h"

#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <type_traits>

class FrmAscii final : public QWidget,
                       public kodvik::Fields,
                       private kodvik::PressToolkit,
                       private kodvik::Voice {
    Q_OBJECT

public:
    explicit FrmAscii(kodvik::ViewerStarter startViewer, QWidget* parent = nullptr,
                      Announcer::Deliver announce = &QAccessible::updateAccessibility);

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
    void say(std::u16string_view utterance) override;
    void hush() override { announcer->hush(); }
    // Before Qt 6.8, a held button is answered once it has been let go.
    [[nodiscard]] kodvik::Spoken::RunLater afterThisEvent();

    // A control as its row of the form makes it: a field, a button or a label, by its kind. Each
    // control is a member of the type its kind makes, so none can be taken for another.
    template <kodvik::Control id>
    using WidgetOf = std::conditional_t<
        kodvik::formControl(id).kind == kodvik::ControlKind::Field, QLineEdit,
        std::conditional_t<kodvik::formControl(id).kind == kodvik::ControlKind::Button, QPushButton,
                           QLabel>>;
    template <kodvik::Control id> [[nodiscard]] WidgetOf<id>* make()
    {
        constexpr const kodvik::FormControl& control = kodvik::formControl(id);
        if constexpr (control.kind == kodvik::ControlKind::Field) {
            return makeField(control);
        } else if constexpr (control.kind == kodvik::ControlKind::Button) {
            return makeButton(control);
        } else {
            return makeLabel(control);
        }
    }
    QLineEdit* makeField(const kodvik::FormControl& control);
    QPushButton* makeButton(const kodvik::FormControl& control);
    QLabel* makeLabel(const kodvik::FormControl& control);
    template <typename Widget> Widget* placed(Widget* widget, const kodvik::FormControl& control);
    // "<" or ">", the two buttons that repeat while held.
    [[nodiscard]] QPushButton* repeatButton(kodvik::Control id) const;
    void print();

    ButtonKeys* buttonKeys = new ButtonKeys(this);
    // Made in the form's order, which is the tab order.
    QLineEdit* txtTecken = make<kodvik::Control::txtTecken>();
    QLineEdit* txtAscii = make<kodvik::Control::txtAscii>();
    QPushButton* cmdTecken = make<kodvik::Control::cmdTecken>();
    QPushButton* cmdAscii = make<kodvik::Control::cmdAscii>();
    QLabel* lblVisa0 = make<kodvik::Control::lblVisa0>();
    QLabel* lblVisa1 = make<kodvik::Control::lblVisa1>();
    QLabel* lblFinns = make<kodvik::Control::lblFinns>();
    QPushButton* cmdMindre = make<kodvik::Control::cmdMindre>();
    QPushButton* cmdMer = make<kodvik::Control::cmdMer>();
    QPushButton* cmdPrint = make<kodvik::Control::cmdPrint>();
    QTimer* tmrAscii = new QTimer(this);
    kodvik::RepeatDirection iBladdra = kodvik::RepeatDirection::None; // "browse"

    kodvik::PortableNumbers numbers;
    kodvik::Windows1252 codePage;
    Announcer* announcer;
    kodvik::Spoken spoken{*this, *this, afterThisEvent()};
    kodvik::CodeLogic logic{spoken, numbers, codePage};
    kodvik::PressAndHold press{logic, spoken, *this};
    kodvik::ViewerStarter startViewer;
};
