#include "dialogs/ImportPreviewDlg.h"

#include "app/FitToTable.h"
#include "app/Resource.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QString channelText(const std::string& text) {
    return text.empty() ? ImportPreviewDlg::tr("erased") : QString::fromStdString(text);
}

// A tree lays its rows out one line high whatever its word wrap: this gives each row the height
// its texts need when they wrap at their column's width.
class WrappingDelegate : public QStyledItemDelegate {
public:
    explicit WrappingDelegate(QTreeView* view) : QStyledItemDelegate(view), m_view(view) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        // The style wraps only within a valid rectangle; its height does not limit the result.
        QStyleOptionViewItem within(option);
        within.rect = QRect(0, 0, m_view->columnWidth(index.column()), option.fontMetrics.height());
        return QStyledItemDelegate::sizeHint(within, index);
    }

private:
    QTreeView* m_view;
};

} // namespace

ImportPreviewDlg::ImportPreviewDlg(const MemoryImage& before, const channelcsv::ImportResult& result,
                                   Language language, QWidget* parent)
    : HelpDialog(id::kImportChannels, parent), m_list(new QTreeWidget),
      m_import(new QPushButton(tr("&Import"))) {
    setObjectName(QStringLiteral("ImportPreviewDlg"));
    setWindowTitle(tr("Import Channels"));
    m_list->setRootIsDecorated(false);
    QHeaderView* header = m_list->header();
    auto* summary = new QLabel;
    summary->setWordWrap(true);
    if (!result.ok()) {
        m_list->setHeaderLabels({tr("Line"), tr("Why it cannot be imported")});
        for (const channelcsv::Problem& problem : result.problems) {
            new QTreeWidgetItem(m_list,
                                {QString::number(problem.line), QString::fromStdString(problem.reason)});
        }
        // A reason may be a long sentence: it wraps within the dialog's width.
        m_list->setWordWrap(true);
        m_list->setTextElideMode(Qt::ElideNone);
        m_list->setItemDelegate(new WrappingDelegate(m_list));
        // Once the resize that moved the column is over, the rows take their new heights.
        connect(
            header, &QHeaderView::sectionResized, m_list, [this] { m_list->doItemsLayout(); },
            Qt::QueuedConnection);
        header->setSectionResizeMode(0, QHeaderView::ResizeToContents);
        header->setSectionResizeMode(1, QHeaderView::Stretch);
        summary->setText(tr("The file has %n row(s) that cannot be imported; nothing is changed.", nullptr,
                            static_cast<int>(result.problems.size())));
        m_import->setEnabled(false);
    } else {
        m_list->setHeaderLabels({tr("Channel"), tr("Now"), tr("After the import")});
        for (const channelcsv::ChannelChange& change :
             channelcsv::changedChannels(before, result.image, language)) {
            new QTreeWidgetItem(m_list, {QString::number(change.channel), channelText(change.now),
                                         channelText(change.after)});
            ++m_changed;
        }
        summary->setText(
            tr("%n channel(s) read from the file; %1 change.", nullptr, result.channelCount).arg(m_changed));
        m_import->setEnabled(before != result.image);
        header->setSectionResizeMode(QHeaderView::ResizeToContents);
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel);
    buttons->addButton(m_import, QDialogButtonBox::AcceptRole);
    m_import->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addWidget(m_list);
    layout->addWidget(buttons);

    if (result.ok()) {
        resizeToTable(this, m_list, 480, 400);
    } else {
        resize(720, 400); // the reasons wrap at this width
    }
}
