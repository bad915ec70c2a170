#include "frmascii.h"

#include "click.h"
#include "text.h"

#include <QEvent>
#include <QFocusEvent>
#include <QFont>
#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QValidator>

namespace {

using kodvik::Control;

// A field's limit counts UTF-16 units, as QLineEdit's maximum length does; this refuses an edit
// that the limit would cut between the two halves of a character beyond the BMP, so an emoji
// is taken whole or not at all.
class WholeCharacters final : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int& /*position*/) const override
    {
        const std::u16string_view text(reinterpret_cast<const char16_t*>(input.utf16()),
                                       static_cast<std::size_t>(input.size()));
        return kodvik::wholeCharactersOf(text).size() == text.size() ? Acceptable : Invalid;
    }
};

QString toQString(std::u16string_view text)
{
    return QString(reinterpret_cast<const QChar*>(text.data()),
                   static_cast<qsizetype>(text.size()));
}

// The icon in the sizes a title bar and a task switcher ask for. Each is read as the PNG it is:
// left to guess, Qt's image reader would load every image-format plugin at each start to ask.
QIcon programIcon()
{
    QIcon icon;
    for (const int size : {16, 32, 48, 64}) {
        QImageReader reader(QStringLiteral(":/icons/kodvik-%1.png").arg(size), "png");
        reader.setAutoDetectImageFormat(false);
        icon.addPixmap(QPixmap::fromImage(reader.read()));
    }
    return icon;
}

// The frame's buttons, as Qt's hints ask for them.
Qt::WindowFlags frameFlags()
{
    Qt::WindowFlags flags =
        Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    flags.setFlag(Qt::WindowMinimizeButtonHint, kodvik::frame.minimiseBox);
    flags.setFlag(Qt::WindowMaximizeButtonHint, kodvik::frame.maximiseBox);
    return flags;
}

} // namespace

QFont FrmAscii::windowFont()
{
    // Liberation Sans, so the longest note, "Finns ej (> 255)", ends left of the "<" button. The
    // window was drawn in MS Sans Serif, a Windows bitmap face that no Linux desktop has: asking
    // for it first only cost a failed font search at every start.
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    return font;
}

FrmAscii::FrmAscii(kodvik::ViewerStarter startViewer, QWidget* parent, Announcer::Deliver announce)
    : QWidget(parent, frameFlags()), numbers(QLocale::system().decimalPoint().front().unicode()),
      announcer(new Announcer(this, announce)), startViewer(std::move(startViewer))
{
    setObjectName(QStringLiteral("frmAscii"));
    setWindowTitle(toQString(kodvik::title));
    setWindowIcon(programIcon());
    // Places are given in twips; at 15 to a logical pixel Qt's high-DPI scaling takes it from
    // there.
    setFixedSize(kodvik::pixels(kodvik::clientWidth), kodvik::pixels(kodvik::clientHeight));
    setFont(windowFont());
    // The headings size themselves to their text in the window's face, now that it is set.
    lblVisa0->adjustSize();
    lblVisa1->adjustSize();
    // The headings are their fields' labels to screen readers too.
    lblVisa0->setBuddy(txtAscii);
    lblVisa1->setBuddy(txtTecken);
    txtTecken->setFocus();

    tmrAscii->setObjectName(QStringLiteral("tmrAscii"));
    // The coarse timer may drift by 5 %; held steps are meant to come every 500 ms.
    tmrAscii->setTimerType(Qt::PreciseTimer);

    connect(tmrAscii, &QTimer::timeout, this, &FrmAscii::tmrAsciiTick);
    // QPushButton signals only the primary button's press; every button starts and ends a
    // repeat, so the mouse events of "<" and ">" are read as they arrive.
    cmdMer->installEventFilter(this);
    cmdMindre->installEventFilter(this);
}

