#include "editor/ProgramView.h"

#include "ReportPainter.h"
#include "app/AppContext.h"
#include "app/DialogUnits.h"
#include "app/FileDialog.h"
#include "app/LanguageDlg.h"
#include "app/MessageBox.h"
#include "app/Pictures.h"
#include "app/Resource.h"
#include "app/SystemReason.h"
#include "channels/ChannelCodec.h"
#include "channels/ChannelCsv.h"
#include "channels/ChannelEdit.h"
#include "channels/ChannelFields.h"
#include "channels/ChannelPaste.h"
#include "dialogs/ImportPreviewDlg.h"
#include "editor/ChannelModel.h"
#include "editor/ChannelView.h"
#include "editor/DocumentCommands.h"
#include "platform/AtomicFile.h"
#include "text/CoreTexts.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStatusBar>

#include <algorithm>

ProgramView::ProgramView(AppContext& context, ProgramDoc* doc, QWidget* parent)
    : QWidget(parent), m_context(context), m_document(doc) {
    setObjectName(QStringLiteral("ProgramView"));
    setFont(DialogUnits::templateFont());
    const DialogUnits du(font());
    resize(du.size(kFormWidth, kFormHeight));

    m_caption = new QLabel(this);
    m_caption->setObjectName(QStringLiteral("Caption"));
    m_caption->setTextFormat(Qt::PlainText);
    m_caption->setAlignment(Qt::AlignCenter);
    m_caption->setGeometry(du.rect(14, 13, 370, 17));
    QFont captionFont;
    captionFont.setFamilies({QStringLiteral("SimSun"), QStringLiteral("宋体")});
    captionFont.setPointSize(12);
    m_caption->setFont(captionFont);
    QPalette red = m_caption->palette();
    red.setColor(QPalette::WindowText, QColor(250, 10, 10));
    m_caption->setPalette(red);

    m_model = new ChannelModel(doc, m_context.language(), this);
    m_grid = new ChannelView(m_model, this);
    m_grid->setObjectName(QStringLiteral("ChannelGrid"));
    m_grid->setGeometry(gridPlace());
    m_commands = new DocumentCommands(m_context, doc, m_grid, this);

    m_languageDlg = new LanguageDlg(m_context, this);
    // While a transfer works on the document, the grid takes no edits; it still repaints.
    connect(m_document, &ProgramDoc::busyChanged, this,
            [this] { m_grid->setEnabled(!m_document->isBusy()); });
}

ProgramView::~ProgramView() = default;

void ProgramView::onInitialUpdate() {
    if (m_firstUpdate) {
        // The caption in the user interface's language, whatever section "Language" names.
        m_caption->setText(QString::fromStdString(
            m_context.settings().languageText(m_context.language(), LanguageText::Title)));
        m_firstUpdate = false;
    }
    if (const QIcon icon = Pictures::titleIcon(m_context.dataDir()); !icon.isNull()) {
        for (QWidget* w = parentWidget(); w != nullptr; w = w->parentWidget()) {
            if (auto* frame = qobject_cast<QMdiSubWindow*>(w)) {
                frame->setWindowIcon(icon);
                break;
            }
        }
    }
}

QSize ProgramView::sizeHint() const {
    return DialogUnits(font()).size(kFormWidth, kFormHeight);
}

// The grid keeps its place on the form, and shrinks with a window smaller than the form: it
// scrolls then.
QRect ProgramView::gridPlace() const {
    const DialogUnits du(font());
    const QRect place = du.rect(15, 37, 370, 167);
    const QSize margin = du.size(13, 14);
    const QSize room(width() - place.x() - margin.width(), height() - place.y() - margin.height());
    return QRect(place.topLeft(), place.size().boundedTo(room.expandedTo(QSize(1, 1))));
}

void ProgramView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_grid->setGeometry(gridPlace());
}

bool ProgramView::commitPendingEdit() {
    return m_grid->commitPendingEdit();
}

BandLimits ProgramView::bandLimits() const {
    return m_document->typeAndBand().limits;
}
