#pragma once

#include "channels/Formats.h"
#include "document/ProgramDoc.h"

#include <QPointer>
#include <QWidget>

class AppContext;
class ChannelModel;
class ChannelView;
class DocumentCommands;
class LanguageDlg;
class QLabel;

// The channel form of a document: the caption line ("Title" of Program.ini, red, 12 points) above
// the channel grid, edited in place, and the document's commands (DocumentCommands).
//
// The grid shows the document's image through the channel model, and every change goes into the
// image as one undo step; commitPendingEdit takes an edit still open in a cell (before a save, a
// write or a command). The band limits the grid checks follow the document's radio type and band.
class ProgramView : public QWidget {
    Q_OBJECT
public:
    // Form size in template units, and the places of the caption and of the grid in it.
    static constexpr int kFormWidth = 398;
    static constexpr int kFormHeight = 218;

    ProgramView(AppContext& context, ProgramDoc* doc, QWidget* parent = nullptr);
    ~ProgramView() override;

    ProgramDoc* document() const { return m_document; }
    // The form's size; the window may be smaller.
    QSize sizeHint() const override;

    // After the window is shown: the caption text on the first call, then the window icon.
    void onInitialUpdate();

    bool commitPendingEdit();
    // The band of the document's radio type, which typed and pasted frequencies are checked against.
    BandLimits bandLimits() const;

    QLabel* captionLabel() const { return m_caption; }
    ChannelView* grid() const { return m_grid; }
    LanguageDlg* languageDialog() const { return m_languageDlg; }
    DocumentCommands* commands() const { return m_commands; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QRect gridPlace() const;

    AppContext& m_context;
    QPointer<ProgramDoc> m_document;
    QLabel* m_caption;
    ChannelModel* m_model;
    ChannelView* m_grid;
    DocumentCommands* m_commands;
    bool m_firstUpdate = true;
    LanguageDlg* m_languageDlg;
};
