#include "app/LanguageDlg.h"

#include "app/DialogUnits.h"
#include "app/AppContext.h"
#include "app/MessageBox.h"
#include "app/Resource.h"

#include <QButtonGroup>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>

CLanguageDlg::CLanguageDlg(AppContext& context, QWidget* parent)
    : CHelpDialog(id::kLanguage, parent), m_context(context) {
    setObjectName(QStringLiteral("LanguageDlg"));
    setWindowTitle(tr("Language"));
    setFont(CDialogUnits::templateFont());
    const CDialogUnits du(font());
    setFixedSize(du.size(159, 75));

    m_pEnglish = new QRadioButton(tr("English"), this);
    m_pChinese = new QRadioButton(tr("Chinese"), this);
    auto* group = new QButtonGroup(this);
    group->addButton(m_pEnglish, 0);
    group->addButton(m_pChinese, 1);
    // The template's places; a label longer than the template's width gets the room it needs.
    const auto place = [](QWidget* widget, const QRect& rect) {
        widget->setGeometry(QRect(rect.topLeft(), QSize(qMax(rect.width(), widget->sizeHint().width()),
                                                        qMax(rect.height(), widget->sizeHint().height()))));
    };
    place(m_pEnglish, du.rect(27, 19, 35, 11));
    place(m_pChinese, du.rect(98, 19, 34, 11));

    m_pOk = new QPushButton(tr("OK"), this);
    m_pOk->setDefault(true);
    m_pOk->setGeometry(du.rect(29, 44, 36, 14));
    m_pCancel = new QPushButton(tr("Cancel"), this);
    m_pCancel->setGeometry(du.rect(95, 44, 36, 14));
    connect(m_pOk, &QPushButton::clicked, this, &CLanguageDlg::accept);
    connect(m_pCancel, &QPushButton::clicked, this, &CLanguageDlg::reject);
}

void CLanguageDlg::showEvent(QShowEvent* event) {
    // Each showing starts from the running language.
    m_nLanguage = m_context.isChinese() ? 1 : 0;
    (m_nLanguage == 1 ? m_pChinese : m_pEnglish)->setChecked(true);
    m_pOk->setFocus();
    QDialog::showEvent(event);
}

void CLanguageDlg::accept() {
    m_nLanguage = m_pChinese->isChecked() ? 1 : (m_pEnglish->isChecked() ? 0 : -1);
    const int running = m_context.isChinese() ? 1 : 0;
    if (m_nLanguage != -1 && m_nLanguage != running) {
        CIniFile& settings = m_context.settings();
        settings.SetString("Setup", "Language", m_context.isChinese() ? "English" : "Chinese");
        const IniSaveResult saved = settings.Save();
        if (!saved) {
            // Nothing changes: a restart would come back in the same language.
            settings.SetString("Setup", "Language", m_context.language());
            CMessageBox::show(this, tr("The language could not be saved in %1.\n%2")
                                        .arg(QDir::toNativeSeparators(QFile::decodeName(settings.Path().c_str())),
                                             QString::fromLocal8Bit(saved.detail.c_str())));
            QDialog::reject();
            return;
        }
        m_bChanged = true;
    }
    QDialog::accept();
}
