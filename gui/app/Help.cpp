#include "app/Help.h"

#include "app/AppContext.h"
#include "app/HelpWindow.h"
#include "app/MessageBox.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

Help::Watcher Help::s_watcher;
Help::Opener Help::s_opener;

QUrl Help::url(const AppContext& context, int contextId) {
    QUrl url = QUrl::fromLocalFile(context.dataDir() + context.helpFile());
    if (contextId != 0) {
        url.setFragment(QString::number(contextId));
    }
    return url;
}

void Help::open(AppContext& context, QWidget* parent, int contextId) {
    const QUrl page = url(context, contextId);
    if (!QFileInfo(page.toLocalFile()).isFile()) {
        MessageBox::show(parent, QCoreApplication::translate("Help", "The help page %1 cannot be found.")
                                     .arg(QDir::toNativeSeparators(page.toLocalFile())));
        return;
    }
    if (s_watcher && s_watcher(page)) {
        return;
    }
    context.helpWindow().showPage(page);
}

bool Help::openInBrowser(const QUrl& url) {
    return s_opener ? s_opener(url) : QDesktopServices::openUrl(url);
}

void Help::setWatcher(Watcher watcher) {
    s_watcher = std::move(watcher);
}

void Help::setOpener(Opener opener) {
    s_opener = std::move(opener);
}
