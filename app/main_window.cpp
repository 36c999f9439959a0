// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#include "main_window.h"

#include "accessibility.h"
#include "drill_flow.h"
#include "first_frame.h"
#include "look.h"
#include "window_icon.h"

#include "answer/canvas_press.h"
#include "answer/keypad.h"
#include "answer/marking.h"
#include "engine/colors.h"
#include "engine/fonts.h"
#include "engine/page.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QResizeEvent>
#include <QShortcut>

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

// The "ﾁｪｯｸ" button of a row on its canvas.
ColourButton* makeCheckButton(QWidget* canvas, int row, int canvasIndex)
{
    auto* button = makeButton(canvas, Check, checkButtonRect(row, canvasIndex), colors::lightGreen);
    button->setFont(mincho(18));
    button->hide();
    return button;
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

constexpr QPoint LevelPanelPosition{4, 54};
constexpr QPoint CanvasPosition{8, 8};

void setFontPoints(QWidget* widget, double points)
{
    QFont font = widget->font();
    font.setPixelSize(fonts::pixelsForPoints(points));
    widget->setFont(font);
}

// The controls of an array built so far, each named once.
template <typename Control, std::size_t N>
void nameArray(const std::array<Control*, N>& controls, const char* array)
{
    for (std::size_t i = 0; i < N; ++i) {
        if (controls[i] != nullptr && controls[i]->objectName().isEmpty())
            controls[i]->setObjectName(QLatin1String(array) + u'_' + QString::number(i));
    }
}

} // namespace

const QString MainWindow::Caption = QStringLiteral("ポムル Ver" POMURU_VERSION);

MainWindow::MainWindow(Platform& platform)
    : QWidget(nullptr)
    , drill_(*this, platform)
{
    // The window and everything on it keep the program's own colours even
    // where the desktop gives a class of widgets a palette of its own.
    useOwnLook();
    setPalette(ownPalette());
    setWindowTitle(Caption);
    setWindowIcon(titleBarIcon());
    setLogicalClientSize(ClientSize);
    setFont(mincho(26.25));
    setBackColor(this, colors::lightGreen);

    // Children in their order of declaration: later ones lie on top.
    Command1[0] = makeButton(this, ThirdGrade, QRect(20, 4, 153, 41), colors::lightYellow);
    buildCanvas(0, QSize(1009, 741));
    buildCanvas(1, QSize(1009, 737));
    buildLevelPanel();
    nameControls();
    connectHandlers();
    describeForScreenReaders();
    auto* fullScreen = new QShortcut(QKeySequence(Qt::Key_F11), this);
    connect(fullScreen, &QShortcut::activated, this, &MainWindow::toggleFullScreen);

    // What the first frame, the grade button and the level menu, does not
    // show waits until that frame is on the screen.
    afterFirstFrame(this, [this] { finishAfterFirstFrame(); });
}

MainWindow::~MainWindow()
{
    disconnect(qApp, &QApplication::focusChanged, this, nullptr);
    qApp->removeEventFilter(this);
}

void MainWindow::finishAfterFirstFrame()
{
    setWindowIcon(iconAtEverySize());
    buildPages();
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
        auto* option = new OptionButton(Levels[std::size_t(i)]->caption.toString(), panel);
        option->setFont(fonts::make(fonts::gothic, 15.75, true));
        setBackColor(option, colors::paleBlue);
        option->resize(i == 2 ? 801 : 805, 37);  // the form has the third option narrower
        option->setFocusPolicy(Qt::StrongFocus);
        Option2[std::size_t(i)] = option;
    }
}

void MainWindow::buildCanvas(int canvas, QSize size)
{
    auto* widget = new CanvasWidget(colors::lightYellow, fonts::canvasFont(), this);
    Picture1[std::size_t(canvas)] = widget;
    widget->resizeCanvas(size);
    widget->hide();
}

void MainWindow::buildPages()
{
    for (int canvas = 0; canvas < int(Picture1.size()); ++canvas)
        buildPage(canvas);
}

