#pragma once

// The calculator's only window: five dimension fields, the Calculate button and the result label.
// It computes nothing itself; the calculation core decides every text it shows.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSize>
#include <QWidget>

#include <string_view>

class Form1 : public QWidget {
    Q_OBJECT

  public:
    explicit Form1(QWidget* parent = nullptr);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    // Centres the window's outer frame on the whole screen.
    void Form_Load();
    void Command1_Click();
    // The control of that name in the window's design.
    QWidget* Control(std::string_view name);

    QLabel Label1;
    QLineEdit L;
    QLabel Label2;
    QLineEdit D;
    QLabel Label5;
    QLineEdit Delta;
    QLabel Label6;
    QLineEdit Hs;
    QLabel Label3;
    QLineEdit H;
    QLabel Label4;
    QPushButton Command1;

    QSize centredFrameSize; // the outer size Form_Load last centred
};
