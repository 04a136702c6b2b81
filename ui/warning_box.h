#pragma once

#include <QMessageBox>
#include <QPushButton>
#include <QString>

#include <string_view>

#include "calc/calculate.h"

inline QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The calculator's warning: modal, exclamation icon, title 错误提示, one button 确定.
inline void ShowWarning(QWidget* parent, const QString& message) {
    QMessageBox box(QMessageBox::Warning, FromUtf8(calc::WarningTitle), message, QMessageBox::Ok,
                    parent);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    box.exec();
}
