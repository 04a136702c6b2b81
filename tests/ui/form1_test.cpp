// The calculator window, driven headless. What the window adds to the calculation is tested
// here: its layout and texts, its fonts and icon, focus, centring, the two-line result and the
// warning box. The volumes themselves are the calculation tests' business.

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QTimer>
#include <QtTest>

#include <limits>
#include <memory>

#include "tests/ui/answer_box.h"
#include "ui/form1.h"
#include "ui/startup.h"

namespace {

const QString kPrefix = QStringLiteral("容器内液体总体积：");

} // namespace

class Form1Test : public QObject {
    Q_OBJECT

  private:
    Form1* form = nullptr;

    template <typename T> T* child(const char* name) {
        T* w = form->findChild<T*>(QLatin1String(name));
        if (!w) {
            qFatal("no child %s", name);
        }
        return w;
    }

    void fill(const QStringList& texts) {
        const char* names[] = {"L", "D", "Delta", "Hs", "H"};
        for (int i = 0; i < 5; ++i) {
            child<QLineEdit>(names[i])->setText(texts.value(i));
        }
    }

    // Clicks Calculate and answers the warning box, if one opens; labelWhileOpen receives what
    // the result label shows behind the box.
    BoxSeen clickAndAnswerBox(QString* labelWhileOpen = nullptr) {
        return ClickAndAnswerBox(child<QPushButton>("Command1"), [&] {
            if (labelWhileOpen) {
                *labelWhileOpen = child<QLabel>("Label4")->text();
            }
        });
    }

    // The separator the window reads numbers with; the suite runs in a point and a comma locale.
    static QString sep() { return QLocale::system().decimalPoint(); }

  private slots:
    void init() {
        form = new Form1;
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
    }
    void cleanup() {
        delete form;
        form = nullptr;
    }

