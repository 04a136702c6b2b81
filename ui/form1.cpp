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
#include <string_view>
#include <utility>
#include <vector>

#include "calc/calculate.h"
#include "design/form1_design.h"
#include "ui/caption_font.h"
#include "ui/icon_images.h"

namespace {

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The layout is drawn in twips, 15 to a pixel at 96 dpi; Qt scales pixels for high-DPI screens.
constexpr int kTwipsPerPixel = design::kTwipsPerInch / 96;

QRect FromTwips(const design::TwipsRect& r) {
    return {r.left / kTwipsPerPixel, r.top / kTwipsPerPixel, r.width / kTwipsPerPixel,
            r.height / kTwipsPerPixel};
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

// The label's text can be selected and copied with the mouse, but the label never takes the
// keyboard focus. Its menu is its own: Qt gives a plain-text label's selection no context menu.
void MakeSelectable(QLabel& label) {
    label.setTextInteractionFlags(Qt::TextSelectableByMouse);
    label.setFocusPolicy(Qt::NoFocus);
    label.setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* copy = new QAction(QStringLiteral("复制"), &label);
    QObject::connect(copy, &QAction::triggered, &label, [&label] {
        QString text = label.selectedText();
        text.replace(QChar::ParagraphSeparator, QLatin1Char('\n')); // how a selection holds a break
        QGuiApplication::clipboard()->setText(text.isEmpty() ? label.text() : text);
    });
    auto* selectAll = new QAction(QStringLiteral("全选"), &label);
    QObject::connect(selectAll, &QAction::triggered, &label,
                     [&label] { label.setSelection(0, static_cast<int>(label.text().size())); });
    label.addActions({copy, selectAll});
}

} // namespace

Form1::Form1(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint) {
    const design::WindowDesign& form = design::Form1();
    setObjectName(FromUtf8(form.name));
    setWindowTitle(FromUtf8(form.caption));
    QIcon icon;
    icon.addPixmap(SunImage(icon_images::kSun16.data(), 16));
    icon.addPixmap(SunImage(icon_images::kSun32.data(), 32));
    icon.addPixmap(PackedSunImage(icon_images::kSun48Packed, 48));
    icon.addPixmap(PackedSunImage(icon_images::kSun256Packed, 256));
    setWindowIcon(icon);
    setFixedSize(FromTwips({0, 0, form.clientWidth, form.clientHeight}).size());

    // Every control as the design places and labels it.
    const QFont captionFont = CaptionFont();
    for (const design::ControlDesign& c : form.controls) {
        QWidget* widget = Control(c.name);
        widget->setParent(this);
        widget->setObjectName(FromUtf8(c.name));
        widget->setGeometry(FromTwips(c.rect));
        if (c.font == design::FontRole::Caption) {
            widget->setFont(captionFont);
        }
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            label->setText(FromUtf8(c.caption));
            label->setTextFormat(Qt::PlainText);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            if (!c.buddy.empty()) {
                label->setBuddy(Control(c.buddy)); // screen readers name the field by its caption
            }
            if (c.selectable) {
                MakeSelectable(*label);
            }
        } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            // Qt's default keeps 32767 characters and silently drops the rest of a paste.
            edit->setMaxLength(std::numeric_limits<int>::max());
        } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
            button->setText(FromUtf8(c.caption));
        }
    }

    Command1.setAutoDefault(false);
    Command1.installEventFilter(this); // Enter on the focused button presses it
    connect(&Command1, &QPushButton::clicked, this, &Form1::Command1_Click);

    const std::vector<const design::ControlDesign*> focusOrder = design::FocusOrder(form);
    for (std::size_t i = 1; i < focusOrder.size(); ++i) {
        setTabOrder(Control(focusOrder[i - 1]->name), Control(focusOrder[i]->name));
    }
    Control(focusOrder.front()->name)->setFocus();

    Form_Load();
}

QWidget* Form1::Control(std::string_view name) {
    const std::pair<std::string_view, QWidget*> controls[] = {
        {"Label1", &Label1}, {"L", &L},         {"Label2", &Label2}, {"D", &D},
        {"Label5", &Label5}, {"Delta", &Delta}, {"Label6", &Label6}, {"Hs", &Hs},
        {"Label3", &Label3}, {"H", &H},         {"Label4", &Label4}, {"Command1", &Command1},
    };
    for (const auto& [controlName, control] : controls) {
        if (controlName == name) {
            return control;
        }
    }
    return nullptr;
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
    QMessageBox box(QMessageBox::Warning, FromUtf8(design::Form1().warningTitle),
                    QString::fromStdString(outcome.message), QMessageBox::Ok, this);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    box.exec();
}
