// The text cursor stops blinking after a spell without input and starts again with the next
// input. The spell is shortened to a few tens of milliseconds; every wait is bounded.
#include "cursorblink.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QStyleHints>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

constexpr int desktopFlashTime = 120;
constexpr int bound = 5000;

int flashTime()
{
    return QGuiApplication::styleHints()->cursorFlashTime();
}

// Counts the ticks of the line edit's blink timer, which Qt runs on its inner line control.
class BlinkTicks final : public QObject {
public:
    explicit BlinkTicks(QLineEdit* field)
    {
        for (QObject* child : field->children()) {
            if (qstrcmp(child->metaObject()->className(), "QWidgetLineControl") == 0) {
                child->installEventFilter(this);
                found = true;
            }
        }
    }
    bool found = false;
    int count = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        count += event->type() == QEvent::Timer ? 1 : 0;
        return QObject::eventFilter(watched, event);
    }
};

class CursorBlinkTest : public testing::Test {
protected:
    QWidget window;
    QLineEdit* field = new QLineEdit(&window);
    int savedFlashTime = flashTime();

    void SetUp() override
    {
        // A desktop's blink, quick enough to see several ticks within the bounds.
        QApplication::setCursorFlashTime(desktopFlashTime);
        (new QVBoxLayout(&window))->addWidget(field);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    void TearDown() override { QApplication::setCursorFlashTime(savedFlashTime); }

    static bool waitUntilStopped(const CursorBlink& blink)
    {
        return QTest::qWaitFor([&] { return !blink.blinking(); }, bound);
    }
};

TEST_F(CursorBlinkTest, StopsAfterTheSpellLeavingTheCursorShown)
{
    const CursorBlink blink(30ms);
    EXPECT_TRUE(blink.blinking());
    EXPECT_EQ(flashTime(), desktopFlashTime);
    ASSERT_TRUE(waitUntilStopped(blink));
    EXPECT_EQ(flashTime(), 0) << "a flash time of 0 shows the cursor without blinking";
}

TEST_F(CursorBlinkTest, TheFocusedFieldsBlinkTimerStops)
{
    window.activateWindow();
    field->setFocus();
    if (!QTest::qWaitFor([&] { return field->hasFocus(); }, bound)) {
        GTEST_SKIP() << "the platform gives no window the focus";
    }
    BlinkTicks ticks(field);
    ASSERT_TRUE(ticks.found) << "Qt's line edit no longer has its line control";
    // Spelled out: cppcheck 2.10 fails with an internal error on the literal 300ms.
    const CursorBlink blink(std::chrono::milliseconds(300));
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticks.count >= 2; }, bound)) << "not blinking";

    ASSERT_TRUE(waitUntilStopped(blink));
    ticks.count = 0;
    EXPECT_FALSE(QTest::qWaitFor([&] { return ticks.count > 0; }, 4 * desktopFlashTime))
        << "the blink timer still ticks";

    QTest::keyClick(field, Qt::Key_A);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks.count >= 2; }, bound)) << "did not restart";
}

struct Input {
    const char* name;
    std::function<void(QWidget*)> send;
};

class InputRestarts : public CursorBlinkTest, public testing::WithParamInterface<Input> {};

TEST_P(InputRestarts, TheBlinkAtOnceAndStopsAgainAfterTheSpell)
{
    const CursorBlink blink(30ms);
    ASSERT_TRUE(waitUntilStopped(blink));

    GetParam().send(field);
    EXPECT_TRUE(blink.blinking());
    EXPECT_EQ(flashTime(), desktopFlashTime);

    EXPECT_TRUE(waitUntilStopped(blink));
    EXPECT_EQ(flashTime(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    EachKind, InputRestarts,
    testing::Values(Input{"KeyPress", [](QWidget* w) { QTest::keyPress(w, Qt::Key_Shift); }},
                    Input{"KeyRelease", [](QWidget* w) { QTest::keyRelease(w, Qt::Key_Shift); }},
                    Input{"MouseClick", [](QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }},
                    Input{"MouseMove", [](QWidget* w) { QTest::mouseMove(w, QPoint(3, 3)); }},
                    Input{"Wheel",
                          [](QWidget* w) {
                              QWheelEvent wheel(QPointF(2, 2), w->mapToGlobal(QPointF(2, 2)),
                                                QPoint(), QPoint(0, 120), Qt::NoButton,
                                                Qt::NoModifier, Qt::NoScrollPhase, false);
                              QApplication::sendEvent(w, &wheel);
                          }}),
    [](const testing::TestParamInfo<Input>& info) { return std::string(info.param.name); });

TEST_F(CursorBlinkTest, OtherEventsLeaveItStopped)
{
    const CursorBlink blink(30ms);
    ASSERT_TRUE(waitUntilStopped(blink));
    field->setText(QStringLiteral("65"));
    field->repaint();
    window.hide();
    window.show();
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(field, &enter);
    QCoreApplication::processEvents();
    EXPECT_FALSE(blink.blinking());
    EXPECT_EQ(flashTime(), 0);
}

// However long input goes on, the blink stops one whole spell after the last of it.
TEST_F(CursorBlinkTest, InputPostponesTheStop)
{
    constexpr auto spell = 200ms;
    const CursorBlink blink(spell);
    QElapsedTimer sinceInput;
    for (int move = 0; move < 6; ++move) {
        QTest::mouseMove(field, QPoint(2 + move, 2));
        sinceInput.start();
        QElapsedTimer pause;
        pause.start();
        ASSERT_TRUE(QTest::qWaitFor([&] { return pause.hasExpired(spell.count() / 2); }, bound));
        EXPECT_TRUE(blink.blinking()) << "stopped while input went on, after move " << move;
    }
    ASSERT_TRUE(waitUntilStopped(blink));
    EXPECT_GE(sinceInput.elapsed(), spell.count());
}

TEST_F(CursorBlinkTest, EndingPutsTheBlinkBack)
{
    {
        const CursorBlink blink(30ms);
        ASSERT_TRUE(waitUntilStopped(blink));
    }
    EXPECT_EQ(flashTime(), desktopFlashTime);
}

} // namespace
