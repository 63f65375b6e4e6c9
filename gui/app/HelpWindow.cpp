#include "app/HelpWindow.h"

#include "app/AppContext.h"
#include "app/Help.h"
#include "app/MessageBox.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QStyle>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextFrame>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWindow>

namespace {

constexpr int kAnchorRole = Qt::UserRole;
constexpr int kPositionRole = Qt::UserRole + 1;
constexpr int kInitialWidth = 960;
constexpr int kInitialHeight = 680;
constexpr int kIndexWidth = 240;
constexpr int kFindFieldWidth = 200;

// The window's place and size in the per-user store; a missing width means none is kept.
constexpr const char* kLeftKey = "HelpLeft";
constexpr const char* kTopKey = "HelpTop";
constexpr const char* kWidthKey = "HelpWidth";
constexpr const char* kHeightKey = "HelpHeight";

// The store keeps unsigned numbers; a place left of or above the first screen is negative.
int storedInt(ISettingsStore& store, const char* name) {
    return static_cast<int32_t>(store.readValue(name, 0));
}

void storeInt(ISettingsStore& store, const char* name, int value) {
    store.writeValue(name, static_cast<uint32_t>(value));
}

// The first anchor name in the block; empty when the block has none.
QString anchorOf(const QTextBlock& block) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextCharFormat format = it.fragment().charFormat();
        if (format.isAnchor() && !format.anchorNames().isEmpty()) {
            return format.anchorNames().first();
        }
    }
    return QString();
}

bool isWebLink(const QUrl& url) {
    const QString scheme = url.scheme();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
           scheme == QLatin1String("mailto");
}

// Hands a page to the desktop's web browser, and says so when none could be started.
void showInBrowser(QWidget* parent, const QUrl& url) {
    if (!Help::openInBrowser(url)) {
        MessageBox::show(parent, HelpWindow::tr("No web browser could be started to show %1.\n"
                                                "Open the address in a browser yourself.")
                                     .arg(url.toString()));
    }
}

} // namespace

HelpWindow::HelpWindow(AppContext& context, QWidget* parent)
    : QWidget(parent, Qt::Window), m_context(context) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(tr("Help"));
    // Closing the main window ends the program even while the manual is open.
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(kInitialWidth, kInitialHeight);

    auto* toolBar = new QToolBar(this);
    toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_back = toolBar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), tr("Back"));
    m_back->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Left));
    m_back->setToolTip(tr("Back (Alt+Left)"));
    m_forward = toolBar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), tr("Forward"));
    m_forward->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Right));
    m_forward->setToolTip(tr("Forward (Alt+Right)"));
    m_home = toolBar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), tr("Contents"));
    m_home->setToolTip(tr("The top of the manual"));
    toolBar->addSeparator();
    m_findField = new QLineEdit(toolBar);
    m_findField->setPlaceholderText(tr("Find in this page"));
    m_findField->setClearButtonEnabled(true);
    m_findField->setFixedWidth(kFindFieldWidth);
    m_findField->setToolTip(tr("Enter finds the next place"));
    toolBar->addWidget(m_findField);
    m_findStatus = new QLabel(toolBar);
    m_findStatus->setContentsMargins(6, 0, 6, 0);
    toolBar->addWidget(m_findStatus);
    auto* spacer = new QWidget(toolBar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    toolBar->addWidget(spacer);
    m_openInBrowser =
        toolBar->addAction(style()->standardIcon(QStyle::SP_DesktopIcon), tr("Open in Browser"));
    m_openInBrowser->setToolTip(tr("Show this place of the manual in the web browser"));
    // Every action is the window's, so that its key works wherever the focus is inside it.
    for (QAction* action : toolBar->actions()) {
        action->setShortcutContext(Qt::WindowShortcut);
    }

    m_index = new QTreeWidget(this);
    m_index->setHeaderHidden(true);
    m_index->setRootIsDecorated(true);
    m_index->header()->setStretchLastSection(true);
    m_browser = new QTextBrowser(this);
    // Links are followed here: the manual's own in the window, the rest in the web browser.
    m_browser->setOpenLinks(false);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(m_index);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({kIndexWidth, kInitialWidth - kIndexWidth});
    splitter->setChildrenCollapsible(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar);
    layout->addWidget(splitter, 1);

    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    connect(m_back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QAction::triggered, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QAction::setEnabled);
    connect(m_home, &QAction::triggered, this, [this] { m_browser->setSource(Help::url(m_context, 0)); });
    connect(m_openInBrowser, &QAction::triggered, this, [this] { showInBrowser(this, m_browser->source()); });
    connect(m_browser, &QTextBrowser::anchorClicked, this, &HelpWindow::onLinkClicked);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpWindow::onSourceChanged);
    connect(m_index, &QTreeWidget::itemClicked, this, &HelpWindow::onIndexEntry);
    connect(m_index, &QTreeWidget::itemActivated, this, &HelpWindow::onIndexEntry);
    connect(m_findField, &QLineEdit::returnPressed, this, &HelpWindow::findNext);
    connect(m_findField, &QLineEdit::textChanged, m_findStatus, &QLabel::clear);
    // Scrolling by hand (bar, wheel, keys) lets go of the place showPage went to.
    connect(m_browser->verticalScrollBar(), &QAbstractSlider::actionTriggered, this,
            [this] { m_anchorAtTop.clear(); });
    m_browser->viewport()->installEventFilter(this);
    restoreWindowPlace();
}

