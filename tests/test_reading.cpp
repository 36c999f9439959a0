// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// How a typed answer is read: the reading rule, the two placeholders for
// texts that are never right, and the full-width forms of a Japanese input
// method.

#include "answer/reading.h"

#include <QTest>

using namespace pomuru;

class TestReading : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void typedAnswer_data();
    void typedAnswer();
};

void TestReading::typedAnswer_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("read");

    QTest::newRow("0.5") << QStringLiteral("0.5") << 0.5;
    QTest::newRow("0.50: trailing zero after a point") << QStringLiteral("0.50") << TrailingZeroAnswer;
    QTest::newRow(".5: leading point") << QStringLiteral(".5") << LeadingPointAnswer;
    QTest::newRow("3.: point without digits after it") << QStringLiteral("3.") << 3.0;
    QTest::newRow("10: trailing zero without a point") << QStringLiteral("10") << 10.0;
    QTest::newRow("1.2.3: reading stops at the second point") << QStringLiteral("1.2.3") << 1.2;
    QTest::newRow("5cm: reading stops at a letter") << QStringLiteral("5cm") << 5.0;
    QTest::newRow("abc: no number reads as 0") << QStringLiteral("abc") << 0.0;
    QTest::newRow("blanks anywhere are ignored") << QStringLiteral(" 1 .\t2\n") << 1.2;
    QTest::newRow("a carriage return ends the number") << QStringLiteral("5\r3") << 5.0;
    QTest::newRow("sign") << QStringLiteral("-2.5") << -2.5;
    QTest::newRow("plus sign") << QStringLiteral("+7") << 7.0;
    QTest::newRow("a second sign stops reading") << QStringLiteral("--3") << 0.0;
    QTest::newRow("a blank before the point is not a leading point") << QStringLiteral(" .5") << 0.5;
    QTest::newRow("a lone point") << QStringLiteral(".") << LeadingPointAnswer;
    QTest::newRow("1.0 ends with a zero after a point") << QStringLiteral("1.0") << TrailingZeroAnswer;
    QTest::newRow("a trailing zero after other text") << QStringLiteral("1.5cm0") << TrailingZeroAnswer;
    QTest::newRow("no exponent") << QStringLiteral("1e3") << 1.0;
    QTest::newRow("no radix prefix") << QStringLiteral("&H10") << 0.0;
    QTest::newRow("comma is not a decimal mark") << QStringLiteral("0,5") << 0.0;
    QTest::newRow("far too many digits") << QString(400, u'9') << qInf();
    QTest::newRow("far too many zeros after a point") << QStringLiteral("0.") + QString(400, u'0') + u'1' << 0.0;

    // A Japanese input method types full-width forms.
    QTest::newRow("full-width ０．５") << QStringLiteral("０．５") << 0.5;
    QTest::newRow("full-width ２．３") << QStringLiteral("２．３") << 2.3;
    QTest::newRow("full-width １５") << QStringLiteral("１５") << 15.0;
    QTest::newRow("full-width ．５ is a leading point") << QStringLiteral("．５") << LeadingPointAnswer;
    QTest::newRow("full-width ０．５０ ends with a zero") << QStringLiteral("０．５０") << TrailingZeroAnswer;
    QTest::newRow("full-width minus") << QStringLiteral("－１") << -1.0;
    QTest::newRow("ideographic space is ignored") << QStringLiteral("１\u3000．２") << 1.2;
    QTest::newRow("emoji reads as 0") << QStringLiteral("😀1") << 0.0;
    QTest::newRow("empty text reads as 0") << QString() << 0.0;
}

void TestReading::typedAnswer()
{
    QFETCH(QString, typed);
    QFETCH(double, read);
    QCOMPARE(pomuru::typedAnswer(typed), read);
}

QTEST_MAIN(TestReading)
#include "test_reading.moc"
