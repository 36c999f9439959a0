// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#pragma once

// What stands in the way of the window, told to whoever started the program
// from a terminal before Qt's GUI starts: in Japanese, as the rest of the
// program speaks, with an English line after it. Qt's own messages at this
// point are English only.

#include <QString>
#include <QStringList>
#include <QtMessageHandler>

namespace pomuru {

// The platform plugins Qt is asked to open the window with: those that
// QT_QPA_PLATFORM names, or X11's and, in a Wayland session, Wayland's.
// Each name without its arguments.
QStringList requestedPlatforms();

// The first of `platforms` whose plugin is in one of `directories`; empty
// when none is. A name the program does not know is taken as found: Qt
// may know where it is.
QString installedPlatform(const QStringList& platforms, const QStringList& directories);

// Where Qt looks for platform plugins.
QStringList platformPluginDirectories();

// Why the window cannot open, as seen before Qt starts (no display named,
// no platform plugin installed); empty when nothing that can be seen stands
// in the way.
QString windowObstacle();

// While it lives, Qt's fatal messages (the display that cannot be reached,
// a plugin that does not load) come after a Japanese sentence.
class PlatformStartMessages {
public:
    PlatformStartMessages();
    ~PlatformStartMessages();
    PlatformStartMessages(const PlatformStartMessages&) = delete;
    PlatformStartMessages& operator=(const PlatformStartMessages&) = delete;

private:
    QtMessageHandler previous_;
};

} // namespace pomuru
