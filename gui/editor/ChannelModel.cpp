#include "editor/ChannelModel.h"

#include "channels/ChannelCodec.h"
#include "document/ProgramDoc.h"

#include <QBrush>
#include <QColor>

namespace {

// The headings are blue on the grey of fixed cells.
const QColor kHeadingText(0, 50, 240);

int channelOf(const QModelIndex& index) {
    return index.row() + 1;
}

} // namespace

ChannelModel::ChannelModel(ProgramDoc* doc, Language language, QObject* parent)
    : QAbstractTableModel(parent), m_doc(doc), m_language(language) {
    connect(doc, &ProgramDoc::imageChanged, this, [this] {
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::DisplayRole});
    });
}

int ChannelModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : image::kChannelCount;
}

int ChannelModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kChannelFieldCount;
}

const ChannelFieldInfo& ChannelModel::field(const QModelIndex& index) {
    return channelFields().at(static_cast<size_t>(index.column()));
}

ChannelTable ChannelModel::table() const {
    return ChannelTable(m_doc->image(), m_language);
}

QVariant ChannelModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !m_doc) {
        return {};
    }
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return QString::fromStdString(
            fieldText(field(index), ChannelCodec::decode(m_doc->image(), channelOf(index)), m_language));
    case Qt::AccessibleTextRole: {
        // A screen reader reads the cell's text; an empty cell says so.
        const QString text = data(index, Qt::DisplayRole).toString();
        return text.isEmpty() ? tr("empty") : text;
    }
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    case Qt::BackgroundRole:
        return QBrush(Qt::white);
    default:
        return {};
    }
}

QVariant ChannelModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (section < 0 || section >= (orientation == Qt::Horizontal ? columnCount() : rowCount())) {
        return {};
    }
    switch (role) {
    case Qt::DisplayRole:
        return orientation == Qt::Horizontal
                   ? QString::fromUtf8(ChannelTable::heading(section + 1, m_language))
                   : QStringLiteral("%1").arg(section + 1, 2); // " 1" .. "16"
    case Qt::ForegroundRole:
        return QBrush(kHeadingText);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    default:
        return {};
    }
}

Qt::ItemFlags ChannelModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable : Qt::NoItemFlags;
}

BandLimits ChannelModel::bandLimits() const {
    return m_doc ? m_doc->typeAndBand().limits : BandLimits{};
}

int ChannelModel::initialListIndex(const QModelIndex& index) const {
    return table().initialListIndex(index.column() + 1, data(index).toString().toStdString());
}

CommitOutcome ChannelModel::commit(const QModelIndex& index, const QString& text, bool userChose) {
    if (!index.isValid() || !m_doc) {
        return {};
    }
    const ChannelFieldInfo& info = field(index);
    ChannelTable edited = table();
    const CommitOutcome outcome =
        info.kind == FieldKind::Frequency
            ? edited.commitFrequency(channelOf(index), info.col, text.trimmed().toStdString(), bandLimits())
            : edited.commitList(channelOf(index), info.col, text.toStdString(), userChose);
    if (edited.image() != m_doc->image()) {
        m_doc->applyChange(tr("Edit %1 of Channel %2")
                               .arg(QString::fromUtf8(coreText(info.heading, m_language)))
                               .arg(channelOf(index)),
                           edited.image());
    }
    return outcome;
}
