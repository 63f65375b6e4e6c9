#include "frame/AboutDlg.h"

#include "app/DialogUnits.h"
#include "app/Pictures.h"
#include "app/AppContext.h"
#include "app/Resource.h"

#include <QLabel>
#include <QPushButton>

CAboutDlg::CAboutDlg(const AppContext& context, QWidget* parent) : CHelpDialog(id::kAppAbout, parent) {
    setObjectName(QStringLiteral("AboutDlg"));
    setFont(CDialogUnits::templateFont());
    const CDialogUnits du(font());
    setFixedSize(du.size(231, 67));

    m_pVersion = new QLabel(this);
    m_pVersion->setTextFormat(Qt::PlainText);
    m_pCopyrights = new QLabel(this);
    m_pCopyrights->setTextFormat(Qt::PlainText);
    m_pOwner = new QLabel(this);
    m_pOwner->setTextFormat(Qt::PlainText);
    // A little taller than the template's 8 units, so no font cuts off its descenders.
    m_pVersion->setGeometry(du.rect(14, 13, 150, 10));
    m_pCopyrights->setGeometry(du.rect(14, 28, 150, 10));
    m_pOwner->setGeometry(du.rect(14, 43, 150, 10));

    m_pIcon = new QLabel(this);
    const QRect iconRect = du.rect(186, 14, 18, 17);
    const int side = qMax(32, qMin(iconRect.width(), iconRect.height()));
    m_pIcon->setGeometry(QRect(iconRect.topLeft(), QSize(side, side)));
    m_pIcon->setAlignment(Qt::AlignCenter);

    m_pOk = new QPushButton(tr("OK"), this);
    m_pOk->setGeometry(du.rect(176, 34, 39, 14));
    m_pOk->setDefault(true);
    connect(m_pOk, &QPushButton::clicked, this, &QDialog::accept);

    // The texts and the picture of the installation.
    setWindowTitle(context.languageText("About Title"));
    m_pVersion->setText(context.languageText("Version"));
    m_pCopyrights->setText(context.languageText("Copyrights"));
    m_pOwner->setText(context.languageText("Copyrights Owner"));
    const QIcon title = CPictures::titleIcon(context.appDir());
    m_pIcon->setPixmap((title.isNull() ? CPictures::appIcon() : title).pixmap(side, side));
}
