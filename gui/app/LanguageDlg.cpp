#include "app/LanguageDlg.h"

#include "app/AppContext.h"
#include "app/DialogUnits.h"
#include "app/MessageBox.h"
#include "app/Resource.h"
#include "app/SystemReason.h"

#include <QButtonGroup>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>

LanguageDlg::LanguageDlg(AppContext& context, QWidget* parent)
    : HelpDialog(id::kLanguage, parent), m_context(context) {
    setObjectName(QStringLiteral("LanguageDlg"));
    setWindowTitle(tr("Language"));
    setFont(DialogUnits::templateFont());
    const DialogUnits du(font());
    setFixedSize(du.size(159, 75));

    m_english = new QRadioButton(tr("English"), this);
    m_chinese = new QRadioButton(tr("Chinese"), this);
    auto* group = new QButtonGroup(this);
    group->addButton(m_english, 0);
    group->addButton(m_chinese, 1);
    // The template's places; a label longer than the template's width gets the room it needs.
    const auto place = [](QWidget* widget, const QRect& rect) {
        widget->setGeometry(QRect(rect.topLeft(), QSize(qMax(rect.width(), widget->sizeHint().width()),
                                                        qMax(rect.height(), widget->sizeHint().height()))));
    };
    place(m_english, du.rect(27, 19, 35, 11));
    place(m_chinese, du.rect(98, 19, 34, 11));

    m_ok = new QPushButton(tr("OK"), this);
    m_ok->setDefault(true);
    m_ok->setGeometry(du.rect(29, 44, 36, 14));
    m_cancel = new QPushButton(tr("Cancel"), this);
    m_cancel->setGeometry(du.rect(95, 44, 36, 14));
    connect(m_ok, &QPushButton::clicked, this, &LanguageDlg::accept);
    connect(m_cancel, &QPushButton::clicked, this, &LanguageDlg::reject);
}

void LanguageDlg::showEvent(QShowEvent* event) {
    // Each showing starts from the running language.
    m_language = m_context.language() == Language::Chinese ? 1 : 0;
    m_changed = false;
    (m_language == 1 ? m_chinese : m_english)->setChecked(true);
    m_ok->setFocus();
    QDialog::showEvent(event);
}

void LanguageDlg::accept() {
    m_language = m_chinese->isChecked() ? 1 : (m_english->isChecked() ? 0 : -1);
    const int running = m_context.language() == Language::Chinese ? 1 : 0;
    m_changed = m_language != -1 && m_language != running;
    QDialog::accept();
}

bool LanguageDlg::storeChoice() {
    const IniSaveResult saved = m_context.storeLanguage(
        m_context.language() == Language::Chinese ? Language::English : Language::Chinese);
    if (!saved) {
        MessageBox::show(parentWidget(), tr("The language could not be saved in %1.\n%2")
                                             .arg(QDir::toNativeSeparators(QFile::decodeName(
                                                      m_context.programSettings().storePath().c_str())),
                                                  SystemReason::text(saved.detail)));
        return false;
    }
    return true;
}

void LanguageDlg::restoreRunningLanguage() {
    m_context.programSettings().storeLanguageSection(m_context.languageSection());
}
