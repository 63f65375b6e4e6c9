// Program: the desktop programming tool for the sixteen-channel radio.
//
//   Program [FILE.dat]                 start, opening FILE.dat instead of a new document
//   Program --screenshot PNG [FILE]    start on any platform, save a picture of the main window and end
#include "app/ProgramApp.h"
#include "frame/MainFrame.h"

#include <QApplication>

#include <cstdio>

namespace {

// Lays the main window out at a fixed size and saves what it shows; 0 when the picture was saved.
int saveScreenshot(CMainFrame* frame, const QString& path) {
    frame->showNormal();
    frame->resize(1024, 640);
    for (int i = 0; i < 10; ++i) {
        QCoreApplication::processEvents();
    }
    if (!frame->grab().save(path, "PNG")) {
        std::fprintf(stderr, "Program: cannot write %s\n", qPrintable(path));
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);

    QStringList arguments = QCoreApplication::arguments().mid(1);
    QString screenshot;
    if (const qsizetype at = arguments.indexOf(QStringLiteral("--screenshot")); at >= 0) {
        if (at + 1 >= arguments.size()) {
            std::fprintf(stderr, "Program: --screenshot needs the name of a PNG file\n");
            return 2;
        }
        screenshot = arguments.at(at + 1);
        arguments.remove(at, 2);
    }

    CProgramApp app;
    if (!app.initInstance(arguments)) {
        app.exitInstance();
        return 1;
    }
    int status = 0;
    if (!screenshot.isEmpty()) {
        status = saveScreenshot(app.mainFrame(), screenshot);
    } else {
        status = QApplication::exec();
    }
    app.exitInstance();
    return status;
}
