// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#include "window_icon.h"

#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <array>

namespace pomuru {

namespace {

constexpr std::array IconSizes{16, 22, 24, 32, 48, 64, 128, 256};

QString iconFile(int size)
{
    // The title bar's size is kept apart: the first frame reads it alone.
    return size == 16 ? QStringLiteral(":/assets/icon16.png")
                      : QStringLiteral(":/assets/icons/hicolor/%1x%1/apps/pomuru.png").arg(size);
}

QPixmap readIcon(int size)
{
    // A format named and not guessed: guessing asks every image plugin
    // installed whether it reads the file, and loads each of them.
    QImageReader reader(iconFile(size), "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

// Reads the size asked for from its file. What no file holds as it is (a
// size in between, a disabled or selected rendering) comes from an icon
// that holds every size, made for that one request, so that it is what that
// icon would give.
class IconFiles final : public QIconEngine {
public:
    QIconEngine* clone() const override { return new IconFiles; }
    QString key() const override { return QStringLiteral("pomuru.IconFiles"); }

    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        if (mode != QIcon::Normal || state != QIcon::Off)
            return {};
        QList<QSize> sizes;
        for (const int size : IconSizes)
            sizes.append(QSize(size, size));
        return sizes;
    }

    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        if (fromFile(size, mode, state))
            return size;
        return iconAtEverySizeHeld().actualSize(size, mode, state);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        if (fromFile(size, mode, state))
            return readIcon(size.width());
        // At a ratio of 1 an icon hands the request to its engine as it is.
        return iconAtEverySizeHeld().pixmap(size, 1.0, mode, state);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        iconAtEverySizeHeld().paint(painter, rect, Qt::AlignCenter, mode, state);
    }

private:
    static bool fromFile(const QSize& size, QIcon::Mode mode, QIcon::State state)
    {
        if (mode != QIcon::Normal || state != QIcon::Off || size.width() != size.height())
            return false;
        return std::find(IconSizes.begin(), IconSizes.end(), size.width()) != IconSizes.end();
    }
};

} // namespace

QIcon titleBarIcon()
{
    return QIcon(readIcon(16));
}

QIcon iconAtEverySize()
{
    return QIcon(new IconFiles);
}

QIcon iconAtEverySizeHeld()
{
    QIcon icon(iconFile(16));
    for (const int size : IconSizes) {
        if (size != 16)
            icon.addFile(iconFile(size), QSize(size, size));
    }
    return icon;
}

} // namespace pomuru
