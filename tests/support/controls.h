// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#pragma once

// The window's controls as a test or a benchmark reaches them: by the name
// of their control array and their index, which the window gives each of
// them as its object name ("Command5_3"). The controls on the canvases are
// built after the window's first frame, or when the drill first needs them;
// one looked for before then is built first, as the window builds it.

#include "app/main_window.h"

#include <QList>
#include <QString>
#include <QWidget>

namespace pomuru::testing {

inline QString controlName(const char* array, int index)
{
    return QLatin1String(array) + u'_' + QString::number(index);
}

// The window's controls once its canvases have theirs.
inline const QWidget& withPages(const QWidget& window)
{
    if (auto* drill = qobject_cast<const MainWindow*>(&window))
        const_cast<MainWindow*>(drill)->buildPages();
    return window;
}

// The control array[index] of the window, of type Control. A control that
// is not there, or not of that type, ends the run with its name.
template <typename Control>
Control* control(const QWidget& window, const char* array, int index)
{
    const QString name = controlName(array, index);
    auto* found = window.findChild<Control*>(name);
    if (found == nullptr)
        found = withPages(window).findChild<Control*>(name);
    if (found == nullptr)
        qFatal("the window has no %s named %s", Control::staticMetaObject.className(), qPrintable(name));
    return found;
}

// The whole control array, in the order of its indices.
template <typename Control>
QList<Control*> controls(const QWidget& window, const char* array)
{
    const QWidget& built = withPages(window);
    QList<Control*> found;
    while (auto* next = built.findChild<Control*>(controlName(array, int(found.size()))))
        found.push_back(next);
    if (found.isEmpty())
        qFatal("the window has no control array %s", array);
    return found;
}

} // namespace pomuru::testing
