// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#pragma once

#include "widgets.h"
#include "zoom.h"

#include "engine/drill.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

#include <array>

class QButtonGroup;

namespace pomuru {

class Announcer;
enum class RowKeyResult;

// The one window of the program, Form1. It builds every control once, with
// the names and indices of its control arrays, and forwards each control's
// event to its handler; the handlers live in the files of their subsystem
// and change what the window shows through the calls below.
//
// The first frame shows the grade button and the level menu only. The
// controls on the two canvases (answer boxes, keypads, check buttons,
// headings, pictures) are built in the event loop's turn after that frame,
// or earlier by the first call below that needs them; each is built once,
// in the order, with the names and the handlers it always had.
//
// Each control's object name is its array's name and index, "Command5_3",
// as the handlers know it.
class MainWindow : public QWidget, public DrillControls {
    Q_OBJECT
public:
    explicit MainWindow(Platform& platform);
    // Leaves the application's focus changes and keys before the window's
    // widgets go, whose hiding changes the focus.
    ~MainWindow() override;

    static const QString Caption;  // "ポムル Ver" and the program's version
    static constexpr QSize ClientSize{1018, 743};

    Drill& drill() { return drill_; }
    Platform& platform() { return drill_.platform; }

    // DrillControls
    Canvas& canvas(int index) override;
    AnswerBox& answerBox(int index) override;
    void showCheckButton(int index) override;
    void showKeypad(int index) override;

    // The grade button "３年生".
    void showGradeButton();
    void hideGradeButton();
    void setGradeButtonColor(QRgb color);

    // The level menu: shown at its place over the window; the keyboard focus
    // on the chosen level's option, or on the first option before a level is
    // chosen.
    void showLevelMenu();
    void focusChosenLevel();

    // The page of a canvas, 0 or 1. Showing it hides the other canvas and the
    // level menu, places the page and gives it the focus.
    void showPage(int canvas);
    void hidePage(int canvas);
    // Every "ﾁｪｯｸ" button of both canvases.
    void hideCheckButtons();
    // The answer box, the "ﾁｪｯｸ" button and the keypad of index 0 to 2.
    void hideRowControls(int index);

    // The two layouts of start-up: the large one for screens 1000 pixels and
    // wider, the small one, with a smaller client area, for the others.
    void applyLargeLayout();
    void applySmallLayout();

    // Builds the controls on both canvases now, where they are not built
    // yet: what a test or a tool that looks for them by name first calls.
    void buildPages();

    // The whole window's zoom. The client area of the layout in logical
    // pixels; the window opens at the start-up factor, and wherever it is
    // larger (maximised, full screen, its edges dragged) the content takes
    // the largest factor that fits, centred.
    Zoom& zoom() { return zoom_; }
    QSize logicalClientSize() const { return logicalClient_; }
    double startFactor() const { return startFactor_; }
    void setStartFactor(double factor);
    // F11: full screen and back.
    void toggleFullScreen();

    // The smallest factor the window may be made: below it the large layout
    // is unreadable, and start-up takes the small one instead.
    static constexpr double SmallestFactor = 0.75;

