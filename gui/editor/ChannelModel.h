#pragma once

#include "channels/ChannelTable.h"
#include "text/CoreTexts.h"

#include <QAbstractTableModel>
#include <QPointer>

class ProgramDoc;

// The document's sixteen channels as a table: a row per channel, a column per field of
// channelFields(), the texts made on demand from the document's image in the interface's
// language. The headings are the header data: the field headings across, the channel numbers
// down. A cell is changed only through commit(), which applies the editor's rules and makes the
// change one undo step of the document; every change of the image, from anywhere, repaints.
class ChannelModel : public QAbstractTableModel {
    Q_OBJECT
public:
    ChannelModel(ProgramDoc* doc, Language language, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    Language language() const { return m_language; }
    // The band the frequencies are checked against: the document's radio type and band.
    BandLimits bandLimits() const;
    // The field a column shows.
    static const ChannelFieldInfo& field(const QModelIndex& index);
    // The channel table of the cell's image, in the model's language.
    ChannelTable table() const;
    // The item of a list cell's items that its editor opens on.
    int initialListIndex(const QModelIndex& index) const;

    // Takes what the user typed or chose in a cell (`userChose`: an item of the list was picked)
    // with the editor's rules and the document's band limits: a changed image becomes one undo
    // step "Edit <heading> of Channel <n>". A refused text changes nothing; the outcome says why.
    CommitOutcome commit(const QModelIndex& index, const QString& text, bool userChose);

private:
    QPointer<ProgramDoc> m_doc;
    Language m_language;
};
