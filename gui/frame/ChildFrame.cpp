#include "frame/ChildFrame.h"

#include "app/Pictures.h"
#include "app/Resource.h"
#include "document/ProgramDoc.h"
#include "document/ProgramView.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QScrollArea>

CChildFrame::CChildFrame(AppContext& context, CProgramDoc* doc, QWidget* parent)
    : QMdiSubWindow(parent), m_pDocument(doc) {
    setObjectName(QStringLiteral("ChildFrame"));
    setProperty(kHelpIdProperty, id::kHelpDocumentFrame);
    setAttribute(Qt::WA_DeleteOnClose, false);
    m_pDocument->setParent(this);
    m_pView = new CProgramView(context, doc);
    // The form keeps its size; a window smaller than the form scrolls it.
    auto* scroller = new QScrollArea;
    scroller->setWidget(m_pView);
    scroller->setWidgetResizable(false);
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setBackgroundRole(QPalette::Window);
    setWidget(scroller);
    setWindowIcon(CPictures::documentIcon());
    // The window menu closes with Ctrl+F4 only: the desktop's other Close key, Ctrl+W, is Write.
    if (QMenu* menu = systemMenu()) {
        const QList<QKeySequence> closeKeys = QKeySequence::keyBindings(QKeySequence::Close);
        for (QAction* action : menu->actions()) {
            if (!action->shortcuts().isEmpty() && action->shortcuts() == closeKeys) {
                action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F4));
            }
        }
    }
    connect(m_pDocument, &CProgramDoc::titleChanged, this, &CChildFrame::updateTitle);
    connect(m_pDocument, &CProgramDoc::modifiedChanged, this, &CChildFrame::updateTitle);
    updateTitle();
}

CChildFrame::~CChildFrame() = default;

void CChildFrame::updateTitle() {
    setWindowTitle(m_pDocument->title() + QStringLiteral("[*]"));
    setWindowModified(m_pDocument->isModified());
}

void CChildFrame::fitToView() {
    // The form plus the window's frame and title bar, which the style gives once the window is
    // in the document area.
    const QMargins frame = contentsMargins();
    resize(m_pView->width() + frame.left() + frame.right(), m_pView->height() + frame.top() + frame.bottom());
}

void CChildFrame::destroyWindow() {
    delete this;
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    event->ignore();
    hide();
}
