// Program: the desktop programming tool for the sixteen-channel radio.
//
//   Program [FILE.dat]                 start, opening FILE.dat instead of a new document
//   Program --screenshot PNG [FILE]    start on any platform, save a picture of the main window and end
//   Program --screenshot-editing PNG [FILE]
//                                      the same with cells selected and the Edit menu open
//   Program --demo [FILE.dat]          also start a simulated radio that COM1 stands for, so that
//                                      Read and Write can be tried without a cable
//   Program --language NAME [FILE.dat] store the language (English or Chinese) and start in it
//   Program --version                  show the version and end
//   Program --help                     show the usage and end
#include "app/Resource.h"
#include "editor/ChannelView.h"
#include "editor/ProgramView.h"
#include "frame/ChildFrame.h"
#include "frame/MainFrame.h"
#include "image/MemoryImage.h"
#include "program/ProgramApp.h"

#include "RadioSimulator.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

void settle() {
    for (int i = 0; i < 10; ++i) {
        QCoreApplication::processEvents();
    }
}

// Lays the main window out at a fixed size and saves what it shows; 0 when the picture was saved.
// With `editing`, a block of cells is selected and filled down, and the Edit menu is open over the
// window, offering to undo that (a menu is a window of its own, so it is drawn onto the picture
// where it stands).
int saveScreenshot(MainFrame* frame, const QString& path, bool editing) {
    frame->showNormal();
    frame->resize(1024, 640);
    settle();
    QPixmap picture;
    if (editing && frame->activeChild() != nullptr) {
        frame->activeChild()->view()->grid()->selectRange(QRect(QPoint(3, 1), QPoint(4, 3)));
        frame->commandAction(id::kFillDown)->trigger();
        settle();
        picture = frame->grab();
        QAction* undo = frame->commandAction(id::kEditUndo);
        for (QAction* entry : frame->menuBar()->actions()) {
            QMenu* menu = entry->menu();
            if (menu != nullptr && menu->actions().contains(undo)) {
                const QPoint at =
                    frame->menuBar()->mapTo(frame, frame->menuBar()->actionGeometry(entry).bottomLeft());
                menu->popup(frame->mapToGlobal(at));
                menu->setActiveAction(undo);
                settle();
                QPainter painter(&picture);
                painter.drawPixmap(at, menu->grab());
                menu->hide();
                break;
            }
        }
    } else {
        picture = frame->grab();
    }
    if (!picture.save(path, "PNG")) {
        std::fprintf(stderr, "Program: cannot write %s\n", qPrintable(path));
        return 1;
    }
    // What the picture shows, for scripts: the caption names the product in its language.
    std::printf("%s\n", frame->windowTitle().remove(QStringLiteral("[*]")).toUtf8().constData());
    return 0;
}

// The demo radio starts with three channels, so that a first Read shows something.
RadioSimulator::Memory demoMemory() {
    MemoryImage image = MemoryImage::newDocument();
    image.setRadioType(0);
    image.setBand(0);
    const struct {
        uint32_t rx, tx;
        Tone rxTone, txTone;
    } channels[] = {
        {14550000, 14550000, Tone::ctcss(885), Tone::ctcss(885)},
        {14560000, 14500000, Tone::none(), Tone::dcs(23, false)},
        {14652000, 14652000, Tone::none(), Tone::none()},
    };
    int ch = 1;
    for (const auto& c : channels) {
        image.setRxFrequency(ch, c.rx);
        image.setTxFrequency(ch, c.tx);
        image.setRxTone(ch, c.rxTone);
        image.setTxTone(ch, c.txTone);
        image.setBusyLock(ch, BusyLock::Off);
        image.setWide(ch, true);
        image.setHighPower(ch, true);
        image.setScanned(ch, true);
        ++ch;
    }
    RadioSimulator::Memory memory{};
    std::copy(image.data(), image.data() + memory.size(), memory.begin());
    return memory;
}

// What the program takes on its command line, as --help prints it.
void printUsage(const char* program) {
    const char* slash = std::strrchr(program, '/');
    std::printf("Usage: %s [OPTION]... [FILE.dat]\n"
                "Reads, edits and writes the memory of the sixteen-channel radio.\n"
                "\n"
                "  FILE.dat                  open this memory image instead of a new document\n"
                "  --demo                    also start a simulated radio that COM1 stands for, so that\n"
                "                            Read and Write can be tried without a cable\n"
                "  --language NAME           store the language (English or Chinese) and start in it\n"
                "  --screenshot PNG          save a picture of the main window to PNG and exit\n"
                "  --screenshot-editing PNG  the same with cells filled down and the Edit menu open\n"
                "  --version                 print the version and exit\n"
                "  --help, -h                print this help and exit\n"
                "\n"
                "Qt's own options (-platform NAME, -style NAME) are taken as well.\n",
                slash != nullptr ? slash + 1 : program);
}

} // namespace

int main(int argc, char* argv[]) {
    // Before QApplication, which needs a display.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("radio-programmer %s\n", RADIO_VERSION);
            return 0;
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            printUsage(argv[0]);
            return 0;
        }
    }
    QApplication application(argc, argv);

    QStringList arguments = QCoreApplication::arguments().mid(1);
    QString screenshot;
    bool editing = false;
    for (const QString& option : {QStringLiteral("--screenshot"), QStringLiteral("--screenshot-editing")}) {
        if (const qsizetype at = arguments.indexOf(option); at >= 0) {
            if (at + 1 >= arguments.size()) {
                std::fprintf(stderr, "Program: %s needs the name of a PNG file\n", qPrintable(option));
                return 2;
            }
            screenshot = arguments.at(at + 1);
            editing = option.endsWith(QLatin1String("editing"));
            arguments.remove(at, 2);
        }
    }

    ProgramApp app;
    if (const qsizetype at = arguments.indexOf(QStringLiteral("--language")); at >= 0) {
        if (at + 1 >= arguments.size()) {
            std::fprintf(stderr, "Program: --language needs English or Chinese\n");
            return 2;
        }
        app.setStartLanguage(arguments.at(at + 1));
        arguments.remove(at, 2);
    }
    std::unique_ptr<RadioSimulator> demoRadio;
    if (const qsizetype at = arguments.indexOf(QStringLiteral("--demo")); at >= 0) {
        arguments.remove(at);
        demoRadio = std::make_unique<RadioSimulator>();
        demoRadio->setMemory(demoMemory());
        std::string error;
        if (!demoRadio->start(&error)) {
            std::fprintf(stderr, "Program: cannot start the demo radio: %s\n", error.c_str());
            return 1;
        }
        app.setDemoDevice(demoRadio->devicePath());
    }

    if (!app.initInstance(arguments)) {
        app.exitInstance();
        return 1;
    }
    int status = 0;
    if (!screenshot.isEmpty()) {
        status = saveScreenshot(app.mainFrame(), screenshot, editing);
    } else {
        status = QApplication::exec();
    }
    app.exitInstance();
    return status;
}