void MainWindow::buildPage(int canvas)
{
    Q_ASSERT(canvas >= 0 && canvas < int(Picture1.size()));
    if (pageBuilt_[std::size_t(canvas)])
        return;
    pageBuilt_[std::size_t(canvas)] = true;
    // Controls built on a canvas on screen would stay hidden: the canvas
    // shows them as it is shown.
    CanvasWidget* widget = Picture1[std::size_t(canvas)];
    const bool shown = widget->isVisible();
    widget->hide();
    buildRowFocus(canvas);
    if (canvas == 0)
        buildControls0();
    else
        buildControls1();
    if (!boysShown_)
        Picture3[std::size_t(canvas)]->hide();
    nameControls();
    connectPage(canvas);
    describePage(canvas);
    if (canvas == 0) {
        for (AnswerBoxWidget* box : Text1)
            box->placeThrough(&zoom_);
    }
    // Built in a zoomed window, the rows and the controls take the window's
    // factor as those built before them did.
    widget->setZoom(widget->zoom());
    zoom_.takeIn(widget);
    widget->setVisible(shown);
}

void MainWindow::buildControls0()
{
    CanvasWidget* canvas = Picture1[0];
    auto makeAnswerBox = [canvas](int row) {
        auto* box = new AnswerBoxWidget(canvas);
        box->setGeometry(answerBoxRect(row + 1));
        box->hide();
        return box;
    };

    // Children in their order of declaration.
    Text1[1] = makeAnswerBox(1);
    Command8[0] = makeButton(canvas, BackToMenu, QRect(584, 12, 137, 37), colors::lightGreen);
    Command8[0]->setFont(mincho(21.75));
    for (int strip = 2; strip >= 0; --strip)
        buildKeypad(strip);
    for (int row = LastRow; row >= FirstRow; --row)
        Command5[std::size_t(checkButtonOfRow(row, 0))] = makeCheckButton(canvas, row, 0);
    Text1[2] = makeAnswerBox(2);
    Text1[0] = makeAnswerBox(0);
    buildPictures(0, QPoint(768, 44), QPoint(800, 296), QPoint(772, 504));
    Label1[0] = makeHeading(canvas);
}

