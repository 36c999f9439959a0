// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#include "main_window.h"

#include "accessibility.h"
#include "drill_flow.h"
#include "first_frame.h"
#include "look.h"

#include "answer/canvas_press.h"
#include "answer/keypad.h"
#include "answer/marking.h"
#include "engine/colors.h"
#include "engine/fonts.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QPixmap>

namespace pomuru {

namespace {

const QString ThirdGrade = QStringLiteral("３年生");
const QString Heading = QStringLiteral("つぎの問だいをしましょう。");
const QString Check = QStringLiteral("ﾁｪｯｸ");
const QString BackToMenu = QStringLiteral("終わる");

QFont mincho(double points, bool bold = true)
{
    return fonts::make(fonts::proportionalMincho, points, bold);
}

QFont pictureFont()
{
    return fonts::make(fonts::proportionalGothic, 18, false);
}

ColourButton* makeButton(QWidget* parent, const QString& caption, QRect geometry, QRgb back)
{
    auto* button = new ColourButton(caption, back, parent);
    button->setGeometry(geometry);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

// Labels and pictures let presses through to what lies under them; on a
// canvas that would be a press on the canvas, which beeps or starts a row.
void keepPresses(QWidget* widget)
{
    widget->setAttribute(Qt::WA_NoMousePropagation);
}

QLabel* makeHeading(QWidget* canvas)
{
    auto* label = new QLabel(Heading, canvas);
    keepPresses(label);
    label->setFont(mincho(24));
    setBackColor(label, colors::lightCyan);
    label->setGeometry(16, 8, 368, 37);
    return label;
}

PictureBox* makePicture(QWidget* canvas, const QString& resource, QPoint at, QSize size)
{
    auto* picture = new PictureBox(resource, canvas);
    keepPresses(picture);
    picture->setFont(pictureFont());
    setBackColor(picture, colors::lightYellow);
    picture->setGeometry(QRect(at, size));
    return picture;
}

// The 16 × 16 icon of the title bar, and the larger renderings of the same
// icon that docks and task switchers ask for. Qt reads each file as it is
// added, so the window takes them only after its first frame.
QIcon iconAtEverySize()
{
    QIcon icon(QStringLiteral(":/assets/icon16.png"));
    for (const int size : {22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/assets/icons/hicolor/%1x%1/apps/pomuru.png").arg(size), QSize(size, size));
    return icon;
}

const std::array<QString, 10> LevelCaptions{
    QStringLiteral("L01 水のかさは、何ﾘｯﾄﾙですか？"),
    QStringLiteral("L02 長さは、何ｍですか？"),
    QStringLiteral("L03 次の長さを、ぬりましょう。"),
    QStringLiteral("L04 数直線のあたいを読みましょう。"),
    QStringLiteral("L05 0.1をいくつあつめた数"),
    QStringLiteral("L06 0.1が□このあたいはいくつでしょう。"),
    QStringLiteral("L07 どちらが　大きい？"),
    QStringLiteral("L08 たし算をしましょう。"),
    QStringLiteral("L09 ひき算をしましょう。"),
    QStringLiteral("L10 計算をしましょう。"),
};

} // namespace

MainWindow::MainWindow(Platform& platform)
    : QWidget(nullptr)
    , drill_(*this, platform)
{
    // The window and everything on it keep the program's own colours even
    // where the desktop gives a class of widgets a palette of its own.
    useOwnLook();
    setPalette(ownPalette());
    setWindowTitle(Caption);
    setWindowIcon(QIcon(QStringLiteral(":/assets/icon16.png")));
    setFixedSize(ClientSize);
    setFont(mincho(26.25));
    setBackColor(this, colors::lightGreen);

    // Children in their order of declaration: later ones lie on top.
    Command1[0] = makeButton(this, ThirdGrade, QRect(20, 4, 153, 41), colors::lightYellow);
    buildCanvas0();
    buildCanvas1();
    buildLevelPanel();
    connectHandlers();
    describeForScreenReaders(*this);

    // What the first frame, the grade button and the level menu, does not
    // show waits until that frame is on the screen.
    afterFirstFrame(this, [this] { finishAfterFirstFrame(); });
}

void MainWindow::finishAfterFirstFrame()
{
    setWindowIcon(iconAtEverySize());
    // The pictures of the pages, decoded before "けってい" asks for them.
    for (const auto* pictures : {&Picture2, &Picture3, &Picture4}) {
        for (PictureBox* picture : *pictures)
            picture->load();
    }
    for (const QFont& font : {mincho(26.25), fonts::canvasFont(), pictureFont()})
        fonts::warnIfMissing(font);
}

void MainWindow::buildLevelPanel()
{
    auto* panel = new QWidget(this);
    Picture7[0] = panel;
    setBackColor(panel, colors::paleBlue);
    panel->resize(1013, 685);
    panel->hide();

    Label2[0] = new QLabel(QStringLiteral("【ポムル:３年生】　どれをれんしゅうしますか。えらんでください。"), panel);
    Label2[0]->setFont(mincho(20.25));
    Label2[0]->move(12, 16);
    Label2[0]->adjustSize();  // the title sizes itself to its text

    Command10[0] = makeButton(panel, QStringLiteral("けってい"), QRect(816, 8, 89, 41), colors::lightRed);
    Command10[0]->setFont(mincho(14.25));
    Command2[0] = makeButton(panel, QStringLiteral("おわり"), QRect(912, 8, 89, 41), colors::teal);
    Command2[0]->setFont(mincho(15.75));

    for (int i = 0; i < int(Option2.size()); ++i) {
        auto* option = new OptionButton(LevelCaptions[std::size_t(i)], panel);
        option->setFont(fonts::make(fonts::gothic, 15.75, true));
        setBackColor(option, colors::paleBlue);
        option->resize(i == 2 ? 801 : 805, 37);
        option->setFocusPolicy(Qt::StrongFocus);
        Option2[std::size_t(i)] = option;
    }
}

void MainWindow::buildCanvas0()
{
    auto* canvas = new CanvasWidget(colors::lightYellow, fonts::canvasFont(), this);
    Picture1[0] = canvas;
    canvas->resizeCanvas(QSize(1009, 741));
    canvas->hide();

    auto makeAnswerBox = [canvas](int row) {
        auto* box = new AnswerBoxWidget(canvas);
        box->setGeometry(588, 148 + 220 * row, 93, 40);
        box->hide();
        return box;
    };
    auto makeCheckButton = [canvas](int x, int y) {
        auto* button = makeButton(canvas, Check, QRect(x, y, 101, 39), colors::lightGreen);
        button->setFont(mincho(18));
        button->hide();
        return button;
    };

    // Children in their order of declaration.
    Text1[1] = makeAnswerBox(1);
    Command8[0] = makeButton(canvas, BackToMenu, QRect(584, 12, 137, 37), colors::lightGreen);
    Command8[0]->setFont(mincho(21.75));
    for (int strip = 2; strip >= 0; --strip)
        buildKeypad(strip);
    for (int row = 2; row >= 0; --row)
        Command5[std::size_t(row)] = makeCheckButton(568, 232 + 220 * row);
    Text1[2] = makeAnswerBox(2);
    Text1[0] = makeAnswerBox(0);
    buildPictures(0, QPoint(768, 44), QPoint(800, 296), QPoint(772, 504));
    Label1[0] = makeHeading(canvas);
}

void MainWindow::buildCanvas1()
{
    auto* canvas = new CanvasWidget(colors::lightYellow, fonts::canvasFont(), this);
    Picture1[1] = canvas;
    canvas->resizeCanvas(QSize(1009, 737));
    canvas->hide();

    Picture2[1] = makePicture(canvas, QStringLiteral(":/assets/girl.gif"), QPoint(804, 300), QSize(173, 190));
    Picture4[1] = makePicture(canvas, QStringLiteral(":/assets/children.gif"), QPoint(772, 500), QSize(213, 227));
    for (int index = 5; index >= 3; --index) {
        auto* button = makeButton(canvas, Check, QRect(608, 220 + 220 * (5 - index), 101, 39), colors::lightGreen);
        button->setFont(mincho(18));
        button->hide();
        Command5[std::size_t(index)] = button;
    }
    Command8[1] = makeButton(canvas, BackToMenu, QRect(576, 12, 137, 37), colors::lightGreen);
    Command8[1]->setFont(mincho(21.75));
    Picture3[1] = makePicture(canvas, QStringLiteral(":/assets/boy.gif"), QPoint(776, 44), QSize(226, 239));
    Label1[1] = makeHeading(canvas);
}

void MainWindow::buildKeypad(int strip)
{
    auto* keypad = new QWidget(Picture1[0]);
    Picture6[std::size_t(strip)] = keypad;
    keepPresses(keypad);
    // The keys leave a margin of four pixels at the right and the bottom,
    // where the strip shows its own face.
    setBackColor(keypad, colors::defaultFace);
    keypad->setGeometry(96, 232 + 220 * strip, 465, 41);
    keypad->hide();

    for (int digit = 0; digit <= 9; ++digit) {
        const int index = strip == 0 ? digit : 10 * strip + 9 - digit;
        Command6[std::size_t(index)] = makeButton(keypad, QString::number(digit), QRect(36 * digit, 0, 37, 37), colors::lightGreen);
    }
    Command11[std::size_t(strip)] = makeButton(keypad, QStringLiteral("．"), QRect(360, 0, 37, 37), colors::lightGreen);
    Command7[std::size_t(strip)] = makeButton(keypad, QStringLiteral("けす"), QRect(396, 0, 65, 37), colors::lightGreen);
    Command7[std::size_t(strip)]->setFont(mincho(14.25));
}

void MainWindow::buildPictures(int canvas, QPoint boy, QPoint girl, QPoint children)
{
    QWidget* parent = Picture1[std::size_t(canvas)];
    Picture4[std::size_t(canvas)] = makePicture(parent, QStringLiteral(":/assets/children.gif"), children, QSize(213, 227));
    Picture3[std::size_t(canvas)] = makePicture(parent, QStringLiteral(":/assets/boy.gif"), boy, QSize(226, 239));
    Picture2[std::size_t(canvas)] = makePicture(parent, QStringLiteral(":/assets/girl.gif"), girl, QSize(173, 190));
}

void MainWindow::connectHandlers()
{
    Drill& drill = drill_;
    auto onClick = [](QAbstractButton* button, auto handler) {
        QObject::connect(button, &QAbstractButton::clicked, button, handler);
    };
    onClick(Command1[0], [this] { Command1_Click(*this, 0); });
    onClick(Command10[0], [this] { Command10_Click(*this, 0); });
    onClick(Command2[0], [this] { Command2_Click(*this, 0); });
    for (int i = 0; i < 2; ++i)
        onClick(Command8[std::size_t(i)], [this, i] { Command8_Click(*this, i); });
    // Chosen by a press or by the arrow keys: whatever way an option becomes
    // the chosen one, LevelNo follows what the menu shows, but only while the
    // menu is on screen; a page in use keeps its level.
    for (int i = 0; i < 10; ++i) {
        connect(Option2[std::size_t(i)], &QAbstractButton::toggled, this, [this, i](bool chosen) {
            if (chosen && Picture7[0]->isVisible())
                Option2_Click(*this, i);
        });
    }
    for (int i = 0; i < 6; ++i)
        onClick(Command5[std::size_t(i)], [&drill, i] { Command5_Click(drill, i); });
    for (int i = 0; i < 30; ++i)
        onClick(Command6[std::size_t(i)], [&drill, i] { Command6_Click(drill, i); });
    for (int i = 0; i < 3; ++i) {
        onClick(Command11[std::size_t(i)], [&drill, i] { Command11_Click(drill, i); });
        onClick(Command7[std::size_t(i)], [&drill, i] { Command7_Click(drill, i); });
        connect(Text1[std::size_t(i)], &AnswerBoxWidget::clicked, this, [&drill, i] { Text1_Click(drill, i); });
    }
    for (int i = 0; i < 2; ++i) {
        connect(Picture1[std::size_t(i)], &CanvasWidget::pressed, this,
                [&drill, i](int button, int shift, float x, float y) { Picture1_MouseDown(drill, i, button, shift, x, y); });
    }
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    QCoreApplication::quit();
}

} // namespace pomuru
