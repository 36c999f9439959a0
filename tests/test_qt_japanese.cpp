// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers
//
// What Qt itself shows in the window speaks Japanese whatever the system's
// language: the answer box's context menu, with Qt's own translations.

#include "support/window_fixture.h"

#include "app/translations.h"

#include <QMenu>
#include <QTest>

#include <memory>

using namespace pomuru;
using namespace pomuru::testing;

namespace {

// The texts of the answer box's context menu, without separators and
// without the shortcut after the tab.
QStringList contextMenuTexts(QLineEdit* box)
{
    const std::unique_ptr<QMenu> menu(box->createStandardContextMenu());
    QStringList texts;
    for (const QAction* action : menu->actions()) {
        if (!action->isSeparator())
            texts << action->text().section(u'\t', 0, 0);
    }
    return texts;
}

bool hasJapanese(const QString& text)
{
    // Hiragana, katakana and the CJK ideographs.
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() >= 0x3040 && c.unicode() <= 0x9FFF; });
}

} // namespace

class TestQtJapanese : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void answerBoxContextMenuIsJapanese();
};

void TestQtJapanese::answerBoxContextMenuIsJapanese()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    WindowFixture fx;
    QLineEdit* box = fx.control<AnswerBoxWidget>("Text1", 0);
    const QStringList english = contextMenuTexts(box);
    QCOMPARE(english.value(0), QStringLiteral("&Undo"));  // Qt's own text, untranslated

    if (!installQtJapanese())
        QSKIP("Qt's Japanese translations are not installed (Debian: qt6-translations-l10n)");
    const QStringList japanese = contextMenuTexts(box);
    QCOMPARE(japanese.size(), english.size());
    for (qsizetype i = 0; i < japanese.size(); ++i)
        QVERIFY2(hasJapanese(japanese[i]), qPrintable(english[i] + QStringLiteral(" → ") + japanese[i]));
    QVERIFY2(japanese.value(0).startsWith(QStringLiteral("元に戻す")), qPrintable(japanese.value(0)));
}

QTEST_MAIN(TestQtJapanese)
#include "test_qt_japanese.moc"