    void controls_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("caption");
        QTest::addRow("Label1 shell length")
            << "Label1" << QRect(32, 24, 153, 25) << "容器缝对缝长度(mm)：";
        QTest::addRow("Label2 outer diameter")
            << "Label2" << QRect(32, 72, 137, 25) << "容器外径(mm)：";
        QTest::addRow("Label5 wall, ASCII colon")
            << "Label5" << QRect(32, 120, 137, 25) << "容器壁厚(mm):";
        QTest::addRow("Label6 flange, ASCII colon")
            << "Label6" << QRect(32, 168, 137, 25) << "封头直边高度(mm):";
        QTest::addRow("Label3 level, trailing blank")
            << "Label3" << QRect(32, 216, 137, 25) << "液位高度(mm)： ";
        QTest::addRow("Label4 result")
            << "Label4" << QRect(64, 280, 321, 49) << "容器内液体总体积：";
        QTest::addRow("Command1 five blanks")
            << "Command1" << QRect(176, 360, 105, 33) << "计     算";
        QTest::addRow("L field") << "L" << QRect(208, 16, 137, 33) << "";
        QTest::addRow("D field") << "D" << QRect(208, 64, 137, 33) << "";
        QTest::addRow("Delta field") << "Delta" << QRect(208, 112, 137, 33) << "";
        QTest::addRow("Hs field") << "Hs" << QRect(208, 160, 137, 33) << "";
        QTest::addRow("H field") << "H" << QRect(208, 208, 137, 33) << "";
    }
    void controls() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, caption);
        auto* w = form->findChild<QWidget*>(name);
        QVERIFY(w);
        QCOMPARE(w->geometry(), geometry);
        if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            QCOMPARE(edit->text(), QString());
            QCOMPARE(edit->maxLength(), std::numeric_limits<int>::max()); // no limit of ours
            QCOMPARE(edit->font(), QApplication::font(edit));
            return;
        }
        const QString text = qobject_cast<QLabel*>(w) ? qobject_cast<QLabel*>(w)->text()
                                                      : qobject_cast<QPushButton*>(w)->text();
        QCOMPARE(text, caption);
        QCOMPARE(w->font().pointSizeF(), 9.75);
        QCOMPARE(w->font().families().value(0), QStringLiteral("MS Sans Serif"));
        // The face Qt resolves, or its fallbacks, must draw every character of the caption.
        const QFontMetrics metrics(w->font());
        for (const char32_t c : caption.toUcs4()) {
            QVERIFY2(metrics.inFontUcs4(c), qPrintable(QStringLiteral("no glyph for U+%1 in %2")
                                                           .arg(uint(c), 4, 16, QLatin1Char('0'))
                                                           .arg(name)));
        }
        if (auto* label = qobject_cast<QLabel*>(w)) {
            QCOMPARE(label->focusPolicy(), Qt::NoFocus);
            QCOMPARE(label->frameShape(), QFrame::NoFrame);
            QVERIFY(label->alignment() & Qt::AlignLeft);
        }
    }

    void chineseFontInstalled() {
        QVERIFY2(!QFontDatabase::families(QFontDatabase::SimplifiedChinese).isEmpty(),
                 "no font with Simplified Chinese glyphs: captions would draw as empty boxes");
    }

    void window() {
        QCOMPARE(form->windowTitle(), QStringLiteral("标准椭圆封头Velmora"));
        QCOMPARE(form->size(), QSize(456, 411));
        QCOMPARE(form->minimumSize(), QSize(456, 411));
        QCOMPARE(form->maximumSize(), QSize(456, 411));
        const Qt::WindowFlags flags = form->windowFlags();
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(flags & Qt::WindowMinimizeButtonHint);
        QVERIFY(flags & Qt::WindowCloseButtonHint);

        const QIcon icon = form->windowIcon();
        // 16 and 32 for title bars, 48 and 256 for large task bars and Alt+Tab, drawn, not scaled.
        for (const int side : {16, 32, 48, 256}) {
            QVERIFY(icon.availableSizes().contains(QSize(side, side)));
            const QImage image = icon.pixmap(side).toImage().convertToFormat(QImage::Format_ARGB32);
            QCOMPARE(image.size(), QSize(side, side));
            QSet<QRgb> colours;
            for (int y = 0; y < side; ++y) {
                for (int x = 0; x < side; ++x) {
                    colours.insert(image.pixel(x, y));
                }
            }
            QVERIFY2(colours.size() <= 16, qPrintable(QString::number(colours.size())));
            const QColor centre = image.pixelColor(side / 2, side / 2);
            QVERIFY(centre.red() > 200 && centre.green() > 150 && centre.blue() < 100); // yellow
        }
    }

    void centredOnScreen() {
        const QRect screen = form->screen()->geometry();
        const QRect frame = form->frameGeometry();
        QVERIFY(frame.contains(form->geometry()));
        const QPoint off = frame.center() - screen.center();
        QVERIFY2(qAbs(off.x()) <= 1 && qAbs(off.y()) <= 1,
                 qPrintable(QStringLiteral("frame %1,%2 %3x%4 on screen %5x%6")
                                .arg(frame.x())
                                .arg(frame.y())
                                .arg(frame.width())
                                .arg(frame.height())
                                .arg(screen.width())
                                .arg(screen.height())));
    }

    void focusStartsOnButtonAndTabsThroughFields() {
        QApplication::setActiveWindow(form);
        QVERIFY(QTest::qWaitForWindowActive(form));
        auto* button = child<QPushButton>("Command1");
        QCOMPARE(QApplication::focusWidget(), button);
        QStringList order;
        for (int i = 0; i < 6; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            order << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(order, QStringList({"L", "D", "Delta", "Hs", "H", "Command1"}));
        QVERIFY(!button->isDefault());
        QVERIFY(!button->autoDefault());
    }

    void enterPressesTheFocusedButtonButNotAField_data() {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("calculates");
        QTest::addRow("Return on the button") << "Command1" << int(Qt::Key_Return) << true;
        QTest::addRow("keypad Enter on the button") << "Command1" << int(Qt::Key_Enter) << true;
        QTest::addRow("Space on the button") << "Command1" << int(Qt::Key_Space) << true;
        QTest::addRow("Return in a field") << "H" << int(Qt::Key_Return) << false;
        QTest::addRow("keypad Enter in a field") << "L" << int(Qt::Key_Enter) << false;
    }
    void enterPressesTheFocusedButtonButNotAField() {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(bool, calculates);
        QApplication::setActiveWindow(form);
        QVERIFY(QTest::qWaitForWindowActive(form));
        fill({"5000", "2020", "10", "25", "500"});
        QWidget* target = child<QWidget>(qPrintable(focus));
        target->setFocus();
        const Qt::KeyboardModifiers modifiers =
            key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
        QTest::keyClick(target, Qt::Key(key), modifiers);
        const QString label = child<QLabel>("Label4")->text();
        QCOMPARE(label != kPrefix, calculates);
    }

    void aPastedFieldIsKeptWhole() {
        // 99,996 zeros and then 5000: cut at Qt's old limit it would read as a length of zero.
        const QString pasted = QString(99996, QLatin1Char('0')) + "5000";
        fill({"", "2020", "10", "25", "500"});
        auto* field = child<QLineEdit>("L");
        field->setFocus();
        QApplication::clipboard()->setText(pasted);
        field->paste();
        QCOMPARE(field->text().size(), pasted.size());
        QVERIFY(!clickAndAnswerBox().found);
        QCOMPARE(child<QLabel>("Label4")->text(),
                 kPrefix + "3" + sep() + "429m3\n卧式容器总容积为：17" + sep() + "95m3");
    }

    void screenReadersNameEachFieldByItsCaption_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("accessibleName");
        QTest::addRow("L") << "L"
                           << "容器缝对缝长度(mm)：";
        QTest::addRow("D") << "D"
                           << "容器外径(mm)：";
        QTest::addRow("Delta") << "Delta"
                               << "容器壁厚(mm):";
        QTest::addRow("Hs") << "Hs"
                            << "封头直边高度(mm):";
        QTest::addRow("H") << "H"
                           << "液位高度(mm)： ";
        QTest::addRow("Command1") << "Command1"
                                  << "计     算";
    }
    void screenReadersNameEachFieldByItsCaption() {
        QFETCH(QString, name);
        QFETCH(QString, accessibleName);
        QAccessibleInterface* iface =
            QAccessible::queryAccessibleInterface(child<QWidget>(qPrintable(name)));
        QVERIFY(iface);
        QCOMPARE(iface->text(QAccessible::Name).trimmed(), accessibleName.trimmed());
    }

    void resultCanBeSelectedAndCopied() {
        fill({"5000", "2020", "10", "25", "500"});
        QVERIFY(!clickAndAnswerBox().found);
        auto* label = child<QLabel>("Label4");
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
        // A drag across the first line selects part of it.
        const int y = label->fontMetrics().height() / 2;
        QTest::mousePress(label, Qt::LeftButton, Qt::NoModifier, QPoint(2, y));
        QTest::mouseMove(label, QPoint(label->width() - 2, y));
        QTest::mouseRelease(label, Qt::LeftButton, Qt::NoModifier, QPoint(label->width() - 2, y));
        QVERIFY2(label->selectedText().startsWith(QStringLiteral("容器内液体")),
                 qPrintable(label->selectedText()));
        QVERIFY(QApplication::focusWidget() != label);

        // The context menu, in Chinese like the rest of the window, copies the selection, or
        // everything once all is selected.
        QCOMPARE(label->contextMenuPolicy(), Qt::ActionsContextMenu);
        QMap<QString, QAction*> actions;
        for (QAction* action : label->actions()) {
            actions[action->text()] = action;
        }
        QCOMPARE(actions.keys(), QStringList({"全选", "复制"}));
        const QString partial = label->selectedText();
        actions["复制"]->trigger();
        QCOMPARE(QApplication::clipboard()->text(), partial);
        actions["全选"]->trigger();
        QCOMPARE(label->selectedText().size(), label->text().size());
        actions["复制"]->trigger();
        QCOMPARE(QApplication::clipboard()->text(), label->text());
    }

    void enterInAFieldDoesNotCalculate() {
        fill({"5000", "2020", "10", "25", "500"});
        QTest::keyClick(child<QLineEdit>("H"), Qt::Key_Return);
        QCOMPARE(child<QLabel>("Label4")->text(), kPrefix);
    }

    void resultShowsOnTwoLines() {
        fill({"5000", "2020", "10", "25", "1500" + sep() + "0"});
        const BoxSeen seen = clickAndAnswerBox();
        QVERIFY(!seen.found);
        auto* label = child<QLabel>("Label4");
        QCOMPARE(label->text(),
                 kPrefix + "14" + sep() + "521m3\n卧式容器总容积为：17" + sep() + "95m3");
        // Drawn as two lines, and the label is tall enough for both.
        const QFontMetrics metrics(label->font());
        const QRect drawn =
            metrics.boundingRect(label->contentsRect(), int(label->alignment()), label->text());
        QVERIFY(drawn.height() >= 2 * metrics.lineSpacing());
        QVERIFY(drawn.height() <= label->height());
    }

    void startUpNamesTheProgramAndTranslatesQtTexts() {
        SetUpApplication(*qobject_cast<QApplication*>(QCoreApplication::instance()));
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("org.velmora.Velmora"));
        // The text fields' context menu comes from Qt; it must be in Chinese like the window.
        std::unique_ptr<QMenu> menu(child<QLineEdit>("L")->createStandardContextMenu());
        QStringList texts;
        for (const QAction* action : menu->actions()) {
            texts << action->text();
        }
        QVERIFY2(texts.join(' ').contains(QStringLiteral("复制")), qPrintable(texts.join(", ")));
    }

    void warnings_data() {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("message");
        QTest::addRow("a field empty")
            << QStringList{"5000", "2020", "", "25", "500"} << "输入值不能为空!";
        QTest::addRow("inner diameter not positive")
            << QStringList{"5000", "20", "10", "25", "500"} << "容器内径不能小于0!";
        QTest::addRow("level above the vessel")
            << QStringList{"5000", "2020", "10", "25", "2001"} << "输入值不在有效范围之内!";
        QTest::addRow("level not a number")
            << QStringList{"5000", "2020", "10", "25", "abc"} << "输入值必须为数字!";
    }
    void warnings() {
        QFETCH(QStringList, fields);
        QFETCH(QString, message);
        // A result first, so that the warning is seen to clear it.
        fill({"5000", "2020", "10", "25", "500"});
        QTest::mouseClick(child<QPushButton>("Command1"), Qt::LeftButton);
        QVERIFY(child<QLabel>("Label4")->text() != kPrefix);

        fill(fields);
        QString labelWhileOpen;
        const BoxSeen seen = clickAndAnswerBox(&labelWhileOpen);
        QVERIFY2(seen.found, "no warning box appeared");
        QCOMPARE(seen.title, QStringLiteral("错误提示"));
        QCOMPARE(seen.text, message);
        QCOMPARE(seen.icon, QMessageBox::Warning);
        QCOMPARE(seen.buttons, 1);
        QCOMPARE(seen.buttonText, QStringLiteral("确定"));
        QCOMPARE(labelWhileOpen, kPrefix);
        QCOMPARE(child<QLabel>("Label4")->text(), kPrefix);
        QCOMPARE(child<QLineEdit>("H")->text(), fields.value(4));
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