QLineEdit* FrmAscii::makeField(const kodvik::FormControl& control)
{
    auto* field = placed(new QLineEdit(this), control);
    field->setMaxLength(control.maxLength);
    field->setAlignment(control.centred ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
    // In pixels, as the places are: the layout keeps its proportions at any font DPI.
    QFont fieldFont = windowFont();
    fieldFont.setPixelSize(kodvik::pointPixels(kodvik::fieldFace.points));
    fieldFont.setBold(kodvik::fieldFace.bold);
    field->setFont(fieldFont);
    field->setValidator(new WholeCharacters(field));
    return field;
}

QPushButton* FrmAscii::makeButton(const kodvik::FormControl& control)
{
    auto* button = placed(new QPushButton(toQString(control.caption), this), control);
    button->setAutoDefault(false);
    button->setDefault(false);
    buttonKeys->watch(button);
    connect(button, &QPushButton::clicked, this,
            [this, id = control.id] { kodvik::click(id, logic, spoken, [this] { print(); }); });
    return button;
}

QLabel* FrmAscii::makeLabel(const kodvik::FormControl& control)
{
    return placed(new QLabel(toQString(control.caption), this), control);
}

template <typename Widget>
Widget* FrmAscii::placed(Widget* widget, const kodvik::FormControl& control)
{
    widget->setObjectName(toQString(control.name));
    const kodvik::Twips& place = control.place;
    widget->setGeometry(kodvik::pixels(place.left), kodvik::pixels(place.top),
                        kodvik::pixels(place.width), kodvik::pixels(place.height));
    if (!control.spokenName.empty()) {
        widget->setAccessibleName(toQString(control.spokenName));
    }
    return widget;
}

QPushButton* FrmAscii::repeatButton(Control id) const
{
    return id == Control::cmdMer ? cmdMer : cmdMindre;
}

bool FrmAscii::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::WindowDeactivate:
    case QEvent::Hide:
        press.pressLost();
        break;
    case QEvent::WindowStateChange:
        if (isMinimized()) {
            press.pressLost();
        }
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

// Only "<" and ">" are watched. A press can also end without a release reaching the button: the
// window was hidden, minimised or left (another window or the window manager took over), or the
// button was hidden, disabled or lost the pointer to a popup.
bool FrmAscii::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != cmdMer && watched != cmdMindre) {
        return QWidget::eventFilter(watched, event);
    }
    const Control id = watched == cmdMer ? Control::cmdMer : Control::cmdMindre;
    const bool held = press.heldButton() == id;
    switch (event->type()) {
    // The second press of a double click arrives as a double click.
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        press.pressed(id);
        break;
    case QEvent::MouseButtonRelease:
        press.released();
        break;
    case QEvent::MouseMove:
        // Back over the button, an ended press must not bring it down again.
        if (press.pressEnded(id)) {
            return true;
        }
        break;
    case QEvent::Hide:
        if (held) {
            press.pressLost();
        }
        break;
    case QEvent::EnabledChange:
        if (held && !repeatButton(id)->isEnabled()) {
            press.pressLost();
        }
        break;
    case QEvent::FocusOut:
        // A popup of this program has taken the pointer.
        if (held && static_cast<QFocusEvent*>(event)->reason() == Qt::PopupFocusReason) {
            press.pressLost();
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

bool FrmAscii::startRepeatTimer(int milliseconds)
{
    tmrAscii->start(milliseconds);
    return true;
}

void FrmAscii::bringUp(Control button)
{
    repeatButton(button)->setDown(false);
}

void FrmAscii::say(std::u16string_view utterance)
{
    announcer->announce(toQString(utterance));
}

kodvik::Spoken::RunLater FrmAscii::afterThisEvent()
{
    if constexpr (Announcer::replacesOlder) {
        return {};
    } else {
        return [this](std::function<void()> call) {
            QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection);
        };
    }
}

std::u16string FrmAscii::codeText() const
{
    return txtAscii->text().toStdU16String();
}

void FrmAscii::setCodeText(std::u16string_view text)
{
    txtAscii->setText(toQString(text));
}

std::u16string FrmAscii::characterText() const
{
    return txtTecken->text().toStdU16String();
}

void FrmAscii::setCharacterText(std::u16string_view text)
{
    txtTecken->setText(toQString(text));
}

void FrmAscii::setNoteText(std::u16string_view text)
{
    lblFinns->setText(toQString(text));
    lblFinns->adjustSize();
}

void FrmAscii::showMessageBox(std::u16string_view text, std::u16string_view title)
{
    QMessageBox box(QMessageBox::NoIcon, toQString(title), toQString(text), QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void FrmAscii::print()
{
    // A Linux desktop reads text files as UTF-8.
    if (const auto failure =
            kodvik::writeAndShow(codePage, kodvik::TableEncoding::Utf8, startViewer)) {
        showTableFailure(*failure);
    }
}

void FrmAscii::showTableFailure(const kodvik::TableFailure& failure)
{
    QMessageBox box(QMessageBox::Warning, windowTitle(),
                    QString::fromStdString(kodvik::describe(failure)), QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}
