// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#include "before_window.h"

#include <QCoreApplication>
#include <QDir>
#include <QList>

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace pomuru {

namespace {

bool environmentSet(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

// The plugin files of a platform, as Qt's packages name them.
QStringList pluginFiles(const QString& platform)
{
    if (platform == u"xcb")
        return {QStringLiteral("libqxcb.so")};
    if (platform.startsWith(u"wayland"))
        return {QStringLiteral("libqwayland-*.so")};
    return {};
}

QtMessageHandler previousHandler = nullptr;

// What Qt says while its platform starts, held back until it is known
// whether the start fails: then the Japanese sentence comes first.
struct HeldMessage {
    QtMsgType type;
    QString category;
    QString message;
};
QList<HeldMessage> heldMessages;

void passOn(const HeldMessage& held)
{
    const QByteArray category = held.category.toUtf8();
    const QMessageLogContext context(nullptr, 0, nullptr, category.constData());
    if (previousHandler != nullptr)
        previousHandler(held.type, context, held.message);
}

void passOnHeld()
{
    const QList<HeldMessage> held = std::exchange(heldMessages, {});
    for (const HeldMessage& message : held)
        passOn(message);
}

void explainFatal(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type != QtFatalMsg) {
        heldMessages.append({type, QString::fromUtf8(context.category), message});
        return;
    }
    std::fputs("pomuru: ウィンドウを開けませんでした。画面（ディスプレイ）につながらないか、"
               "Qt のプラグインがうまく読みこめません。Qt のことばでは、つぎのとおりです。\n",
               stderr);
    passOnHeld();
    if (previousHandler != nullptr)
        previousHandler(type, context, message);
}

} // namespace

QStringList requestedPlatforms()
{
    QStringList platforms;
    const QString named = qEnvironmentVariable("QT_QPA_PLATFORM");
    for (const QString& platform : named.split(u';', Qt::SkipEmptyParts))
        platforms << platform.section(u':', 0, 0);
    if (!platforms.isEmpty())
        return platforms;
    if (qEnvironmentVariable("XDG_SESSION_TYPE") == u"wayland")
        platforms << QStringLiteral("wayland");
    return platforms << QStringLiteral("xcb");
}

QString installedPlatform(const QStringList& platforms, const QStringList& directories)
{
    for (const QString& platform : platforms) {
        const QStringList files = pluginFiles(platform);
        if (files.isEmpty())
            return platform;
        for (const QString& directory : directories) {
            if (!QDir(directory).entryList(files, QDir::Files).isEmpty())
                return platform;
        }
    }
    return {};
}

QStringList platformPluginDirectories()
{
    QStringList directories = qEnvironmentVariable("QT_QPA_PLATFORM_PLUGIN_PATH").split(u':', Qt::SkipEmptyParts);
    // Before the application object, its own directory is not among them;
    // Qt's, and those of QT_PLUGIN_PATH, are.
    for (const QString& directory : QCoreApplication::libraryPaths())
        directories << directory + QStringLiteral("/platforms");
    return directories;
}

QString windowObstacle()
{
    if (!environmentSet("QT_QPA_PLATFORM") && !environmentSet("DISPLAY") && !environmentSet("WAYLAND_DISPLAY"))
        return QStringLiteral(
            "pomuru: ウィンドウを開く画面（ディスプレイ）がありません。デスクトップの中で起動してください。"
            "デスクトップのないコンピューターでは、xvfb-run -s \"-screen 0 1280x800x24\" pomuru で起動できます。\n"
            "pomuru: there is no display to open the window on; start it from a desktop session, "
            "or without one as `xvfb-run -s \"-screen 0 1280x800x24\" pomuru`.\n");
    const QStringList platforms = requestedPlatforms();
    if (installedPlatform(platforms, platformPluginDirectories()).isEmpty())
        return QStringLiteral(
                   "pomuru: ウィンドウを開くための Qt のプラグイン（%1）が入っていません。"
                   "コンピューターの管理者が sudo apt-get install qt6-qpa-plugins libqt6gui6 で入れてください。\n"
                   "pomuru: Qt's platform plugin for the window (%1) is not installed; "
                   "install it with `sudo apt-get install qt6-qpa-plugins libqt6gui6`.\n")
            .arg(platforms.join(QStringLiteral(", ")));
    return {};
}

PlatformStartMessages::PlatformStartMessages()
    : previous_(qInstallMessageHandler(explainFatal))
{
    previousHandler = previous_;
}

PlatformStartMessages::~PlatformStartMessages()
{
    passOnHeld();
    qInstallMessageHandler(previous_);
    previousHandler = nullptr;
}

} // namespace pomuru