    // The keyboard (keyboard.cpp). The row (1 to 3) whose row or answer box
    // holds the focus on the page, or 0.
    int focusedRow() const;
    // Whether the outlines of the focus show: once a key that moves or uses
    // the focus has been pressed.
    bool outlinesShown() const { return outlinesShown_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    // Watches the keys that reach the window's controls for the first one
    // that moves or uses the focus.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // What the screen reader is told of a row, and when, is decided by what
    // a press, a click or a key changed in it.
    struct RowSeen {
        bool started;
        int problems;
        float attempts;
    };
    RowSeen seeRow(int row) const;
    void afterRowInput(int row, const RowSeen& before);
    void afterRowKey(int row, RowKeyResult result, const RowSeen& before);
    bool rowKey(int row, int key, const QString& text);
    // The focus on a row of the page: its answer box on a started row of a
    // typed level, the row itself otherwise.
    void focusRow(int row);
    void showOutlines();
    void updateOutlines();
    // The row's problem as its controls describe it and the screen reader
    // says it, after `before` (a mark, or nothing).
    void tellRow(int row, const QString& before);
    void describeRow(int row);
    void buildRowFocus(int canvas);
    bool pageShown() const;
    void readyRowsForKeys();

    void buildLevelPanel();
    void buildCanvas(int canvas, QSize size);
    // The controls on a canvas, once; every call that reaches one of them
    // asks for its canvas first.
    void buildPage(int canvas);
    void buildControls0();
    void buildControls1();
    void buildKeypad(int strip);
    void buildPictures(int canvas, QPoint boy, QPoint girl, QPoint children);
    void nameControls();
    void connectHandlers();
    void connectPage(int canvas);
    // Names and descriptions for screen readers (accessibility.cpp): the
    // window's own, and those of a canvas's controls as they are built.
    void describeForScreenReaders();
    void describePage(int canvas);
    void finishAfterFirstFrame();
    void setLogicalClientSize(QSize size);
    // z and the content's place for the window's present size.
    void fitContent();
    // A button array in one group whose ids are its indices: the buttons
    // built so far; the rest join it as their canvas is built.
    template <std::size_t N>
    QButtonGroup* groupButtons(const std::array<ColourButton*, N>& buttons);

    // The control arrays, indexed as the handlers know them.
    std::array<ColourButton*, 1> Command1{};      // grade button "３年生"
    std::array<CanvasWidget*, 2> Picture1{};     // the canvases
    std::array<QWidget*, 1> Picture7{};          // the level panel
    std::array<QLabel*, 1> Label2{};             // the panel's title
    std::array<ColourButton*, 1> Command10{};     // "けってい"
    std::array<ColourButton*, 1> Command2{};      // "おわり"
    std::array<QRadioButton*, LevelCount> Option2{};  // the level options, one per level
    std::array<QLabel*, 2> Label1{};             // the canvases' headings
    std::array<ColourButton*, 2> Command8{};      // "終わる"
    std::array<AnswerBoxWidget*, 3> Text1{};     // the answer boxes of rows 1 to 3
    std::array<ColourButton*, 6> Command5{};      // "ﾁｪｯｸ": 0 to 2 on canvas 0, 3 to 5 on canvas 1
    std::array<QWidget*, 3> Picture6{};          // the keypad strips of rows 1 to 3
    std::array<ColourButton*, 30> Command6{};     // the digit keys
    std::array<ColourButton*, 3> Command11{};     // the point keys
    std::array<ColourButton*, 3> Command7{};      // the erase keys "けす"
    std::array<PictureBox*, 2> Picture2{};       // the girl
    std::array<PictureBox*, 2> Picture3{};       // the puzzled boy
    std::array<PictureBox*, 2> Picture4{};       // the group of children

    // Which canvases have their controls; the button arrays that lie on
    // both canvases, or only on canvas 0, are each one group from the
    // start, and a canvas's buttons join them as it is built.
    std::array<bool, 2> pageBuilt_{};
    QButtonGroup* checkButtons_ = nullptr;  // Command5
    QButtonGroup* digitKeys_ = nullptr;     // Command6
    QButtonGroup* pointKeys_ = nullptr;     // Command11
    QButtonGroup* eraseKeys_ = nullptr;     // Command7
    QButtonGroup* backButtons_ = nullptr;   // Command8
    // The small layout leaves the puzzled boy out on both canvases.
    bool boysShown_ = true;

    Zoom zoom_{this};
    QSize logicalClient_ = ClientSize;
    double startFactor_ = 1.0;
    // The rows of each canvas as the keyboard knows them, the tape's cell
    // cursor of each row (0 at the left), and the screen reader's voice.
    std::array<std::array<RowFocus*, 3>, 2> rowFocus_{};
    std::array<int, LastRow + 1> cursors_{};
    bool outlinesShown_ = false;
    Announcer* announcer_ = nullptr;

    Drill drill_;
};

} // namespace pomuru
