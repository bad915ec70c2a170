// The floor for the start-up benchmark: a plain Qt Widgets window with Kodvik's eleven
// controls in their places and nothing else (no fonts of its own, icon, validators or logic).
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare"));
    window.setFixedSize(163, 144);

    auto* character = new QLineEdit(&window);
    character->setGeometry(8, 24, 25, 25);
    character->setMaxLength(1);
    auto* code = new QLineEdit(&window);
    code->setGeometry(88, 24, 41, 25);
    code->setMaxLength(3);
    (new QPushButton(QStringLiteral("Character"), &window))->setGeometry(8, 56, 65, 25);
    (new QPushButton(QStringLiteral("ASCII"), &window))->setGeometry(88, 56, 65, 25);
    (new QLabel(QStringLiteral("ASCII"), &window))->move(88, 8);
    (new QLabel(QStringLiteral("Character"), &window))->move(8, 8);
    (new QLabel(&window))->setGeometry(8, 88, 3, 13);
    (new QPushButton(QStringLiteral("<"), &window))->setGeometry(88, 88, 25, 17);
    (new QPushButton(QStringLiteral(">"), &window))->setGeometry(128, 88, 25, 17);
    (new QPushButton(QStringLiteral("Print"), &window))->setGeometry(88, 112, 65, 25);
    QTimer timer;
    character->setFocus();

    window.show();
    return QApplication::exec();
}
