#include "ui/form1.h"

#include <QEvent>
#include <QIcon>
#include <QImage>
#include <QLocale>
#include <QMessageBox>
#include <QPixmap>
#include <QScreen>
#include <QWindow>

#include "calc/calculate.h"
#include "ui/caption_font.h"
#include "ui/icon_images.h"

namespace {

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The layout is drawn in twips, 15 to a pixel at 96 dpi; Qt scales pixels for high-DPI screens.
constexpr int kTwipsPerPixel = 15;

QRect FromTwips(int left, int top, int width, int height) {
    return {left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
            height / kTwipsPerPixel};
}

// The icon is compiled in as 16-colour pixels: no image file to find and decode at start-up.
QPixmap SunImage(const uchar* pixels, int side) {
    QImage image(pixels, side, side, side, QImage::Format_Indexed8);
    image.setColorTable(QList<QRgb>(icon_images::kPalette.begin(), icon_images::kPalette.end()));
    return QPixmap::fromImage(image);
}

} // namespace

Form1::Form1(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("标准椭圆封头Velmora"));
    QIcon icon;
    icon.addPixmap(SunImage(icon_images::kSun16.data(), 16));
    icon.addPixmap(SunImage(icon_images::kSun32.data(), 32));
    setWindowIcon(icon);
    setFixedSize(FromTwips(0, 0, 6840, 6165).size());

    const QFont captionFont = CaptionFont();
    struct Caption {
        QLabel& label;
        const char* name;
        QString text;
        QRect rect;
    };
    for (const Caption& c : {
             Caption{Label1, "Label1", QStringLiteral("容器缝对缝长度(mm)："),
                     FromTwips(480, 360, 2295, 375)},
             Caption{Label2, "Label2", QStringLiteral("容器外径(mm)："),
                     FromTwips(480, 1080, 2055, 375)},
             Caption{Label5, "Label5", QStringLiteral("容器壁厚(mm):"),
                     FromTwips(480, 1800, 2055, 375)},
             Caption{Label6, "Label6", QStringLiteral("封头直边高度(mm):"),
                     FromTwips(480, 2520, 2055, 375)},
             Caption{Label3, "Label3", QStringLiteral("液位高度(mm)： "),
                     FromTwips(480, 3240, 2055, 375)},
             Caption{Label4, "Label4", FromUtf8(calc::ResultPrefix),
                     FromTwips(960, 4200, 4815, 735)},
         }) {
        c.label.setParent(this);
        c.label.setObjectName(QLatin1String(c.name));
        c.label.setText(c.text);
        c.label.setTextFormat(Qt::PlainText);
        c.label.setAlignment(Qt::AlignLeft | Qt::AlignTop);
        c.label.setFont(captionFont);
        c.label.setGeometry(c.rect);
    }

    struct Field {
        QLineEdit& edit;
        const char* name;
        QRect rect;
    };
    for (const Field& f : {Field{L, "L", FromTwips(3120, 240, 2055, 495)},
                           Field{D, "D", FromTwips(3120, 960, 2055, 495)},
                           Field{Delta, "Delta", FromTwips(3120, 1680, 2055, 495)},
                           Field{Hs, "Hs", FromTwips(3120, 2400, 2055, 495)},
                           Field{H, "H", FromTwips(3120, 3120, 2055, 495)}}) {
        f.edit.setParent(this);
        f.edit.setObjectName(QLatin1String(f.name));
        f.edit.setGeometry(f.rect);
    }

    Command1.setParent(this);
    Command1.setObjectName(QStringLiteral("Command1"));
    Command1.setText(QStringLiteral("计     算"));
    Command1.setFont(captionFont);
    Command1.setGeometry(FromTwips(2640, 5400, 1575, 495));
    Command1.setAutoDefault(false);
    connect(&Command1, &QPushButton::clicked, this, &Form1::Command1_Click);

    setTabOrder(&Command1, &L);
    setTabOrder(&L, &D);
    setTabOrder(&D, &Delta);
    setTabOrder(&Delta, &Hs);
    setTabOrder(&Hs, &H);
    Command1.setFocus();

    Form_Load();
}

void Form1::Form_Load() {
    const QRect screenRect = screen()->geometry();
    centredFrameSize = frameGeometry().size();
    move(screenRect.x() + (screenRect.width() - centredFrameSize.width()) / 2,
         screenRect.y() + (screenRect.height() - centredFrameSize.height()) / 2);
}

void Form1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The window manager's frame is known only once the window is mapped: watch for the first
    // expose to centre again with it, before anything is painted.
    if (QWindow* window = windowHandle()) {
        window->installEventFilter(this);
    }
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Expose && watched == windowHandle()) {
        watched->removeEventFilter(this);
        if (frameGeometry().size() != centredFrameSize) {
            Form_Load();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::Command1_Click() {
    Label4.setText(FromUtf8(calc::ResultPrefix));

    const calc::FieldTexts fields{L.text().toStdString(), D.text().toStdString(),
                                  Delta.text().toStdString(), Hs.text().toStdString(),
                                  H.text().toStdString()};
    const calc::NumberLocale locale{QLocale::system().decimalPoint().toStdString()};
    const calc::CalcOutcome outcome = calc::Calculate(fields, locale);

    if (outcome.kind == calc::OutcomeKind::Result) {
        // The result's lines are separated by a carriage return, which a label does not break at.
        QString text = QString::fromStdString(outcome.labelText);
        text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        Label4.setText(text);
        return;
    }
    QMessageBox box(QMessageBox::Warning, FromUtf8(calc::WarningTitle),
                    QString::fromStdString(outcome.message), QMessageBox::Ok, this);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    box.exec();
}
