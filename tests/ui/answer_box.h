#pragma once

// Answering the modal warning box a click opens. The box runs its own event loop inside the
// click, so a timer armed before the click reads the box and closes it.

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

struct BoxSeen {
    bool found = false;
    QString title, text, buttonText;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    qsizetype buttons = 0;
};

// Clicks the button; if a message box opens, records it, runs whileOpen, and presses OK.
inline BoxSeen ClickAndAnswerBox(QPushButton* button, const std::function<void()>& whileOpen = {}) {
    BoxSeen seen;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            return;
        }
        seen.found = true;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.buttons = box->buttons().size();
        seen.buttonText = box->buttons().value(0) ? box->buttons().value(0)->text() : QString();
        if (whileOpen) {
            whileOpen();
        }
        poll.stop();
        box->done(QMessageBox::Ok);
    });
    poll.start();
    QTest::mouseClick(button, Qt::LeftButton);
    return seen;
}