HelpWindow::~HelpWindow() {
    if (isVisible()) {
        storeWindowPlace();
    }
}

void HelpWindow::restoreWindowPlace() {
    ISettingsStore& store = m_context.userSettings();
    const QRect stored(storedInt(store, kLeftKey), storedInt(store, kTopKey), storedInt(store, kWidthKey),
                       storedInt(store, kHeightKey));
    if (stored.width() <= 0 || stored.height() <= 0) {
        return;
    }
    // A screen that has gone, or a smaller one, would put the window out of reach.
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen->availableGeometry().contains(stored)) {
            setGeometry(stored);
            return;
        }
    }
}

void HelpWindow::storeWindowPlace() {
    const QRect place = normalGeometry().isValid() ? normalGeometry() : geometry();
    ISettingsStore& store = m_context.userSettings();
    storeInt(store, kLeftKey, place.x());
    storeInt(store, kTopKey, place.y());
    storeInt(store, kWidthKey, place.width());
    storeInt(store, kHeightKey, place.height());
}

void HelpWindow::hideEvent(QHideEvent* event) {
    storeWindowPlace();
    QWidget::hideEvent(event);
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event) {
    // The text is laid out anew for the new width once the browser has seen the resize.
    if (watched == m_browser->viewport() && event->type() == QEvent::Resize) {
        QTimer::singleShot(0, this, [this] {
            updateEndSpace();
            keepPlaceAtTop();
        });
    }
    return QWidget::eventFilter(watched, event);
}

void HelpWindow::updateEndSpace() {
    QTextFrame* root = m_browser->document()->rootFrame();
    QTextFrameFormat format = root->frameFormat();
    const int space = m_browser->viewport()->height();
    if (qRound(format.bottomMargin()) != space) {
        format.setBottomMargin(space);
        root->setFrameFormat(format);
    }
}

void HelpWindow::keepPlaceAtTop() {
    if (!m_anchorAtTop.isEmpty()) {
        m_browser->scrollToAnchor(m_anchorAtTop);
    }
}

