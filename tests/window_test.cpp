// The window, driven by Qt Test's events on a fresh frmAscii per test.
#include "form.h"
#include "frmascii.h"
#include "programwindow.h"
#include "scratchdirectory.h"

#include <QAccessible>
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
#include <QAccessibleAnnouncementEvent>
#endif
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <array>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <iterator>
#include <optional>
#include <sys/wait.h>
#include <vector>

namespace {

using kodvik::RepeatDirection;

// What a message box showed before the test pressed its button.
struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    qsizetype buttons = 0;
    std::chrono::steady_clock::time_point seenAt;
};

// Presses OK on each message box that opens while it lives, from inside the box's own loop, and
// tells what the boxes said.
class BoxAnswerer {
public:
    BoxAnswerer()
    {
        answer.setInterval(10);
        QObject::connect(&answer, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                seen.push_back({box->windowTitle(), box->text(), box->icon(), box->buttons().size(),
                                std::chrono::steady_clock::now()});
                box->buttons().front()->click();
            }
        });
        answer.start();
    }

    std::vector<SeenBox> seen;

private:
    QTimer answer;
};

// What the window hands Qt's accessibility to tell screen readers. Qt hands on nothing while no
// screen reader listens, as on the offscreen platform, so the window is given this in its place.
std::vector<std::string> announced;
std::vector<std::chrono::steady_clock::time_point> announcedAt; // and when

void recordAnnouncement(QAccessibleEvent* event)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    if (const auto* announcement = dynamic_cast<QAccessibleAnnouncementEvent*>(event)) {
        announced.push_back(announcement->message().toStdString());
        announcedAt.push_back(std::chrono::steady_clock::now());
    }
#else
    QAccessibleInterface* shown = event->accessibleInterface();
    if (event->type() == QAccessible::ObjectShow && shown->role() == QAccessible::Notification) {
        announced.push_back(shown->text(QAccessible::Name).toStdString());
        announcedAt.push_back(std::chrono::steady_clock::now());
    }
#endif
}

class Window : public testing::Test {
protected:
    std::vector<std::string> viewerCalls;
    FrmAscii window{[this](std::string_view name) -> std::optional<std::string> {
                        viewerCalls.emplace_back(name);
                        return viewerFailure;
                    },
                    nullptr, recordAnnouncement};
    std::optional<std::string> viewerFailure;

    QLineEdit* txtTecken = child<QLineEdit>("txtTecken");
    QLineEdit* txtAscii = child<QLineEdit>("txtAscii");
    QPushButton* cmdTecken = child<QPushButton>("cmdTecken");
    QPushButton* cmdAscii = child<QPushButton>("cmdAscii");
    QPushButton* cmdMindre = child<QPushButton>("cmdMindre");
    QPushButton* cmdMer = child<QPushButton>("cmdMer");
    QPushButton* cmdPrint = child<QPushButton>("cmdPrint");
    QLabel* lblFinns = child<QLabel>("lblFinns");

