// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#pragma once

#include "widgets.h"

#include "engine/drill.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

#include <array>

namespace pomuru {

// The one window of the program, Form1. It builds every control once, with
// the names and indices of its control arrays, and forwards each control's
// event to its handler; the handlers live in the files of their subsystem.
class MainWindow : public QWidget, public DrillControls {
    Q_OBJECT
public:
    explicit MainWindow(Platform& platform);

    static inline const QString Caption = QStringLiteral("ポムル Ver1.0.1");
    static constexpr QSize ClientSize{1018, 743};

    Drill& drill() { return drill_; }
    Platform& platform() { return drill_.platform; }

    // DrillControls
    Canvas& canvas(int index) override { return Picture1.at(std::size_t(index))->canvas(); }
    AnswerBox& answerBox(int index) override { return *Text1.at(std::size_t(index)); }
    void showCheckButton(int index) override { Command5.at(std::size_t(index))->show(); }
    void showKeypad(int index) override { Picture6.at(std::size_t(index))->show(); }

    // The control arrays, indexed as the handlers know them.
    std::array<ColourButton*, 1> Command1{};      // grade button "３年生"
    std::array<CanvasWidget*, 2> Picture1{};     // the canvases
    std::array<QWidget*, 1> Picture7{};          // the level panel
    std::array<QLabel*, 1> Label2{};             // the panel's title
    std::array<ColourButton*, 1> Command10{};     // "けってい"
    std::array<ColourButton*, 1> Command2{};      // "おわり"
    std::array<QRadioButton*, 10> Option2{};     // the level options
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

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildLevelPanel();
    void buildCanvas0();
    void buildCanvas1();
    void buildKeypad(int strip);
    void buildPictures(int canvas, QPoint boy, QPoint girl, QPoint children);
    void connectHandlers();
    void finishAfterFirstFrame();

    Drill drill_;
};

} // namespace pomuru
