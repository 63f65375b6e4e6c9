#include "app/Help.h"

#include "app/MessageBox.h"
#include "app/AppContext.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

CHelp::Opener CHelp::s_opener;

QUrl CHelp::url(const AppContext& context, int contextId) {
    QUrl url = QUrl::fromLocalFile(context.appDir() + context.helpFile());
    if (contextId != 0) {
        url.setFragment(QString::number(contextId));
    }
    return url;
}

void CHelp::open(const AppContext& context, QWidget* parent, int contextId) {
    const QUrl page = url(context, contextId);
    if (!QFileInfo(page.toLocalFile()).isFile()) {
        CMessageBox::show(parent, QCoreApplication::translate("CHelp", "The help page %1 cannot be found.")
                                      .arg(QDir::toNativeSeparators(page.toLocalFile())));
        return;
    }
    if (s_opener) {
        s_opener(page);
    } else {
        QDesktopServices::openUrl(page);
    }
}

void CHelp::setOpener(Opener opener) {
    s_opener = std::move(opener);
}
