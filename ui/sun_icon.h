#pragma once

#include <QIcon>
#include <QImage>
#include <QList>
#include <QPixmap>

#include "ui/icon_images.h"

// The programs' sun icon, from its compiled-in 16-colour images (16 and 32 pixels).
inline QIcon SunIcon() {
    const QList<QRgb> palette(icon_images::kPalette.begin(), icon_images::kPalette.end());
    QIcon icon;
    for (const auto& [pixels, side] :
         {std::pair{icon_images::kSun16.data(), 16}, std::pair{icon_images::kSun32.data(), 32}}) {
        QImage image(pixels, side, side, side, QImage::Format_Indexed8);
        image.setColorTable(palette);
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}
