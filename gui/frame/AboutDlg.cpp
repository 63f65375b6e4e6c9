#include "frame/AboutDlg.h"

#include "app/AppContext.h"
#include "app/DialogUnits.h"
#include "app/Pictures.h"
#include "app/Resource.h"

#include <QLabel>
#include <QPushButton>

AboutDlg::AboutDlg(const AppContext& context, QWidget* parent) : HelpDialog(id::kAppAbout, parent) {
    setObjectName(QStringLiteral("AboutDlg"));
    setFont(DialogUnits::templateFont());
    const DialogUnits du(font());
    setFixedSize(du.size(231, 67));

    m_version = new QLabel(this);
    m_version->setTextFormat(Qt::PlainText);
    m_copyrights = new QLabel(this);
    m_copyrights->setTextFormat(Qt::PlainText);
    m_owner = new QLabel(this);
    m_owner->setTextFormat(Qt::PlainText);
    // A little taller than the template's 8 units, so no font cuts off its descenders.
    m_version->setGeometry(du.rect(14, 13, 150, 10));
    m_copyrights->setGeometry(du.rect(14, 28, 150, 10));
    m_owner->setGeometry(du.rect(14, 43, 150, 10));

    m_icon = new QLabel(this);
    const QRect iconRect = du.rect(186, 14, 18, 17);
    const int side = qMax(32, qMin(iconRect.width(), iconRect.height()));
    m_icon->setGeometry(QRect(iconRect.topLeft(), QSize(side, side)));
    m_icon->setAlignment(Qt::AlignCenter);

    m_ok = new QPushButton(tr("OK"), this);
    m_ok->setGeometry(du.rect(176, 34, 39, 14));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);

    // The version is the build's, the one --version prints, whatever Program.ini says; the other
    // texts and the picture are the installation's.
    m_version->setText(tr("Version %1").arg(QStringLiteral(RADIO_VERSION)));
    setWindowTitle(context.languageText(LanguageText::AboutTitle));
    m_copyrights->setText(context.languageText(LanguageText::Copyrights));
    m_owner->setText(context.languageText(LanguageText::CopyrightsOwner));
    const QIcon title = Pictures::titleIcon(context.dataDir());
    m_icon->setPixmap((title.isNull() ? Pictures::appIcon() : title).pixmap(side, side));
}
