#include "PrintCommand.h"

#include "ImageCommands.h"

#ifdef RADIOPROG_HAS_PRINT
#include "ReportPainter.h"
#include "channels/ChannelCodec.h"

#include "platform/AtomicFile.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPageSize>
#include <QPdfWriter>

#include <cstdio>
#include <memory>
#include <ostream>
#endif

ExitStatus runPrint(CliContext& ctx, const CommandLine& args) {
#ifndef RADIOPROG_HAS_PRINT
    (void)args;
    return ctx.fail(ExitStatus::BadInput, "print: this radioprog was built without Qt, which printing needs");
#else
    if (!args.has("--pdf") || args.value("--pdf").empty()) {
        return ctx.fail(ExitStatus::BadInput, "print: --pdf OUT.pdf is required");
    }
    Language language = Language::English;
    if (!chosenLanguage(ctx, args, language)) {
        return ExitStatus::BadInput;
    }
    const std::string output = args.value("--pdf");
    MemoryImage image;
    if (!ctx.checkDistinctFiles({{"IMAGE.dat", args.operands()[0]}}, {{"--pdf", output}}) ||
        !ctx.checkOutputPath(output) || !ctx.loadImage(args.operands()[0], image)) {
        return ExitStatus::BadInput;
    }

    // Fonts and painting need a GUI application object, but never a display. Qt's own notes
    // (about the runtime folder of a desktop session, say) are no business of a script's.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg) {
            std::fprintf(stderr, "radioprog: %s\n", qPrintable(message));
        }
    });
    std::unique_ptr<QGuiApplication> app;
    if (QCoreApplication::instance() == nullptr) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        static int argc = 1;
        static char name[] = "radioprog";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QGuiApplication>(argc, argv);
    }

    const std::string owner = ctx.ini().languageText(language, LanguageText::CopyrightsOwner);

    // Painted into memory, then written as image files are: a failure leaves no half a PDF.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    bool painted = false;
    {
        QPdfWriter writer(&pdf);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setResolution(600);
        writer.setCreator(QStringLiteral("radioprog"));
        painted = paintReport(writer, image, ChannelCodec::decodeAll(image), language, owner);
    }
    std::string error = "the report could not be drawn";
    const bool toStdout = output == "-";
    if (painted && toStdout) {
        ctx.out().write(pdf.data().constData(), pdf.data().size());
        error = "standard output is closed or full";
    }
    if (!painted || (toStdout ? !ctx.out().flush()
                              : !platform::writeFileAtomically(output, pdf.data().toStdString(), error))) {
        return ctx.fail(ExitStatus::BadInput, "print: cannot write " + output + ": " + error);
    }
    (toStdout ? ctx.err() : ctx.out()) << "printed " << args.operands()[0] << " to " << output << "\n";
    return ExitStatus::Ok;
#endif
}
