#include "app/Help.h"

#include "app/AppContext.h"
#include "app/MessageBox.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

Help::Opener Help::s_opener;

QUrl Help::url(const AppContext& context, int contextId) {
    QUrl url = QUrl::fromLocalFile(context.dataDir() + context.helpFile());
    if (contextId != 0) {
        url.setFragment(QString::number(contextId));
    }
    return url;
}

void Help::open(const AppContext& context, QWidget* parent, int contextId) {
    const QUrl page = url(context, contextId);
    if (!QFileInfo(page.toLocalFile()).isFile()) {
        MessageBox::show(parent, QCoreApplication::translate("Help", "The help page %1 cannot be found.")
                                     .arg(QDir::toNativeSeparators(page.toLocalFile())));
        return;
    }
    if (s_opener) {
        s_opener(page);
    } else {
        QDesktopServices::openUrl(page);
    }
}

void Help::setOpener(Opener opener) {
    s_opener = std::move(opener);
}
