#include "frame/ChildFrame.h"

#include "app/Pictures.h"
#include "app/Resource.h"
#include "document/ProgramDoc.h"
#include "editor/ProgramView.h"

#include <QAction>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMenu>

ChildFrame::ChildFrame(AppContext& context, ProgramDoc* doc, QWidget* parent)
    : QMdiSubWindow(parent), m_document(doc) {
    setObjectName(QStringLiteral("ChildFrame"));
    setProperty(kHelpIdProperty, id::kHelpDocumentFrame);
    setAttribute(Qt::WA_DeleteOnClose, false);
    m_document->setParent(this);
    m_view = new ProgramView(context, doc);
    // A window smaller than the form shrinks the channel grid, which scrolls.
    setWidget(m_view);
    setWindowIcon(Pictures::documentIcon());
    // The window menu closes with Ctrl+F4 only: the desktop's other Close key, Ctrl+W, is Write.
    if (QMenu* menu = systemMenu()) {
        const QList<QKeySequence> closeKeys = QKeySequence::keyBindings(QKeySequence::Close);
        for (QAction* action : menu->actions()) {
            if (!action->shortcuts().isEmpty() && action->shortcuts() == closeKeys) {
                action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F4));
            }
        }
    }
    connect(m_document, &ProgramDoc::titleChanged, this, &ChildFrame::updateTitle);
    connect(m_document, &ProgramDoc::modifiedChanged, this, &ChildFrame::updateTitle);
    updateTitle();
}

ChildFrame::~ChildFrame() {
    // The document goes after this window, as its child: it must not call back into it.
    m_document->disconnect(this);
}

void ChildFrame::updateTitle() {
    setWindowTitle(m_document->title() + QStringLiteral("[*]"));
    setWindowModified(m_document->isModified());
}

void ChildFrame::fitToView() {
    // The form plus the window's frame and title bar, which the style gives once the window is
    // in the document area.
    const QMargins frame = contentsMargins();
    QSize wanted(m_view->sizeHint().width() + frame.left() + frame.right(),
                 m_view->sizeHint().height() + frame.top() + frame.bottom());
    // Within the document area: in a smaller window the grid scrolls, its title bar stays in reach.
    if (QMdiArea* area = mdiArea(); area != nullptr && area->viewport()->width() > 0) {
        wanted = wanted.boundedTo(area->viewport()->size());
        const QPoint inside(qMax(0, qMin(x(), area->viewport()->width() - wanted.width())),
                            qMax(0, qMin(y(), area->viewport()->height() - wanted.height())));
        if (inside != pos()) {
            move(inside);
        }
    }
    resize(wanted);
}

void ChildFrame::destroyWindow() {
    delete this;
}

void ChildFrame::closeEvent(QCloseEvent* event) {
    event->ignore();
    hide();
}
