// Program: the desktop programming tool for the sixteen-channel radio.
//
//   Program [FILE.dat]                 start, opening FILE.dat instead of a new document
//   Program --screenshot PNG [FILE]    start on any platform, save a picture of the main window and end
//   Program --demo [FILE.dat]          also start a simulated radio that COM1 stands for, so that
//                                      Read and Write can be tried without a cable
#include "frame/MainFrame.h"
#include "image/MemoryImage.h"
#include "program/ProgramApp.h"

#include "RadioSimulator.h"

#include <QApplication>

#include <cstdio>
#include <memory>

namespace {

// Lays the main window out at a fixed size and saves what it shows; 0 when the picture was saved.
int saveScreenshot(MainFrame* frame, const QString& path) {
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

    ProgramApp app;
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
        status = saveScreenshot(app.mainFrame(), screenshot);
    } else {
        status = QApplication::exec();
    }
    app.exitInstance();
    return status;
}
