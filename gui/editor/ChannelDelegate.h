#pragma once

#include <QPointer>
#include <QStyledItemDelegate>

#include <utility>

class ChannelModel;
class QKeyEvent;

// The in-cell editors of the channel grid: a line for a frequency, a list for the other fields,
// each carrying its field's help id in the "controlId" property, which F1 reports. What the user
// typed or chose goes to the model's commit(); a refusal is shown here, and refused() tells the
// view not to move on.
//
// Until the text of an editor is changed, the keys of the Edit commands (Ctrl+Z, Ctrl+C, Delete,
// Ctrl+D and the like) act on the document, not on the text, and Shift with a movement key closes
// the editor and selects cells from its cell.
class ChannelDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit ChannelDelegate(ChannelModel* model, QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

    // The editor open in a cell; nullptr when none is.
    QWidget* openEditor() const { return m_editor; }
    // Whether the last commit was refused; the question clears it.
    bool takeRefused() { return std::exchange(m_refused, false); }
    // True while a commit changes the document.
    bool isCommitting() const { return m_committing; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Whether a key typed into the open `editor` belongs to the grid and the Edit commands.
    static bool isGridKey(QObject* editor, const QKeyEvent* key);

    ChannelModel* m_model;
    mutable QPointer<QWidget> m_editor;
    mutable bool m_refused = false;
    mutable bool m_committing = false;
};