    void SetUp() override
    {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    template <typename Widget> Widget* child(const char* name)
    {
        auto* widget = window.findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    // The message boxes that open while `action` runs, each answered with OK.
    static std::vector<SeenBox> answeringBoxes(const std::function<void()>& action)
    {
        const BoxAnswerer answerer;
        action();
        return answerer.seen;
    }
};

TEST_F(Window, StartsEmptyWithTheFocusInTheCharacterField)
{
    EXPECT_EQ(window.windowTitle().toStdU16String(), kodvik::title);
    EXPECT_EQ(window.size(),
              QSize(kodvik::pixels(kodvik::clientWidth), kodvik::pixels(kodvik::clientHeight)));
    EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "not resizable";
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(window.windowIcon().availableSizes().contains(QSize(16, 16)))
        << "no 16 x 16 icon of its own";
    EXPECT_EQ(window.focusWidget(), txtTecken);
    EXPECT_EQ(txtTecken->text(), "");
    EXPECT_EQ(txtAscii->text(), "");
    EXPECT_EQ(lblFinns->text(), "");
    EXPECT_FALSE(window.repeatTimerEnabled());
    EXPECT_EQ(window.repeatTimerInterval(), 0);
    EXPECT_EQ(window.repeatDirection(), RepeatDirection::None);
}

TEST_F(Window, PlacesEachControlOfTheFormInLogicalPixels)
{
    for (const auto& control : kodvik::form) {
        const QString name = QString::fromStdU16String(std::u16string(control.name));
        auto* widget = window.findChild<QWidget*>(name);
        ASSERT_NE(widget, nullptr) << name.toStdString();
        const auto& [left, top, width, height] = control.place;
        const QRect place(kodvik::pixels(left), kodvik::pixels(top), kodvik::pixels(width),
                          kodvik::pixels(height));
        // Labels size themselves to their text.
        EXPECT_EQ(widget->pos(), place.topLeft()) << name.toStdString();
        if (control.kind != kodvik::ControlKind::Label) {
            EXPECT_EQ(widget->size(), place.size()) << name.toStdString();
        }
        EXPECT_EQ(widget->property("text").toString().toStdU16String(), control.caption)
            << name.toStdString();
    }
    EXPECT_EQ(txtTecken->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(txtAscii->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    EXPECT_TRUE(txtAscii->font().bold());
    for (auto* button : window.findChildren<QPushButton*>()) {
        EXPECT_FALSE(button->isDefault() || button->autoDefault()) << button->objectName().data();
    }
}

TEST_F(Window, EveryNoteIsReadableLeftOfTheLessButton)
{
    for (const char* code : {"13", "256", "-1", "0", "8", "10"}) {
        txtAscii->setText(QString::fromLatin1(code));
        QTest::mouseClick(cmdTecken, Qt::LeftButton);
        EXPECT_FALSE(lblFinns->text().isEmpty()) << code;
        EXPECT_GE(lblFinns->width(), lblFinns->fontMetrics().horizontalAdvance(lblFinns->text()));
        EXPECT_LE(lblFinns->geometry().right(), cmdMindre->geometry().left()) << code;
    }
}

TEST_F(Window, TabRunsThroughTheFieldsThenTheButtons)
{
    const QWidget* const expected[] = {txtAscii, cmdTecken, cmdAscii, cmdMindre,
                                       cmdMer,   cmdPrint,  txtTecken};
    for (const QWidget* next : expected) {
        QTest::keyClick(window.focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(window.focusWidget(), next) << next->objectName().toStdString();
    }
    QTest::keyClick(window.focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(window.focusWidget(), cmdPrint);
}

TEST_F(Window, TypingStopsAtTheLimit)
{
    QTest::keyClicks(txtAscii, "1234");
    EXPECT_EQ(txtAscii->text(), "123");
    QTest::keyClicks(txtTecken, "AB");
    EXPECT_EQ(txtTecken->text(), "A");
    QTest::keyClick(txtTecken, Qt::Key_Home);
    QTest::keyClicks(txtTecken, "Z");
    EXPECT_EQ(txtTecken->text(), "A");
}

struct Paste {
    const char* field;
    QString before;
    QString clipboard;
    QString after;
};

void PrintTo(const Paste& paste, std::ostream* out)
{
    *out << paste.field << ": \"" << paste.before.toStdString() << "\" + paste \""
         << paste.clipboard.toStdString() << "\"";
}

class Pasting : public Window, public testing::WithParamInterface<Paste> {};

TEST_P(Pasting, KeepsTheLimitAndNeverSplitsACharacter)
{
    const auto& row = GetParam();
    auto* field = child<QLineEdit>(row.field);
    field->setText(row.before);
    QApplication::clipboard()->setText(row.clipboard);
    field->paste();
    EXPECT_EQ(field->text(), row.after);
}

const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");

INSTANTIATE_TEST_SUITE_P(
    Window, Pasting,
    testing::Values(Paste{"txtAscii", "", "98765", "987"}, Paste{"txtAscii", "1", "234", "123"},
                    Paste{"txtAscii", "123", "4", "123"}, Paste{"txtTecken", "", "AB", "A"},
                    Paste{"txtTecken", "A", "B", "A"},
                    // A character beyond the BMP fits whole or not at all.
                    Paste{"txtTecken", "", emoji, ""}, Paste{"txtAscii", "", emoji, emoji},
                    Paste{"txtAscii", "", emoji + "1", emoji + "1"},
                    Paste{"txtAscii", "1", emoji, "1" + emoji},
                    Paste{"txtAscii", "12", emoji, "12"},
                    Paste{"txtAscii", "", "1" + emoji + "2", "1" + emoji}));

TEST_F(Window, EnterAndEscapeInAFieldDoNothing)
{
    txtAscii->setText("65");
    for (const auto key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        QTest::keyClick(txtAscii, key);
    }
    EXPECT_EQ(txtTecken->text(), "");
    EXPECT_EQ(txtAscii->text(), "65");
    EXPECT_TRUE(window.isVisible());
}

TEST_F(Window, CharacterAndAsciiButtonsLookUp)
{
    txtAscii->setText("65");
    QTest::mouseClick(cmdTecken, Qt::LeftButton);
    EXPECT_EQ(txtTecken->text(), "A");

    txtTecken->setText(" ");
    QTest::mouseClick(cmdAscii, Qt::LeftButton);
    EXPECT_EQ(txtAscii->text(), "32");
    EXPECT_EQ(txtTecken->text(), "");
    EXPECT_EQ(lblFinns->text(), "Space");

    txtAscii->setText("255");
    QTest::mouseClick(cmdTecken, Qt::LeftButton);
    EXPECT_EQ(txtTecken->text(), QString(QChar(0xFF)));
}

TEST_F(Window, AQuickClickStepsOnce)
{
    QTest::mouseClick(cmdMer, Qt::LeftButton);
    EXPECT_EQ(txtAscii->text(), "0");
    EXPECT_EQ(lblFinns->text(), "Finns ej");
    EXPECT_FALSE(window.repeatTimerEnabled());
    EXPECT_EQ(window.repeatDirection(), RepeatDirection::None);

    txtAscii->clear();
    QTest::mouseClick(cmdMindre, Qt::LeftButton);
    EXPECT_EQ(txtAscii->text(), "255");
    EXPECT_EQ(txtTecken->text(), QString(QChar(0xFF)));
}

struct Press {
    Qt::MouseButton button;
    const char* on;
    RepeatDirection direction;
};

class Pressing : public Window, public testing::WithParamInterface<Press> {};

// Any mouse button repeats while held; only the primary one adds the click's step on release.
TEST_P(Pressing, RepeatsWhileHeld)
{
    const auto& [button, on, direction] = GetParam();
    auto* target = child<QPushButton>(on);
    txtAscii->setText("64");
    QTest::mousePress(target, button);
    EXPECT_TRUE(window.repeatTimerEnabled());
    EXPECT_EQ(window.repeatTimerInterval(), 500);
    EXPECT_EQ(window.repeatDirection(), direction);

    window.tmrAsciiTick();
    window.tmrAsciiTick();
    const bool up = direction == RepeatDirection::Up;
    EXPECT_EQ(txtAscii->text(), up ? "66" : "62");

    QTest::mouseRelease(target, button);
    EXPECT_FALSE(window.repeatTimerEnabled());
    EXPECT_EQ(window.repeatDirection(), RepeatDirection::None);
    const bool clicked = button == Qt::LeftButton;
    EXPECT_EQ(txtAscii->text(), clicked ? (up ? "67" : "61") : (up ? "66" : "62"));
}

INSTANTIATE_TEST_SUITE_P(Window, Pressing,
                         testing::Values(Press{Qt::LeftButton, "cmdMer", RepeatDirection::Up},
                                         Press{Qt::RightButton, "cmdMer", RepeatDirection::Up},
                                         Press{Qt::MiddleButton, "cmdMer", RepeatDirection::Up},
                                         Press{Qt::LeftButton, "cmdMindre", RepeatDirection::Down},
                                         Press{Qt::RightButton, "cmdMindre",
                                               RepeatDirection::Down}));

TEST_F(Window, ReleaseElsewhereEndsTheRepeatWithoutAStep)
{
    txtAscii->setText("64");
    QTest::mousePress(cmdMer, Qt::LeftButton);
    window.tmrAsciiTick();
    QTest::mouseRelease(cmdMer, Qt::LeftButton, {}, QPoint(-20, -20));
    EXPECT_EQ(txtAscii->text(), "65");
    EXPECT_FALSE(window.repeatTimerEnabled());
}

TEST_F(Window, KeyboardActivationStepsOnceWithoutRepeat)
{
    txtAscii->setText("64");
    cmdMer->setFocus();
    QTest::keyPress(cmdMer, Qt::Key_Space);
    EXPECT_FALSE(window.repeatTimerEnabled());
    QTest::keyRelease(cmdMer, Qt::Key_Space);
    EXPECT_EQ(txtAscii->text(), "65");
    EXPECT_FALSE(window.repeatTimerEnabled());
}

// What a key on a focused button sends: its press or release, whether the toolkit marked it as
// autorepeat, and the X server's time stamp.
struct KeyStroke {
    bool press;
    bool autoRepeat;
    ulong timestamp;
};

struct HeldKey {
    const char* name;
    const char* on;
    Qt::Key key;
    std::vector<KeyStroke> strokes;
    const char* codeAfter; // from "64"
};

void PrintTo(const HeldKey& held, std::ostream* out)
{
    *out << held.name;
}

class KeyOnButton : public Window, public testing::WithParamInterface<HeldKey> {};

// Each press and release of Space or Enter clicks once, whatever a held key sends meanwhile.
TEST_P(KeyOnButton, ClicksOncePerPressAndRelease)
{
    const auto& held = GetParam();
    auto* button = child<QPushButton>(held.on);
    txtAscii->setText("64");
    button->setFocus();
    const auto modifiers = held.key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
    for (const auto& stroke : held.strokes) {
        QKeyEvent event(stroke.press ? QEvent::KeyPress : QEvent::KeyRelease, held.key, modifiers,
                        QString(), stroke.autoRepeat);
        event.setTimestamp(stroke.timestamp);
        QApplication::sendEvent(button, &event);
        EXPECT_FALSE(window.repeatTimerEnabled());
    }
    EXPECT_EQ(txtAscii->text(), held.codeAfter);
    EXPECT_FALSE(button->isDown());
}

// An X server repeats a held key as release/press pairs with one time stamp, which the toolkit
// marks as autorepeat only when it sees the press in time; with detectable autorepeat it sends
// presses only.
const std::vector<KeyStroke> pairsMarked{{true, false, 100}, {false, true, 760},
                                         {true, true, 760},  {false, true, 800},
                                         {true, true, 800},  {false, false, 1300}};
const std::vector<KeyStroke> pairsUnmarked{{true, false, 100}, {false, false, 760},
                                           {true, false, 760}, {false, false, 800},
                                           {true, false, 800}, {false, false, 1300}};
const std::vector<KeyStroke> pressesOnly{
    {true, false, 100}, {true, false, 760}, {true, false, 800}, {false, false, 1300}};
const std::vector<KeyStroke> twoTaps{
    {true, false, 100}, {false, false, 200}, {true, false, 300}, {false, false, 400}};

INSTANTIATE_TEST_SUITE_P(
    Window, KeyOnButton,
    testing::Values(
        HeldKey{"SpaceHeldPairsMarked", "cmdMer", Qt::Key_Space, pairsMarked, "65"},
        HeldKey{"SpaceHeldPairsUnmarked", "cmdMer", Qt::Key_Space, pairsUnmarked, "65"},
        HeldKey{"SpaceHeldPressesOnly", "cmdMer", Qt::Key_Space, pressesOnly, "65"},
        HeldKey{"SpaceTappedTwice", "cmdMer", Qt::Key_Space, twoTaps, "66"},
        HeldKey{"ReturnTappedTwice", "cmdMer", Qt::Key_Return, twoTaps, "66"},
        HeldKey{"ReturnHeldPairsUnmarked", "cmdMindre", Qt::Key_Return, pairsUnmarked, "63"},
        HeldKey{"KeypadEnterHeldPressesOnly", "cmdMer", Qt::Key_Enter, pressesOnly, "65"},
        HeldKey{"ReturnOnCharacterLooksUpNothingToStep", "cmdTecken", Qt::Key_Return, twoTaps,
                "64"}),
    [](const testing::TestParamInfo<HeldKey>& info) { return std::string(info.param.name); });

TEST_F(Window, EnterOnAFocusedButtonClicksIt)
{
    txtAscii->setText("65");
    cmdTecken->setFocus();
    QTest::keyClick(cmdTecken, Qt::Key_Return);
    EXPECT_EQ(txtTecken->text(), "A");
    txtTecken->setText("B");
    cmdAscii->setFocus();
    QTest::keyClick(cmdAscii, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(txtAscii->text(), "66");
    for (QPushButton* button : {cmdTecken, cmdAscii, cmdMindre, cmdMer, cmdPrint}) {
        EXPECT_FALSE(button->isDefault());
    }
}

// A press of ">" that ends without its release reaching the button ends the repeat, and the
// release that may still come gives no step.
enum class PressEnd {
    WindowHidden,
    WindowMinimised,
    WindowDeactivated,
    PopupOpened,
    ButtonHidden,
    ButtonDisabled
};

void PrintTo(PressEnd end, std::ostream* out)
{
    constexpr std::array names{"WindowHidden", "WindowMinimised", "WindowDeactivated",
                               "PopupOpened",  "ButtonHidden",    "ButtonDisabled"};
    *out << names.at(static_cast<std::size_t>(end));
}

class EndingAPress : public Window, public testing::WithParamInterface<PressEnd> {};

TEST_P(EndingAPress, StopsTheRepeatWithoutAStep)
{
    QWidget other;
    QMenu popup;
    popup.addAction(QStringLiteral("Other"));
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    txtAscii->setText("64");
    QTest::mousePress(cmdMer, Qt::LeftButton);
    ASSERT_TRUE(window.repeatTimerEnabled());
    switch (GetParam()) {
    case PressEnd::WindowHidden:
        window.hide();
        window.show();
        break;
    case PressEnd::WindowMinimised:
        window.showMinimized();
        window.showNormal();
        break;
    case PressEnd::WindowDeactivated:
        other.show();
        other.activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !window.isActiveWindow(); }, 5000));
        break;
    case PressEnd::PopupOpened:
        popup.popup(window.mapToGlobal(QPoint(0, 0)));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&popup));
        popup.close();
        break;
    case PressEnd::ButtonHidden:
        cmdMer->hide();
        cmdMer->show();
        break;
    case PressEnd::ButtonDisabled:
        cmdMer->setEnabled(false);
        cmdMer->setEnabled(true);
        break;
    }
    EXPECT_FALSE(window.repeatTimerEnabled());
    EXPECT_EQ(window.repeatDirection(), RepeatDirection::None);
    window.tmrAsciiTick();
    QTest::mouseMove(cmdMer);
    QTest::mouseRelease(cmdMer, Qt::LeftButton);
    EXPECT_EQ(txtAscii->text(), "64");
}

INSTANTIATE_TEST_SUITE_P(Window, EndingAPress,
                         testing::Values(PressEnd::WindowHidden, PressEnd::WindowMinimised,
                                         PressEnd::WindowDeactivated, PressEnd::PopupOpened,
                                         PressEnd::ButtonHidden, PressEnd::ButtonDisabled),
                         [](const testing::TestParamInfo<PressEnd>& info) {
                             return testing::PrintToString(info.param);
                         });

TEST_F(Window, DoubleClickStepsTwice)
{
    txtAscii->setText("64");
    QTest::mouseClick(cmdMer, Qt::LeftButton);
    QTest::mouseDClick(cmdMer, Qt::LeftButton);
    QTest::mouseRelease(cmdMer, Qt::LeftButton);
    EXPECT_EQ(txtAscii->text(), "66");
    EXPECT_FALSE(window.repeatTimerEnabled());
}

TEST_F(Window, TickWithoutDirectionStopsTheTimer)
{
    window.setRepeatTimerEnabled(true);
    window.setRepeatInterval(500);
    window.tmrAsciiTick();
    EXPECT_FALSE(window.repeatTimerEnabled());
}

TEST_F(Window, TimerWithoutIntervalNeverTicks)
{
    txtAscii->setText("64");
    window.setRepeatDirection(RepeatDirection::Up);
    window.setRepeatTimerEnabled(true);
    auto* tmrAscii = window.findChild<QTimer*>("tmrAscii");
    ASSERT_NE(tmrAscii, nullptr);
    EXPECT_FALSE(tmrAscii->isActive());
    window.setRepeatInterval(500);
    EXPECT_TRUE(tmrAscii->isActive());
    EXPECT_EQ(tmrAscii->timerType(), Qt::PreciseTimer);
    window.setRepeatInterval(0);
    EXPECT_FALSE(tmrAscii->isActive());
}

TEST_F(Window, ANewIntervalRestartsTheRunningTimer)
{
    window.setRepeatTimerEnabled(true);
    window.setRepeatInterval(500);
    window.setRepeatInterval(250);
    auto* tmrAscii = window.findChild<QTimer*>("tmrAscii");
    ASSERT_NE(tmrAscii, nullptr);
    EXPECT_TRUE(tmrAscii->isActive());
    EXPECT_EQ(tmrAscii->interval(), 250);
}

TEST_F(Window, MessageBoxCodeShowsTheBoxAndHalts)
{
    txtAscii->setText("129");
    QTest::mousePress(cmdMer, Qt::LeftButton);
    const auto boxes = answeringBoxes([&] { window.tmrAsciiTick(); });

    ASSERT_EQ(boxes.size(), 1U);
    EXPECT_EQ(boxes[0].title, "ASCII <-> Character");
    EXPECT_EQ(boxes[0].text,
              "Character for ASCII value 130 is \n\n" + QString(20, u' ') + QChar(0x201A));
    EXPECT_EQ(boxes[0].icon, QMessageBox::NoIcon);
    EXPECT_EQ(boxes[0].buttons, 1);
    EXPECT_EQ(txtAscii->text(), "130");
    EXPECT_EQ(txtTecken->text(), "");
    // Halted: the direction stays, the timer is off and stays off.
    EXPECT_FALSE(window.repeatTimerEnabled());
    EXPECT_FALSE(window.findChild<QTimer*>("tmrAscii")->isActive());
    EXPECT_EQ(window.repeatDirection(), RepeatDirection::Up);

    QTest::mouseRelease(cmdMer, Qt::LeftButton, {}, QPoint(-20, -20));
    EXPECT_EQ(window.repeatDirection(), RepeatDirection::None);
    EXPECT_EQ(txtAscii->text(), "130");
}

TEST_F(Window, PrintWritesTheTableAndStartsTheViewerOnce)
{
    const ScratchDirectory scratch;
    const auto boxes = answeringBoxes([&] { QTest::mouseClick(cmdPrint, Qt::LeftButton); });
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(viewerCalls, std::vector<std::string>{"ascii.txt"});
    // In UTF-8, which a Linux viewer reads.
    EXPECT_EQ(readFile(scratch.path / "ascii.txt"),
              kodvik::tableContent(kodvik::Windows1252{}, kodvik::TableEncoding::Utf8));
}

TEST_F(Window, PrintFailureIsShownWithTheReason)
{
    const ScratchDirectory scratch;
    std::filesystem::create_directory(scratch.path / "ascii.txt");
    auto boxes = answeringBoxes([&] { QTest::mouseClick(cmdPrint, Qt::LeftButton); });
    ASSERT_EQ(boxes.size(), 1U);
    EXPECT_TRUE(boxes[0].text.startsWith("Could not write ascii.txt: "))
        << boxes[0].text.toStdString();
    EXPECT_GT(boxes[0].text.size(), QString("Could not write ascii.txt: ").size());
    EXPECT_TRUE(viewerCalls.empty());

    std::filesystem::remove(scratch.path / "ascii.txt");
    viewerFailure = "no viewer here";
    boxes = answeringBoxes([&] { QTest::mouseClick(cmdPrint, Qt::LeftButton); });
    ASSERT_EQ(boxes.size(), 1U);
    EXPECT_EQ(boxes[0].text, "Could not open ascii.txt in a viewer: no viewer here");
    EXPECT_TRUE(std::filesystem::is_regular_file(scratch.path / "ascii.txt"));
}

TEST_F(Window, EveryControlHasASpokenName)
{
    const struct {
        const char* name;
        QString spoken;
    } rows[] = {
        {"txtTecken", "Character"}, {"txtAscii", "ASCII"},          {"cmdTecken", "Character"},
        {"cmdAscii", "ASCII"},      {"cmdMindre", "Previous code"}, {"cmdMer", "Next code"},
        {"cmdPrint", "Print"},      {"lblVisa0", "ASCII"},          {"lblVisa1", "Character"}};
    for (const auto& row : rows) {
        QAccessibleInterface* accessible =
            QAccessible::queryAccessibleInterface(child<QWidget>(row.name));
        ASSERT_NE(accessible, nullptr) << row.name;
        EXPECT_EQ(accessible->text(QAccessible::Name), row.spoken) << row.name;
    }
    txtAscii->setText("13");
    QTest::mouseClick(cmdTecken, Qt::LeftButton);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(lblFinns)->text(QAccessible::Name),
              "carriage return");
}

TEST_F(Window, AnnouncesEachAnswerOnceAndNothingBesideABox)
{
    announced.clear();
    announcedAt.clear();
    // Nothing of the window's runs once it has said all it had to say.
    const auto quiet = [this] {
        return std::ranges::none_of(window.findChildren<QTimer*>(), &QTimer::isActive);
    };
    txtAscii->setText("65");
    QTest::mouseClick(cmdTecken, Qt::LeftButton);
    txtAscii->setText("130");
    answeringBoxes([&] { QTest::mouseClick(cmdTecken, Qt::LeftButton); });
    // A hold that ends without a click: answered once it has ended, or as it steps.
    txtAscii->setText("70");
    QTest::mousePress(cmdMer, Qt::RightButton);
    window.tmrAsciiTick();
    QTest::mouseRelease(cmdMer, Qt::RightButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return announced.size() == 2 && quiet(); }, 2000));
    EXPECT_EQ(announced, (std::vector<std::string>{"65 A", "71 G"}));
    // Orca ignores an announcement that comes within a tenth of a second of the one before, so the
    // answers of quick clicks wait for a pause, each in place of the one before.
    for (int click = 0; click < 3; ++click) {
        QTest::mouseClick(cmdMer, Qt::LeftButton);
    }
    ASSERT_TRUE(QTest::qWaitFor(quiet, 2000));
    EXPECT_EQ(announced.back(), "74 J");
    // Quick clicks into a box: what waited for a pause is not said after the box.
    txtAscii->setText("127");
    QTest::mouseClick(cmdTecken, Qt::LeftButton);
    const auto boxes = answeringBoxes([&] {
        for (int click = 0; click < 3; ++click) {
            QTest::mouseClick(cmdMer, Qt::LeftButton);
        }
    });
    ASSERT_EQ(boxes.size(), 1U);
    ASSERT_TRUE(QTest::qWaitFor(quiet, 2000));
    EXPECT_LT(announcedAt.back(), boxes[0].seenAt) << announced.back();
    for (std::size_t next = 1; next < announcedAt.size(); ++next) {
        EXPECT_GE(announcedAt[next] - announcedAt[next - 1], std::chrono::milliseconds(100))
            << announced[next];
    }
}

