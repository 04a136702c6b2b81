// The floor the toolkit sets: the smallest Qt Widgets program showing a window of the
// calculator's size with one label, the result prefix, in the captions' font.

#include <QApplication>
#include <QLabel>
#include <QWidget>

#include "bench/first_expose.h"
#include "ui/caption_font.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    FirstExpose probe;
    app.installEventFilter(&probe);
    QWidget window;
    window.setFixedSize(456, 411);
    QLabel label(QStringLiteral("容器内液体总体积："), &window);
    label.setFont(CaptionFont());
    label.setGeometry(64, 280, 321, 49);
    window.show();
    return QApplication::exec();
}