void HelpWindow::showPage(const QUrl& url) {
    m_browser->setSource(url);
    m_anchorAtTop = url.fragment();
    updateEndSpace();
    // An open menu (F1 on one of its entries) stays open: Qt closes every menu when a normal
    // window appears, but not for a utility window, and taking the keyboard from the menu would
    // close it as well.
    const bool menuOpen = QApplication::activePopupWidget() != nullptr;
    if (isHidden()) {
        setWindowFlags((windowFlags() & ~Qt::WindowType_Mask) | (menuOpen ? Qt::Tool : Qt::Window));
    }
    setAttribute(Qt::WA_ShowWithoutActivating, menuOpen);
    if (isMinimized()) {
        showNormal();
    } else {
        show();
    }
    // A modal dialog blocks every window but its own, and its help is wanted while it is open.
    QWidget* modal = QApplication::activeModalWidget();
    if (QWindow* window = windowHandle()) {
        window->setTransientParent(modal != nullptr && modal != this ? modal->windowHandle() : nullptr);
    }
    raise();
    if (!menuOpen) {
        activateWindow();
    }
    keepPlaceAtTop();
}

bool HelpWindow::findNext() {
    m_anchorAtTop.clear();
    const QString text = m_findField->text();
    if (text.isEmpty()) {
        m_findStatus->clear();
        return false;
    }
    // The search goes on from the place on display, not from a cursor left out of sight when the
    // page was scrolled to an anchor or by hand.
    const QRect viewport = m_browser->viewport()->rect();
    if (!viewport.contains(m_browser->cursorRect().center())) {
        m_browser->setTextCursor(m_browser->cursorForPosition(viewport.topLeft()));
    }
    if (m_browser->find(text)) {
        m_findStatus->clear();
        return true;
    }
    // Past the last match: from the top again. Without any match the view stays where it is.
    const QTextCursor first = m_browser->document()->find(text, 0);
    if (first.isNull()) {
        m_findStatus->setText(tr("Not found"));
        return false;
    }
    m_browser->setTextCursor(first);
    m_findStatus->setText(tr("Searched from the top again"));
    return true;
}

void HelpWindow::onLinkClicked(const QUrl& link) {
    const QUrl target = m_browser->source().resolved(link);
    if (isWebLink(target) || !target.isLocalFile()) {
        showInBrowser(this, target);
        return;
    }
    m_browser->setSource(target);
}

void HelpWindow::onSourceChanged(const QUrl& source) {
    m_anchorAtTop.clear();
    const QString title = m_browser->documentTitle();
    setWindowTitle(title.isEmpty() ? tr("Help") : tr("%1 - Help").arg(title));
    const QUrl page = source.adjusted(QUrl::RemoveFragment);
    if (page != m_indexedPage) {
        m_indexedPage = page;
        rebuildIndex();
        updateEndSpace();
    }
}

void HelpWindow::rebuildIndex() {
    m_index->clear();
    QTreeWidgetItem* section = nullptr;
    for (QTextBlock block = m_browser->document()->begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level != 2 && level != 3) {
            continue;
        }
        const QString text = block.text().simplified();
        if (text.isEmpty()) {
            continue;
        }
        QTreeWidgetItem* item =
            level == 3 && section != nullptr ? new QTreeWidgetItem(section) : new QTreeWidgetItem(m_index);
        if (level == 2) {
            section = item;
        }
        item->setText(0, text);
        item->setToolTip(0, text);
        item->setData(0, kAnchorRole, anchorOf(block));
        item->setData(0, kPositionRole, block.position());
    }
    m_index->expandAll();
}

void HelpWindow::onIndexEntry(QTreeWidgetItem* item) {
    if (item == nullptr) {
        return;
    }
    m_anchorAtTop.clear();
    // A heading with an anchor is a place of the manual's own, with an entry in the history;
    // one without is only scrolled to.
    const QString anchor = item->data(0, kAnchorRole).toString();
    if (!anchor.isEmpty()) {
        QUrl target = m_browser->source();
        target.setFragment(anchor);
        m_browser->setSource(target);
        return;
    }
    const QTextBlock block = m_browser->document()->findBlock(item->data(0, kPositionRole).toInt());
    const QRectF bounds = m_browser->document()->documentLayout()->blockBoundingRect(block);
    m_browser->verticalScrollBar()->setValue(qRound(bounds.top()));
}