void MainWindow::buildControls1()
{
    CanvasWidget* canvas = Picture1[1];
    Picture2[1] = makePicture(canvas, QStringLiteral(":/assets/girl.gif"), QPoint(804, 300), QSize(173, 190));
    Picture4[1] = makePicture(canvas, QStringLiteral(":/assets/children.gif"), QPoint(772, 500), QSize(213, 227));
    for (int row = FirstRow; row <= LastRow; ++row)
        Command5[std::size_t(checkButtonOfRow(row, 1))] = makeCheckButton(canvas, row, 1);
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
    keypad->setGeometry(keypadRect(strip + 1));
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

void MainWindow::nameControls()
{
    nameArray(Command1, "Command1");
    nameArray(Picture1, "Picture1");
    nameArray(Picture7, "Picture7");
    nameArray(Label2, "Label2");
    nameArray(Command10, "Command10");
    nameArray(Command2, "Command2");
    nameArray(Option2, "Option2");
    nameArray(Label1, "Label1");
    nameArray(Command8, "Command8");
    nameArray(Text1, "Text1");
    nameArray(Command5, "Command5");
    nameArray(Picture6, "Picture6");
    nameArray(Command6, "Command6");
    nameArray(Command11, "Command11");
    nameArray(Command7, "Command7");
    nameArray(Picture2, "Picture2");
    nameArray(Picture3, "Picture3");
    nameArray(Picture4, "Picture4");
}

// Command buttons are not checkable, and the group does not make them
// exclusive.
template <std::size_t N>
QButtonGroup* MainWindow::groupButtons(const std::array<ColourButton*, N>& buttons)
{
    auto* group = new QButtonGroup(this);
    group->setExclusive(false);
    for (std::size_t i = 0; i < N; ++i) {
        if (buttons[i] != nullptr)
            group->addButton(buttons[i], int(i));
    }
    return group;
}

void MainWindow::connectHandlers()
{
    Drill& drill = drill_;
    auto onClick = [this](QButtonGroup* group, auto handler) { connect(group, &QButtonGroup::idClicked, this, handler); };
    onClick(groupButtons(Command1), [this](int i) { Command1_Click(*this, i); });
    onClick(groupButtons(Command10), [this](int i) { Command10_Click(*this, i); });
    onClick(groupButtons(Command2), [this](int i) { Command2_Click(*this, i); });
    backButtons_ = groupButtons(Command8);
    onClick(backButtons_, [this](int i) { Command8_Click(*this, i); });
    checkButtons_ = groupButtons(Command5);
    onClick(checkButtons_, [this](int i) {
        const int row = rowOfCheckButton(i);
        const RowSeen before = seeRow(row);
        Command5_Click(drill_, i);
        afterRowInput(row, before);
    });
    digitKeys_ = groupButtons(Command6);
    onClick(digitKeys_, [&drill](int i) { Command6_Click(drill, i); });
    pointKeys_ = groupButtons(Command11);
    onClick(pointKeys_, [&drill](int i) { Command11_Click(drill, i); });
    eraseKeys_ = groupButtons(Command7);
    onClick(eraseKeys_, [&drill](int i) { Command7_Click(drill, i); });

    // The level options are one exclusive group, as radio buttons sharing a
    // panel are: one of them at most is chosen. Chosen by a press or by the
    // arrow keys: whatever way an option becomes the chosen one, LevelNo
    // follows what the menu shows, but only while the menu is on screen; a
    // page in use keeps its level.
    auto* options = new QButtonGroup(this);
    for (std::size_t i = 0; i < Option2.size(); ++i)
        options->addButton(Option2[i], int(i));
    connect(options, &QButtonGroup::idToggled, this, [this](int i, bool chosen) {
        if (chosen && Picture7[0]->isVisible())
            Option2_Click(*this, i);
    });

    for (std::size_t i = 0; i < Picture1.size(); ++i) {
        connect(Picture1[i], &CanvasWidget::pressed, this, [this, i](int button, int shift, float x, float y) {
            const int row = rowAt(x, y, rowsOnPage(drill_.state.ScreenWidthPixels) == 3);
            const RowSeen before = row != 0 ? seeRow(row) : RowSeen{};
            Picture1_MouseDown(drill_, int(i), button, shift, x, y);
            if (row != 0)
                afterRowInput(row, before);
        });
    }
    // The outlines follow the focus, wherever a key or a click moved it.
    connect(qApp, &QApplication::focusChanged, this, [this] { updateOutlines(); });
    qApp->installEventFilter(this);
}

void MainWindow::connectPage(int canvas)
{
    for (int row = FirstRow; row <= LastRow; ++row) {
        const int check = checkButtonOfRow(row, canvas);
        checkButtons_->addButton(Command5[std::size_t(check)], check);
    }
    backButtons_->addButton(Command8[std::size_t(canvas)], canvas);
    if (canvas == 0) {
        for (std::size_t i = 0; i < Command6.size(); ++i)
            digitKeys_->addButton(Command6[i], int(i));
        for (std::size_t i = 0; i < Text1.size(); ++i) {
            pointKeys_->addButton(Command11[i], int(i));
            eraseKeys_->addButton(Command7[i], int(i));
            connect(Text1[i], &AnswerBoxWidget::clicked, this, [this, i] { Text1_Click(drill_, int(i)); });
        }
    }
    for (RowFocus* row : rowFocus_[std::size_t(canvas)]) {
        connect(row, &RowFocus::committed, this, [this, row](const QString& text) {
            for (const QChar symbol : text)
                rowKey(row->row(), 0, QString(symbol));
        });
    }
}

Canvas& MainWindow::canvas(int index)
{
    Q_ASSERT(index >= 0 && index < int(Picture1.size()));
    return Picture1.at(std::size_t(index))->canvas();
}

AnswerBox& MainWindow::answerBox(int index)
{
    Q_ASSERT(index >= 0 && index < int(Text1.size()));
    buildPage(0);
    return *Text1.at(std::size_t(index));
}

void MainWindow::showCheckButton(int index)
{
    Q_ASSERT(index >= 0 && index < int(Command5.size()));
    buildPage(canvasOfCheckButton(index));
    Command5.at(std::size_t(index))->show();
}

void MainWindow::showKeypad(int index)
{
    Q_ASSERT(index >= 0 && index < int(Picture6.size()));
    buildPage(0);
    Picture6.at(std::size_t(index))->show();
}

void MainWindow::showGradeButton()
{
    Command1[0]->show();
}

void MainWindow::hideGradeButton()
{
    Command1[0]->hide();
}

void MainWindow::setGradeButtonColor(QRgb color)
{
    Command1[0]->setBackColor(color);
}

void MainWindow::showLevelMenu()
{
    zoom_.move(Picture7[0], LevelPanelPosition);
    Picture7[0]->show();
}

// The keyboard focus follows what is on screen: a control that is hidden
// with its menu or page would otherwise keep it, and the arrow keys would
// go on choosing levels in the menu that the pupil no longer sees.
void MainWindow::focusChosenLevel()
{
    QRadioButton* focus = Option2[0];
    for (QRadioButton* option : Option2) {
        if (option->isChecked())
            focus = option;
    }
    focus->setFocus(Qt::OtherFocusReason);
}

void MainWindow::showPage(int canvas)
{
    Q_ASSERT(canvas >= 0 && canvas < int(Picture1.size()));
    buildPage(canvas);
    for (CanvasWidget* each : Picture1)
        each->hide();
    Picture7[0]->hide();
    CanvasWidget* shown = Picture1[std::size_t(canvas)];
    zoom_.move(shown, CanvasPosition);
    shown->show();
    // No answer box is on screen yet; the first press on a row gives its box
    // the focus. Until then the keyboard is on row 1.
    readyRowsForKeys();
    rowFocus_[std::size_t(canvas)][0]->setFocus(Qt::OtherFocusReason);
}

void MainWindow::hidePage(int canvas)
{
    Q_ASSERT(canvas >= 0 && canvas < int(Picture1.size()));
    Picture1[std::size_t(canvas)]->hide();
}

// A canvas not built yet shows none of its controls.
void MainWindow::hideCheckButtons()
{
    for (QPushButton* check : Command5) {
        if (check != nullptr)
            check->hide();
    }
}

void MainWindow::hideRowControls(int index)
{
    Q_ASSERT(index >= 0 && index < int(Text1.size()));
    if (!pageBuilt_[0])
        return;
    const auto i = std::size_t(index);
    Text1[i]->hide();
    Command5[i]->hide();
    Picture6[i]->hide();
}

void MainWindow::applyLargeLayout()
{
    for (int i = 0; i < LevelCount; ++i) {
        QRadioButton* option = Option2[std::size_t(i)];
        option->move(option->x(), 50 * i + 90);
        option->move(34, option->y());
        setFontPoints(option, 16);
    }
}

void MainWindow::applySmallLayout()
{
    boysShown_ = false;
    for (QLabel* boy : Picture3) {
        if (boy != nullptr)
            boy->hide();
    }
    QWidget* panel = Picture7[0];
    panel->resize(794, panel->height());
    panel->resize(panel->width(), 520);
    for (CanvasWidget* canvas : Picture1) {
        canvas->resizeCanvas(QSize(786, canvas->height()));
        canvas->resizeCanvas(QSize(canvas->width(), 530));
    }
    Command10[0]->move(610, Command10[0]->y());
    Command2[0]->move(700, Command2[0]->y());
    setFontPoints(Label2[0], 16);
    Label2[0]->adjustSize();
    for (int i = 0; i < LevelCount; ++i) {
        QRadioButton* option = Option2[std::size_t(i)];
        option->setGeometry(35, 40 * i + 80, 700, 28);
        setFontPoints(option, 16);
    }
    // The client area shrinks to what the small layout uses, so that the
    // window fits a screen 800 pixels wide.
    setLogicalClientSize(QSize(798, 574));
}

void MainWindow::setLogicalClientSize(QSize size)
{
    logicalClient_ = size;
    setStartFactor(startFactor_);
}

void MainWindow::setStartFactor(double factor)
{
    startFactor_ = factor;
    // The window manager may make the window larger than this (maximised,
    // full screen) and smaller, down to the smallest factor.
    setMinimumSize(Zoom::scaled(logicalClient_, std::min(factor, SmallestFactor)));
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    resize(Zoom::scaled(logicalClient_, factor));
    fitContent();
}

void MainWindow::fitContent()
{
    // At its start-up size the window has its start-up factor exactly, the
    // factor 1 of a window that fits among them.
    const bool atStartSize = size() == Zoom::scaled(logicalClient_, startFactor_);
    const double factor = atStartSize ? startFactor_ : fittingFactor(logicalClient_, size());
    const QSize content = Zoom::scaled(logicalClient_, factor);
    zoom_.apply(factor, QPoint((width() - content.width()) / 2, (height() - content.height()) / 2));
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    fitContent();
    QWidget::resizeEvent(event);
}

void MainWindow::toggleFullScreen()
{
    setWindowState(windowState() ^ Qt::WindowFullScreen);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    QCoreApplication::quit();
}

} // namespace pomuru
