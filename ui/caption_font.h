#pragma once

#include <QFont>
#include <QStringList>

#include "design/form1_design.h"

// The labels' and the button's font, as the window's design gives it: the classic dialog face
// first, 9.75 points; where it is missing, or has no Chinese glyphs, the faces that follow draw
// the captions.
inline QFont CaptionFont() {
    const design::FontDesign& caption = design::Form1().captionFont;
    QStringList families;
    for (const std::string_view face : caption.faces) {
        families.append(QString::fromUtf8(face.data(), static_cast<qsizetype>(face.size())));
    }
    QFont font;
    font.setFamilies(families);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(caption.pointSize);
    return font;
}
