#pragma once

#include <QIcon>
#include <QImage>
#include <QList>
#include <QPixmap>

#include <array>
#include <cstdint>
#include <initializer_list>

#include "ui/icon_images.h"

// The programs' sun icon in the sizes asked for (16, 32, 48, 256), from its compiled-in 16-colour
// images: 16 and 32 pixels one index to a byte, 48 and 256 pixels two to a byte, the left one in
// the high half.
inline QIcon SunIcon(std::initializer_list<int> sides = {16, 32, 48, 256}) {
    const QList<QRgb> palette(icon_images::kPalette.begin(), icon_images::kPalette.end());
    QIcon icon;
    auto add = [&](auto pixelAt, int side) {
        QImage image(side, side, QImage::Format_Indexed8);
        image.setColorTable(palette);
        for (int y = 0; y < side; ++y) {
            uchar* line = image.scanLine(y);
            for (int x = 0; x < side; ++x) {
                line[x] = pixelAt(static_cast<std::size_t>(y * side + x));
            }
        }
        icon.addPixmap(QPixmap::fromImage(image));
    };
    auto plain = [](const auto& pixels) {
        return [&pixels](std::size_t i) { return static_cast<uchar>(pixels[i]); };
    };
    auto packed = [](const auto& pixels) {
        return [&pixels](std::size_t i) {
            const std::uint8_t pair = pixels[i / 2];
            return static_cast<uchar>(i % 2 == 0 ? pair >> 4 : pair & 0x0f);
        };
    };
    for (const int side : sides) {
        switch (side) {
        case 16:
            add(plain(icon_images::kSun16), 16);
            break;
        case 32:
            add(plain(icon_images::kSun32), 32);
            break;
        case 48:
            add(packed(icon_images::kSun48Packed), 48);
            break;
        case 256:
            add(packed(icon_images::kSun256Packed), 256);
            break;
        default:
            break;
        }
    }
    return icon;
}