// The one test on the real clock: two ticks of a held ">" take about a second. Only the lower
// bound is tight, as a loaded machine may run late but never early.
TEST_F(Window, HeldButtonStepsEveryHalfSecond)
{
    txtAscii->setText("64");
    QElapsedTimer clock;
    clock.start();
    QTest::mousePress(cmdMer, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return txtAscii->text() == "65"; }, 5000));
    const qint64 first = clock.elapsed();
    ASSERT_TRUE(QTest::qWaitFor([&] { return txtAscii->text() == "66"; }, 5000));
    const qint64 second = clock.elapsed();
    QTest::mouseRelease(cmdMer, Qt::LeftButton);
    EXPECT_EQ(txtAscii->text(), "67");
    EXPECT_GE(first, 490);
    EXPECT_GE(second, 990);
    EXPECT_LT(second, 4000);
}

// "Print" with the desktop's opener played by a script, which notes its pid and the file it was
// given, waits until the test creates "go", and exits with the status the test chose.
class Opening : public testing::Test {
protected:
    ScratchDirectory scratch;
    std::optional<ProgramWindow> program;
    FrmAscii* window = nullptr;

    void startWindow(int openerStatus)
    {
        const auto opener = scratch.path / "opener";
        writeFile(opener, "#!/bin/sh\n"
                          "echo $$ > pid; printf %s \"$1\" > given\n"
                          "for i in $(seq 600); do [ -e go ] && exit " +
                              std::to_string(openerStatus) +
                              "; sleep 0.05; done\n"
                              "exit 9\n");
        std::filesystem::permissions(opener, std::filesystem::perms::owner_all);
        program.emplace(QString::fromStdString(opener.string()));
        window = &program->window();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    }

