#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <cstdlib>
#include <ctime>

// An application-wide filter for timing start-up from outside. At the first expose of a window it
// notes the monotonic clock; once that expose has been handled, which paints the window and
// hands the pixels to the display server, it notes the clock again, prints both in nanoseconds on
// one line and ends the process at once: painting more, or tearing down, is not start-up.
class FirstExpose : public QObject {
  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* window = qobject_cast<QWindow*>(watched);
        if (exposed == 0 && event->type() == QEvent::Expose && window && window->isExposed()) {
            exposed = Now();
            QTimer::singleShot(0, [this] {
                std::printf("%lld %lld\n", exposed, Now());
                std::fflush(stdout);
                std::_Exit(0);
            });
        }
        return false;
    }

  private:
    static long long Now() {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
    }

    long long exposed = 0;
};
