#include "frmascii.h"

#include "text.h"

#include <QEvent>
#include <QFocusEvent>
#include <QFont>
#include <QIcon>
#include <QImageReader>
#include <QLocale>
#include <QMessageBox>
#include <QPixmap>
#include <QValidator>

namespace {

// Places are given in twips, as the window was first drawn; 15 twips make a logical pixel, and
// Qt's high-DPI scaling takes it from there.
QRect twips(int left, int top, int width, int height)
{
    constexpr int perPixel = 15;
    return {left / perPixel, top / perPixel, width / perPixel, height / perPixel};
}

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

FrmAscii::FrmAscii(kodvik::ViewerStarter startViewer, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      numbers(QLocale::system().decimalPoint().front().unicode()),
      startViewer(std::move(startViewer))
{
    setObjectName(QStringLiteral("frmAscii"));
    setWindowTitle(QStringLiteral("Kodvik 1.01"));
    setWindowIcon(programIcon());
    setFixedSize(163, 144);

    setFont(windowFont());
    QFont fieldFont = windowFont();
    fieldFont.setPixelSize(16);
    fieldFont.setBold(true);

    txtTecken->setObjectName(QStringLiteral("txtTecken")); // "character"
    txtTecken->setGeometry(twips(120, 360, 375, 375));
    txtTecken->setMaxLength(1);
    txtTecken->setAlignment(Qt::AlignCenter);
    txtTecken->setFont(fieldFont);
    txtTecken->setValidator(new WholeCharacters(txtTecken));

    txtAscii->setObjectName(QStringLiteral("txtAscii"));
    txtAscii->setGeometry(twips(1320, 360, 615, 375));
    txtAscii->setMaxLength(3);
    txtAscii->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    txtAscii->setFont(fieldFont);
    txtAscii->setValidator(new WholeCharacters(txtAscii));

    cmdTecken->setObjectName(QStringLiteral("cmdTecken"));
    cmdTecken->setGeometry(twips(120, 840, 975, 375));
    cmdAscii->setObjectName(QStringLiteral("cmdAscii"));
    cmdAscii->setGeometry(twips(1320, 840, 975, 375));

    // Index 0 heads the code column, index 1 the character column; each names its field for
    // screen readers.
    lblVisa[0]->setObjectName(QStringLiteral("lblVisa0")); // "show"
    lblVisa[0]->move(twips(1320, 120, 0, 0).topLeft());
    lblVisa[0]->setBuddy(txtAscii);
    lblVisa[1]->setObjectName(QStringLiteral("lblVisa1"));
    lblVisa[1]->move(twips(120, 120, 0, 0).topLeft());
    lblVisa[1]->setBuddy(txtTecken);
    for (QLabel* label : lblVisa) {
        label->adjustSize();
    }

    lblFinns->setObjectName(QStringLiteral("lblFinns"));
    lblFinns->setGeometry(twips(120, 1320, 45, 195));

    cmdMindre->setObjectName(QStringLiteral("cmdMindre"));
    cmdMindre->setGeometry(twips(1320, 1320, 375, 255));
    cmdMindre->setAccessibleName(tr("Previous code"));
    cmdMer->setObjectName(QStringLiteral("cmdMer"));
    cmdMer->setGeometry(twips(1920, 1320, 375, 255));
    cmdMer->setAccessibleName(tr("Next code"));
    cmdPrint->setObjectName(QStringLiteral("cmdPrint"));
    cmdPrint->setGeometry(twips(1320, 1680, 975, 375));

    for (QPushButton* button : {cmdTecken, cmdAscii, cmdMindre, cmdMer, cmdPrint}) {
        button->setAutoDefault(false);
        button->setDefault(false);
        buttonKeys->watch(button);
    }
    setTabOrder(txtTecken, txtAscii);
    setTabOrder(txtAscii, cmdTecken);
    setTabOrder(cmdTecken, cmdAscii);
    setTabOrder(cmdAscii, cmdMindre);
    setTabOrder(cmdMindre, cmdMer);
    setTabOrder(cmdMer, cmdPrint);
    txtTecken->setFocus();

    tmrAscii->setObjectName(QStringLiteral("tmrAscii"));
    // The coarse timer may drift by 5 %; held steps are meant to come every 500 ms.
    tmrAscii->setTimerType(Qt::PreciseTimer);
    tmrAscii->setInterval(0);

    connect(cmdTecken, &QPushButton::clicked, this, [this] { logic.tecken(); });
    connect(cmdAscii, &QPushButton::clicked, this, [this] { logic.reverseLookup(); });
    connect(cmdMer, &QPushButton::clicked, this, [this] { logic.bladdrahoger(); });
    connect(cmdMindre, &QPushButton::clicked, this, [this] { logic.bladdravanster(); });
    connect(cmdPrint, &QPushButton::clicked, this, &FrmAscii::print);
    connect(tmrAscii, &QTimer::timeout, this, &FrmAscii::tmrAsciiTick);
    // QPushButton signals only the primary button's press; every button starts and ends a
    // repeat, so the mouse events are read as they arrive.
    cmdMer->installEventFilter(this);
    cmdMindre->installEventFilter(this);
}

bool FrmAscii::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::WindowDeactivate:
    case QEvent::Hide:
        endPress();
        break;
    case QEvent::WindowStateChange:
        if (isMinimized()) {
            endPress();
        }
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

bool FrmAscii::eventFilter(QObject* watched, QEvent* event)
{
    const bool mer = watched == cmdMer;
    if (mer || watched == cmdMindre) {
        switch (event->type()) {
        // The second press of a double click arrives as a double click.
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            heldButton = mer ? cmdMer : cmdMindre;
            pressEnded = false;
            logic.startRepeat(mer ? kodvik::RepeatDirection::Up : kodvik::RepeatDirection::Down);
            break;
        case QEvent::MouseButtonRelease:
            heldButton = nullptr;
            pressEnded = false;
            logic.stopRepeat();
            break;
        case QEvent::MouseMove:
            // Back over the button, an ended press must not bring it down again.
            if (pressEnded && watched == heldButton) {
                return true;
            }
            break;
        case QEvent::Hide:
            if (watched == heldButton) {
                endPress();
            }
            break;
        case QEvent::EnabledChange:
            if (watched == heldButton && !heldButton->isEnabled()) {
                endPress();
            }
            break;
        case QEvent::FocusOut:
            // A popup of this program has taken the pointer.
            if (watched == heldButton &&
                static_cast<QFocusEvent*>(event)->reason() == Qt::PopupFocusReason) {
                endPress();
            }
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// The press of "<" or ">" has ended without a release reaching the button: the window was
// hidden, minimised or left (another window or the window manager took over), or the button was
// hidden, disabled or lost the pointer to a popup.
// The repeat ends as on a release, and the button comes up without a click. A repeat that a
// message box has already halted keeps its direction until the next press.
void FrmAscii::endPress()
{
    if (heldButton == nullptr || pressEnded) {
        return;
    }
    pressEnded = true;
    heldButton->setDown(false);
    if (tmrAsciiEnabled) {
        logic.stopRepeat();
    }
}

void FrmAscii::tmrAsciiTick()
{
    logic.repeatTick();
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

void FrmAscii::setRepeatTimerEnabled(bool enabled)
{
    tmrAsciiEnabled = enabled;
    updateRepeatTimer();
}

void FrmAscii::setRepeatInterval(int milliseconds)
{
    if (milliseconds != tmrAscii->interval()) {
        tmrAscii->setInterval(milliseconds);
        // Qt restarts a running timer on a new interval; a stopped one stays stopped.
    }
    updateRepeatTimer();
}

void FrmAscii::updateRepeatTimer()
{
    if (tmrAsciiEnabled && tmrAscii->interval() > 0) {
        if (!tmrAscii->isActive()) {
            tmrAscii->start();
        }
    } else {
        tmrAscii->stop();
    }
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