    // Clicks "Print" and gives the opener's pid once it has started.
    pid_t print()
    {
        QTest::mouseClick(window->findChild<QPushButton*>("cmdPrint"), Qt::LeftButton);
        EXPECT_TRUE(QTest::qWaitFor([] { return !readFile("pid").empty(); }, 5000));
        return static_cast<pid_t>(std::stol("0" + readFile("pid")));
    }

    // Still running, not a zombie waiting to be reaped.
    static bool running(pid_t pid)
    {
        const std::string stat = readFile("/proc/" + std::to_string(pid) + "/stat");
        return !stat.empty() && stat.find(") Z ") == std::string::npos;
    }

    static bool gone(pid_t pid) { return !std::filesystem::exists("/proc/" + std::to_string(pid)); }
};

struct OpenerFailure {
    int status;
    const char* reason;
};

void PrintTo(const OpenerFailure& failure, std::ostream* out)
{
    *out << "exit status " << failure.status;
}

class FailingOpener : public Opening, public testing::WithParamInterface<OpenerFailure> {};

TEST_P(FailingOpener, IsShownWithItsReason)
{
    startWindow(GetParam().status);
    BoxAnswerer answerer;
    const pid_t pid = print();
    EXPECT_TRUE(answerer.seen.empty()) << "Print waited for the opener";
    writeFile("go", "");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !answerer.seen.empty(); }, 5000));
    EXPECT_EQ(answerer.seen[0].text.toStdString(),
              std::string("Could not open ascii.txt in a viewer: ") + GetParam().reason);
    EXPECT_EQ(readFile("given"), (scratch.path / "ascii.txt").string());
    EXPECT_EQ(readFile("ascii.txt"),
              kodvik::tableContent(kodvik::Windows1252{}, kodvik::TableEncoding::Utf8));
    EXPECT_TRUE(gone(pid));
}

