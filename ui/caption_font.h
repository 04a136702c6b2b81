#pragma once

#include <QFont>
#include <QStringList>

// The labels' and the button's font: the classic dialog face first, 9.75 points; where it is
// missing, or has no Chinese glyphs, the CJK faces that follow draw the captions.
inline QFont CaptionFont() {
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Noto Sans CJK SC"),
                      QStringLiteral("Source Han Sans SC"), QStringLiteral("WenQuanYi Micro Hei"),
                      QStringLiteral("Microsoft YaHei"), QStringLiteral("SimSun")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(9.75);
    return font;
}
