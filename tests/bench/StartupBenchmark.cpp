// The time from the start of the process to the first painted main window, in microseconds:
//
//   startup_benchmark bare             a QMainWindow with nothing in it, the yardstick
//   startup_benchmark program APPDIR   the desktop program with the Program.ini of APPDIR
//
// Run each many times in fresh processes and compare the medians (scripts/startup-bench.sh).
#include "frame/MainFrame.h"
#include "program/ProgramApp.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>

#include <cstdio>
#include <cstring>

namespace {

// Ends the event loop at the first paint of a widget of `window`.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(const QElapsedTimer& clock) : m_clock(clock) {}
    void watch(QWidget* window) { m_window = window; }
    qint64 micros() const { return m_micros; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && m_micros < 0 && m_window != nullptr) {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (widget != nullptr && widget->window() == m_window) {
                m_micros = m_clock.nsecsElapsed() / 1000;
                QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
            }
        }
        return false;
    }

private:
    const QElapsedTimer& m_clock;
    QWidget* m_window = nullptr;
    qint64 m_micros = -1;
};

} // namespace

int main(int argc, char* argv[]) {
    QElapsedTimer clock;
    clock.start();
    const bool program = argc == 3 && std::strcmp(argv[1], "program") == 0;
    if (!program && !(argc == 2 && std::strcmp(argv[1], "bare") == 0)) {
        std::fprintf(stderr, "usage: startup_benchmark bare | program APPDIR\n");
        return 2;
    }
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    FirstPaint paint(clock);
    application.installEventFilter(&paint);
    if (program) {
        ProgramApp app(QString::fromLocal8Bit(argv[2]));
        if (!app.initInstance({})) {
            return 1;
        }
        paint.watch(app.mainFrame());
        QApplication::exec();
        app.exitInstance();
    } else {
        QMainWindow window;
        window.resize(1024, 640);
        paint.watch(&window);
        window.show();
        QApplication::exec();
    }
    std::printf("%lld\n", static_cast<long long>(paint.micros()));
    return paint.micros() < 0 ? 1 : 0;
}