// The exit statuses that xdg-open documents, and one it does not.
INSTANTIATE_TEST_SUITE_P(
    ExitStatus, FailingOpener,
    testing::Values(OpenerFailure{1, "the opener did not understand its command line"},
                    OpenerFailure{2, "the opener did not find the file"},
                    OpenerFailure{3, "no application is set to open text files"},
                    OpenerFailure{4, "the application for text files could not open it"},
                    OpenerFailure{5, "the opener ended with status 5"}),
    [](const testing::TestParamInfo<OpenerFailure>& info) {
        return std::to_string(info.param.status);
    });

// Each Print watches its opener until it ends, and then lets go of what it watched it with.
TEST_F(Opening, AnOpenerThatEndsLeavesNoFileOpen)
{
    startWindow(0);
    writeFile("go", "");
    const auto printUntilReaped = [this] {
        std::filesystem::remove("pid");
        const pid_t pid = print();
        return QTest::qWaitFor([&] { return gone(pid); }, 5000);
    };
    const auto openFiles = [] {
        return std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                             std::filesystem::directory_iterator());
    };
    // The first Print may open what every later one shares.
    ASSERT_TRUE(printUntilReaped());
    const auto before = openFiles();
    for (int round = 0; round < 3; ++round) {
        ASSERT_TRUE(printUntilReaped());
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return openFiles() <= before; }, 5000))
        << openFiles() - before << " more files open after three Prints";
}

TEST_F(Opening, AnOpenerThatSucceedsLaterIsReapedWithoutAWord)
{
    startWindow(0);
    BoxAnswerer answerer;
    const pid_t pid = print();
    EXPECT_TRUE(running(pid)) << "Print waited for the opener";
    writeFile("go", "");
    // Reaped and judged in one go: a box would have been answered by the time the pid is gone.
    ASSERT_TRUE(QTest::qWaitFor([&] { return gone(pid); }, 5000)) << "left as a zombie";
    EXPECT_TRUE(answerer.seen.empty());
}

TEST_F(Opening, AnOpenerStillRunningOutlivesTheWindow)
{
    startWindow(0);
    const pid_t pid = print();
    program.reset();
    EXPECT_TRUE(running(pid));
    writeFile("go", "");
    int status = -1;
    EXPECT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the opener was ended";
}

} // namespace
