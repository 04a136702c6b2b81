#include "ui/form1.h"

#include <QAction>
#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QKeyEvent>
#include <QLocale>
#include <QMessageBox>
#include <QPixmap>
#include <QScreen>
#include <QWindow>

#include <array>
#include <cstdint>
#include <limits>

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

// The large renderings are stored two pixels to a byte.
template <std::size_t N>
QPixmap PackedSunImage(const std::array<std::uint8_t, N>& packed, int side) {
    QImage image(side, side, QImage::Format_Indexed8);
    image.setColorTable(QList<QRgb>(icon_images::kPalette.begin(), icon_images::kPalette.end()));
    const auto half = static_cast<std::size_t>(side / 2);
    for (int y = 0; y < side; ++y) {
        uchar* line = image.scanLine(y);
        for (std::size_t i = 0; i < half; ++i) {
            const std::uint8_t pair = packed[static_cast<std::size_t>(y) * half + i];
            line[2 * i] = pair >> 4;
            line[2 * i + 1] = pair & 0x0f;
        }
    }
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
    icon.addPixmap(PackedSunImage(icon_images::kSun48Packed, 48));
    icon.addPixmap(PackedSunImage(icon_images::kSun256Packed, 256));
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

    // The result can be selected and copied with the mouse, but never takes the keyboard focus.
    // Its menu is the label's own: Qt gives a plain-text label's selection no context menu.
    Label4.setTextInteractionFlags(Qt::TextSelectableByMouse);
    Label4.setFocusPolicy(Qt::NoFocus);
    Label4.setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* copy = new QAction(QStringLiteral("复制"), &Label4);
    connect(copy, &QAction::triggered, this, [this] {
        QString text = Label4.selectedText();
        text.replace(QChar::ParagraphSeparator, QLatin1Char('\n')); // how a selection holds a break
        QGuiApplication::clipboard()->setText(text.isEmpty() ? Label4.text() : text);
    });
    auto* selectAll = new QAction(QStringLiteral("全选"), &Label4);
    connect(selectAll, &QAction::triggered, this,
            [this] { Label4.setSelection(0, static_cast<int>(Label4.text().size())); });
    Label4.addActions({copy, selectAll});

    struct Field {
        QLineEdit& edit;
        QLabel& caption;
        const char* name;
        QRect rect;
    };
    for (const Field& f : {Field{L, Label1, "L", FromTwips(3120, 240, 2055, 495)},
                           Field{D, Label2, "D", FromTwips(3120, 960, 2055, 495)},
                           Field{Delta, Label5, "Delta", FromTwips(3120, 1680, 2055, 495)},
                           Field{Hs, Label6, "Hs", FromTwips(3120, 2400, 2055, 495)},
                           Field{H, Label3, "H", FromTwips(3120, 3120, 2055, 495)}}) {
        f.edit.setParent(this);
        f.edit.setObjectName(QLatin1String(f.name));
        f.edit.setGeometry(f.rect);
        // Qt's default keeps 32767 characters and silently drops the rest of a paste.
        f.edit.setMaxLength(std::numeric_limits<int>::max());
        f.caption.setBuddy(&f.edit); // screen readers name the field by its caption
    }

    Command1.setParent(this);
    Command1.setObjectName(QStringLiteral("Command1"));
    Command1.setText(QStringLiteral("计     算"));
    Command1.setFont(captionFont);
    Command1.setGeometry(FromTwips(2640, 5400, 1575, 495));
    Command1.setAutoDefault(false);
    Command1.installEventFilter(this); // Enter on the focused button presses it
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
    if (watched == &Command1 && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            if (!key->isAutoRepeat()) {
                Command1.click();
            }
            return true;
        }
    }
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
