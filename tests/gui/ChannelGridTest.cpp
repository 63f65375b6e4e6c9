#include "ProgramFixture.h"

#include "app/FileDialog.h"
#include "app/MessageBox.h"
#include "app/Resource.h"
#include "channels/ChannelCsv.h"
#include "dialogs/ChannelPlansDlg.h"
#include "dialogs/CheckChannelsDlg.h"
#include "dialogs/ImportPreviewDlg.h"
#include "dialogs/OptionalFeaturesDlg.h"
#include "document/ProgramDoc.h"
#include "editor/ChannelView.h"
#include "editor/ProgramView.h"
#include "frame/ChildFrame.h"
#include "frame/MainFrame.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

#include <map>
#include <tuple>

namespace {

// The grid of a new document (type HT-A, band 136 - 174 MHz), driven with real keys and clicks.
class ChannelGrid : public ProgramFixture {
protected:
    void startIn(const QString& language) {
        writeTestIni(language);
        copyTranslations();
        ASSERT_TRUE(start());
        view()->window()->activateWindow();
    }
    ProgramView* view() const { return activeChild()->view(); }
    ChannelView* grid() const { return view()->grid(); }
    QWidget* openEditor() const { return grid()->openEditor(); }
    QString cell(int row, int col) const { return grid()->cellText(row, col); }
    QStringList row(int r) const {
        QStringList texts;
        for (int c = 1; c < 9; ++c) {
            texts << cell(r, c);
        }
        return texts;
    }

    // A cell, a heading or a channel's number, in the widget that shows it, scrolled into view.
    void clickCell(int r, int c, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        if (r > 0 && c > 0) {
            grid()->scrollTo(grid()->model()->index(r - 1, c - 1));
        }
        QTest::mouseClick(grid()->cellWidget(r, c), Qt::LeftButton, modifiers,
                          grid()->cellRect(r, c).center());
    }
    void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
    }
    // Clicks the cell and types into its edit box (replacing the text), without committing.
    void typeInto(int r, int c, const QString& text) {
        clickCell(r, c);
        auto* edit = qobject_cast<QLineEdit*>(openEditor());
        ASSERT_NE(edit, nullptr);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }
    void pressEnter() { QTest::keyClick(openEditor() ? openEditor() : grid(), Qt::Key_Return); }
};

TEST_F(ChannelGrid, NewDocumentShowsHeadingsNumbersAndEmptyRows) {
    startIn(QStringLiteral("English"));
    EXPECT_EQ(cell(0, 1), "Rx Frequency");
    EXPECT_EQ(cell(0, 8), "Power");
    EXPECT_EQ(cell(1, 0), " 1");
    EXPECT_EQ(cell(16, 0), "16");
    for (int r = 1; r <= 16; ++r) {
        EXPECT_EQ(row(r).join(""), "") << r;
    }
}

TEST_F(ChannelGrid, TypingAFrequencyIntoAnEmptyRowGivesTheDefaultsAndMovesOn) {
    startIn(QStringLiteral("English"));
    typeInto(3, 1, "145");
    pressEnter();
    EXPECT_EQ(row(3), QStringList({"145.00000", "145.00000", "None", "None", "Wide", "Yes", "Off", "High"}));
    EXPECT_EQ(grid()->row(), 3);
    EXPECT_EQ(grid()->col(), 2);
    EXPECT_EQ(openEditor(), nullptr) << "moving by the keyboard opens no editor";
    EXPECT_TRUE(activeDocument()->isModified());
}

TEST_F(ChannelGrid, EditsOfAnExistingChannel) {
    startIn(QStringLiteral("English"));
    typeInto(2, 1, "145");
    pressEnter();
    typeInto(2, 2, "145.6");
    pressEnter();
    typeInto(2, 1, "146");
    pressEnter();
    EXPECT_EQ(cell(2, 2), "145.60000") << "a new receive frequency keeps the transmit frequency";

    typeInto(2, 2, "");
    pressEnter();
    EXPECT_EQ(cell(2, 2), "146.00000") << "an empty transmit cell follows the receive frequency";

    typeInto(2, 1, "");
    pressEnter();
    EXPECT_EQ(row(2).join(""), "") << "an empty receive cell deletes the channel";
}

struct RefusedCase {
    const char* name;
    int col;
    const char* typed;
    bool byEnter;
    const char* message;
};

class ChannelGridRefused : public ChannelGrid, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(ChannelGridRefused, ARefusedFrequencyShowsItsMessageAndKeepsTheRow) {
    const RefusedCase& c = GetParam();
    startIn(QStringLiteral("English"));
    typeInto(5, 1, "145");
    pressEnter();
    const QStringList before = row(5);
    shownBoxes();

    typeInto(5, c.col, c.typed);
    if (c.byEnter) {
        pressEnter();
        EXPECT_EQ(grid()->col(), c.col) << "Enter stays on a refused cell";
    } else {
        clickCell(9, 4); // leaving the cell commits it
        EXPECT_EQ(grid()->row(), 9);
    }
    const auto boxes = shownBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, c.message);
    EXPECT_EQ(boxes[0].caption, "Caution");
    EXPECT_EQ(row(5), before);
}

const char* const kOutOfRange = "Out of range,please input again. (the band is 136.00000 to 174.00000 MHz)";
const char* const kOffStep =
    "Error data Value, please input according the step value(6.25K/5k). (the band is "
    "136.00000 to 174.00000 MHz)";

INSTANTIATE_TEST_SUITE_P(Cases, ChannelGridRefused,
                         ::testing::Values(RefusedCase{"RxOutOfBandEnter", 1, "180", true, kOutOfRange},
                                           RefusedCase{"RxOutOfBandLeave", 1, "180", false, kOutOfRange},
                                           RefusedCase{"RxOffStepEnter", 1, "145.0025", true, kOffStep},
                                           RefusedCase{"TxOutOfBandLeave", 2, "100", false, kOutOfRange},
                                           RefusedCase{"TxOffStepEnter", 2, "145.0025", true, kOffStep},
                                           RefusedCase{"TxOffStepLeave", 2, "145.0025", false, kOffStep}),
                         [](const ::testing::TestParamInfo<RefusedCase>& row) {
                             return std::string(row.param.name);
                         });

TEST_F(ChannelGrid, ListsOnAnEmptyRowLeaveTheCellEmpty) {
    startIn(QStringLiteral("English"));
    clickCell(7, 8);
    auto* box = qobject_cast<QComboBox*>(openEditor());
    ASSERT_NE(box, nullptr);
    QTest::keyClick(box, Qt::Key_Down);
    pressEnter();
    EXPECT_EQ(cell(7, 8), "");
}

TEST_F(ChannelGrid, EnterWrapsAroundAtTheEndOfRowsAndOfTheGrid) {
    startIn(QStringLiteral("English"));
    clickCell(5, 8);
    pressEnter();
    EXPECT_EQ(grid()->row(), 6);
    EXPECT_EQ(grid()->col(), 1);
    clickCell(16, 8);
    pressEnter();
    EXPECT_EQ(grid()->row(), 1);
    EXPECT_EQ(grid()->col(), 1);
}

TEST_F(ChannelGrid, EscapeAbandonsTabMovesAndF2Reopens) {
    startIn(QStringLiteral("English"));
    typeInto(4, 1, "146");
    QTest::keyClick(openEditor(), Qt::Key_Escape);
    EXPECT_EQ(openEditor(), nullptr);
    EXPECT_EQ(cell(4, 1), "");
    EXPECT_FALSE(activeDocument()->isModified());

    QTest::keyClick(grid(), Qt::Key_F2);
    ASSERT_NE(qobject_cast<QLineEdit*>(openEditor()), nullptr);
    QTest::keyClick(openEditor(), Qt::Key_Tab);
    EXPECT_EQ(grid()->col(), 2);
    EXPECT_EQ(openEditor(), nullptr);
    QTest::keyClick(grid(), Qt::Key_Backtab);
    EXPECT_EQ(grid()->col(), 1);
}

struct KeysCase {
    const char* name;
    // Space-separated: a key name (^ Ctrl, + Shift), @ROW,COL a click, anything else typed text.
    const char* keys;
    std::vector<std::tuple<int, int, const char*>> cells; // what the cells show afterwards
};

class ChannelGridKeys : public ChannelGrid, public ::testing::WithParamInterface<KeysCase> {};

// Until the user types, presses F2 or clicks a cell, the arrows move the current cell: the next
// command lands where the user looks.
TEST_P(ChannelGridKeys, KeysLandOnTheCellsTheUserSees) {
    startIn(QStringLiteral("English"));
    grid()->setRowCol(1, 1);
    QGuiApplication::clipboard()->setText("145.5\t145.5\t88.5\n146.5\t146.5\n147.5\t147.5\n148.5\t148.5\n");
    frame()->commandAction(id::kEditPaste)->trigger();
    const std::map<QString, Qt::Key> names{{"Home", Qt::Key_Home},    {"Esc", Qt::Key_Escape},
                                           {"Right", Qt::Key_Right},  {"Down", Qt::Key_Down},
                                           {"Enter", Qt::Key_Return}, {"D", Qt::Key_D}};
    for (QString token : QString::fromUtf8(GetParam().keys).split(' ')) {
        if (token.startsWith('@')) {
            const QStringList at = token.mid(1).split(',');
            clickCell(at[0].toInt(), at[1].toInt());
            continue;
        }
        Qt::KeyboardModifiers modifiers;
        for (; token.size() > 1 && (token[0] == '^' || token[0] == '+'); token.remove(0, 1)) {
            modifiers |= token[0] == '^' ? Qt::ControlModifier : Qt::ShiftModifier;
        }
        if (names.count(token) != 0) {
            key(names.at(token), modifiers);
        } else {
            for (const QChar typed : token) { // each to where the keyboard is, as a user's keys go
                QTest::keyClick(QApplication::focusWidget(), typed.toLatin1());
            }
        }
    }
    for (const auto& [r, c, text] : GetParam().cells) {
        EXPECT_EQ(cell(r, c), QString::fromUtf8(text)) << r << "," << c;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChannelGridKeys,
    ::testing::Values(KeysCase{"FillDownTheToneColumn",
                               "^Home Esc Right Right Esc +Down +Down +Down ^D",
                               {{2, 3, "88.5"}, {4, 3, "88.5"}, {2, 2, "146.50000"}, {4, 2, "148.50000"}}},
                      KeysCase{"DownLeavesAListCellUntouched",
                               "@1,2 Enter Down 146 Enter",
                               {{1, 3, "88.5"}, {2, 3, "146.2"}}}),
    [](const ::testing::TestParamInfo<KeysCase>& row) { return std::string(row.param.name); });

TEST_F(ChannelGrid, AToneNotInTheListSurvivesLeavingItsCell) {
    startIn(QStringLiteral("English"));
    MemoryImage image = activeDocument()->image();
    image.setRxFrequency(1, 14500000);
    image.setTxFrequency(1, 14500000);
    image.setRxTone(1, Tone::ctcss(1005));
    activeDocument()->applyChange(QStringLiteral("a tone off the list"), image);
    clickCell(1, 3);
    EXPECT_EQ(qobject_cast<QComboBox*>(openEditor())->currentIndex(), 0);
    clickCell(1, 5);
    EXPECT_EQ(cell(1, 3), "100.5");
}

// The editor sits on its cell, whatever the scale; the columns keep their widths in twips.
TEST_F(ChannelGrid, TheEditorCoversTheCellAsTheGridDrawsIt) {
    startIn(QStringLiteral("English"));
    for (const auto& [r, c] : {std::pair{6, 4}, std::pair{1, 1}, std::pair{16, 8}}) {
        clickCell(r, c);
        QWidget* box = openEditor();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->geometry(), grid()->cellRect(r, c)) << r << "," << c;
        EXPECT_EQ(grid()->columnWidth(c - 1), grid()->twipsToPixelsX(channelFieldAt(c)->widthTwips));
    }
}

TEST_F(ChannelGrid, EscapeThenFTwoInAListOpensOnTheCellsText) {
    startIn(QStringLiteral("English"));
    typeInto(2, 1, "145");
    pressEnter();
    clickCell(2, 5);
    auto* box = qobject_cast<QComboBox*>(openEditor());
    ASSERT_NE(box, nullptr);
    QTest::keyClick(box, Qt::Key_Down); // Narrow
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_EQ(cell(2, 5), "Wide");
    QTest::keyClick(grid(), Qt::Key_F2);
    box = qobject_cast<QComboBox*>(openEditor());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->currentText(), "Wide");
    pressEnter();
    EXPECT_EQ(cell(2, 5), "Wide");
}

TEST_F(ChannelGrid, TabMovesStraightToTheNextCellAndStopsOnARefusedText) {
    startIn(QStringLiteral("English"));
    // A channel outside the band (from another radio's file): passing by must not judge it.
    MemoryImage image = activeDocument()->image();
    image.setRxFrequency(3, 43000000);
    image.setTxFrequency(3, 43000000);
    activeDocument()->applyChange(QStringLiteral("a channel outside the band"), image);
    shownBoxes();
    clickCell(4, 1);
    QTest::keyClick(openEditor(), Qt::Key_Backtab);
    EXPECT_EQ(grid()->row(), 3);
    EXPECT_EQ(grid()->col(), 8);
    EXPECT_TRUE(shownBoxes().empty());

    typeInto(5, 1, "180");
    QTest::keyClick(openEditor(), Qt::Key_Tab);
    EXPECT_EQ(shownBoxes().size(), 1u);
    EXPECT_EQ(grid()->row(), 5);
    EXPECT_EQ(grid()->col(), 1);
}

TEST_F(ChannelGrid, AnEditLeftOpenInAHiddenWindowIsNotLostOnExit) {
    startIn(QStringLiteral("English"));
    typeInto(4, 1, "146");
    frame()->commandAction(id::kFileClose)->trigger(); // hides the window, editor and all
    shownBoxes();
    frame()->close(); // no answer queued: the box's Cancel keeps the program open
    const auto boxes = shownBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Save changes to Channel Information?");
    EXPECT_EQ(cell(4, 1), "146.00000");
    EXPECT_TRUE(frame()->isVisible());
}

TEST_F(ChannelGrid, DecodesTheExampleChannelInChinese) {
    startIn(QStringLiteral("Chinese"));
    MemoryImage image = activeDocument()->image();
    image.setRxFrequency(16, 14500000);
    image.setTxFrequency(16, 14560000);
    image.setRxTone(16, Tone::ctcss(885));
    image.setTxTone(16, Tone::dcs(23, false));
    image.setByte(image::channelOffset(16) + 12, 0x08);
    image.setByte(image::channelOffset(16) + 13, 0x30);
    image.setScanned(16, true);
    activeDocument()->applyChange(QStringLiteral("channel 16"), image);
    EXPECT_EQ(row(16), QStringList({"145.00000", "145.60000", "88.5", "D023N", "宽", "是", "载波", "高"}));
    EXPECT_EQ(cell(0, 1), "接收频率");
}

TEST_F(ChannelGrid, SaveCommitsTheOpenEditAndWritesWhatTheGridShows) {
    startIn(QStringLiteral("English"));
    typeInto(1, 1, "145.0125");
    FileDialog::answerNext(path(QStringLiteral("typed.dat")));
    frame()->commandAction(id::kFileSaveAs)->trigger();
    EXPECT_EQ(cell(1, 1), "145.01250");
    const QByteArray saved = readFile(QStringLiteral("typed.dat"));
    ASSERT_EQ(saved.size(), 1024);
    EXPECT_EQ(static_cast<uint8_t>(saved.at(0x10)), 0x50); // 14 501 250: 50 12 50 14
    EXPECT_EQ(static_cast<uint8_t>(saved.at(0x11)), 0x12);
    EXPECT_EQ(static_cast<uint8_t>(saved.at(0x13)), 0x14);
}

} // namespace

// Every committed edit is one step back, and the modified mark follows the saved state.
TEST_F(ChannelGrid, UndoAndRedoEveryKindOfChange) {
    startIn(QStringLiteral("English"));
    ProgramDoc* doc = activeDocument();
    QAction* undo = frame()->commandAction(id::kEditUndo);
    QAction* redo = frame()->commandAction(id::kEditRedo);
    ASSERT_NE(undo, nullptr);
    EXPECT_FALSE(undo->isEnabled()) << "nothing to undo in a new document";

    const MemoryImage untouched = doc->image();
    typeInto(2, 1, "145.5");
    pressEnter();
    ASSERT_EQ(cell(2, 1), "145.50000");
    EXPECT_EQ(doc->undoStack()->count(), 1) << "a cell edit is one step";
    EXPECT_TRUE(doc->isModified());
    EXPECT_EQ(undo->text(), "&Undo Edit Rx Frequency of Channel 2");
    EXPECT_EQ(doc->image().rxFrequency(2), std::optional<uint32_t>(14550000))
        << "the image follows each edit";

    // A dialog's change is one step too.
    const uint8_t squelch = doc->image().byte(image::offset::kSquelch);
    runModal([this] { frame()->commandAction(id::kOptionalFeatures)->trigger(); },
             [](QWidget* modal) {
                 auto* dialog = qobject_cast<OptionalFeaturesDlg*>(modal);
                 ASSERT_NE(dialog, nullptr);
                 dialog->combo(OptionList::Squelch)->setCurrentIndex(9);
                 dialog->accept();
             });
    EXPECT_EQ(doc->image().byte(image::offset::kSquelch), 9);
    EXPECT_EQ(undo->text(), "&Undo Optional Features");

    undo->trigger();
    EXPECT_EQ(doc->image().byte(image::offset::kSquelch), squelch);
    undo->trigger();
    EXPECT_EQ(cell(2, 1), "") << "the grid shows the image as it was";
    EXPECT_EQ(doc->image(), untouched) << "byte for byte";
    EXPECT_FALSE(doc->isModified()) << "back at the state of the new document";
    EXPECT_FALSE(activeChild()->isWindowModified());

    redo->trigger();
    EXPECT_EQ(cell(2, 1), "145.50000");
    EXPECT_TRUE(doc->isModified());
    // Saving makes this the clean state: undoing past it marks the document again.
    FileDialog::answerNext(path(QStringLiteral("undo.dat")));
    ASSERT_TRUE(frame()->saveDocument(activeChild(), true));
    EXPECT_FALSE(doc->isModified());
    undo->trigger();
    EXPECT_TRUE(doc->isModified());
    redo->trigger();
    EXPECT_FALSE(doc->isModified());
    // The keys, with the main window active again after the dialogs.
    frame()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame()));
    QTest::keyClick(grid(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(cell(2, 1), "") << "Ctrl+Z";
    QTest::keyClick(grid(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(cell(2, 1), "145.50000") << "Ctrl+Y";
}

// A plan goes in as one undo step, a user's list that does not read is named, and Check Channels
// goes to the cell of what it finds.
TEST_F(ChannelGrid, APlanIsOneStepAndTheCheckGoesToWhatItFinds) {
    startIn(QStringLiteral("English"));
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("plans"))));
    for (const QString& name : QDir(QStringLiteral(RADIO_BIN_DIR "/plans")).entryList(QDir::Files)) {
        QFile::copy(QStringLiteral(RADIO_BIN_DIR "/plans/") + name, path(QStringLiteral("plans/") + name));
    }
    const QString userPlans = QString::fromStdString(channelplans::userPlansDir("TestRadio"));
    ASSERT_TRUE(QDir().mkpath(userPlans));
    writeFile(QDir(appDir()).relativeFilePath(userPlans + QStringLiteral("/Bad.csv")),
              "Location,Frequency\n1,abc\n");
    ProgramDoc* doc = activeDocument();
    MemoryImage image = doc->image();
    image.setRadioType(1); // HT-B, 400 - 470 MHz
    doc->applyChange(QStringLiteral("HT-B"), image);
    const MemoryImage before = doc->image();
    runModal([this] { frame()->commandAction(id::kChannelPlans)->trigger(); },
             [](QWidget* modal) {
                 auto* dlg = qobject_cast<ChannelPlansDlg*>(modal);
                 ASSERT_NE(dlg, nullptr);
                 const auto shown = [dlg](const QString& text) {
                     const auto labels = dlg->findChildren<QLabel*>();
                     return std::any_of(labels.begin(), labels.end(), [&](QLabel* l) {
                         return !l->isHidden() && l->text().contains(text);
                     });
                 };
                 EXPECT_TRUE(shown(QStringLiteral("Bad.csv: row 1"))) << "the list that did not read";
                 ASSERT_TRUE(dlg->selectPlan(QStringLiteral("MURS")));
                 EXPECT_FALSE(dlg->applyButton()->isEnabled()) << "MURS is outside 400 - 470 MHz";
                 EXPECT_TRUE(shown(QStringLiteral("MURS: 151.82000 MHz is outside the band")));
                 ASSERT_TRUE(dlg->selectPlan(QStringLiteral("GMRS")));
                 EXPECT_TRUE(dlg->effectLabel()->text().endsWith("14 rows of the plan cannot be applied."));
                 ASSERT_TRUE(dlg->selectPlan(QStringLiteral("PMR446")));
                 dlg->replaceAll()->setChecked(true);
                 EXPECT_EQ(dlg->effectLabel()->text(), "Channels 1 to 16 will be replaced.");
                 dlg->applyButton()->click();
             });
    EXPECT_EQ(cell(16, 1), "446.19375");
    EXPECT_EQ(cell(16, 5), "Narrow");
    QAction* undo = frame()->commandAction(id::kEditUndo);
    EXPECT_EQ(undo->text(), "&Undo Apply Channel Plan");
    const MemoryImage applied = doc->image();
    undo->trigger();
    EXPECT_EQ(doc->image(), before) << "one step, byte for byte";
    frame()->commandAction(id::kEditRedo)->trigger();
    EXPECT_EQ(doc->image(), applied);

    image = doc->image();
    image.setWide(5, true);
    doc->applyChange(QStringLiteral("wide"), image);
    runModal([this] { frame()->commandAction(id::kCheckChannels)->trigger(); },
             [](QWidget* modal) {
                 auto* dlg = qobject_cast<CheckChannelsDlg*>(modal);
                 ASSERT_NE(dlg, nullptr);
                 ASSERT_EQ(dlg->list()->rowCount(), 1);
                 const QTableWidget* list = dlg->list();
                 EXPECT_EQ(list->item(0, 0)->text() + "|" + list->item(0, 1)->text(), "5|W/N");
                 EXPECT_TRUE(list->item(0, 2)->text().contains("446.05625 MHz is a PMR446 frequency"))
                     << qPrintable(list->item(0, 2)->text());
                 QTest::keyClick(dlg->list(), Qt::Key_Return);
             });
    EXPECT_EQ(std::make_pair(grid()->row(), grid()->col()), std::make_pair(5, 5));
}

TEST_F(ChannelGrid, RowCommandsMoveWholeChannelsAndUndoPutsThemBack) {
    startIn(QStringLiteral("English"));
    ProgramDoc* doc = activeDocument();
    MemoryImage start = doc->image();
    for (int n = 1; n <= 3; ++n) {
        start.setRxFrequency(n, 14500000 + 10000 * static_cast<uint32_t>(n));
        start.setTxFrequency(n, 14500000 + 10000 * static_cast<uint32_t>(n));
        start.setByte(image::channelOffset(n) + 14, static_cast<uint8_t>(n)); // a byte the grid does not show
    }
    start.setByte(image::offset::kPriority, 3);
    doc->applyChange(QStringLiteral("three channels"), start);
    const auto trigger = [this](int command) { frame()->commandAction(command)->trigger(); };

    grid()->setRowCol(2, 1);
    trigger(id::kMoveChannelUp);
    EXPECT_EQ(cell(1, 1), "145.20000");
    EXPECT_EQ(cell(2, 1), "145.10000");
    EXPECT_EQ(grid()->row(), 1) << "the current cell goes with the channel";
    EXPECT_EQ(doc->image().byte(image::channelOffset(1) + 14), 2) << "every byte of the record moves";
    trigger(id::kInsertChannel);
    EXPECT_EQ(row(1).join(""), "");
    EXPECT_EQ(cell(2, 1), "145.20000");
    EXPECT_EQ(cell(4, 1), "145.30000");
    EXPECT_EQ(doc->image().byte(image::offset::kPriority), 4) << "the priority channel follows";
    grid()->setRowCol(3, 1);
    trigger(id::kDeleteChannel);
    EXPECT_EQ(cell(3, 1), "145.30000");
    EXPECT_EQ(doc->image().byte(image::offset::kPriority), 3);
    EXPECT_EQ(frame()->commandAction(id::kEditUndo)->text(), "&Undo Delete Channel 3");

    for (int i = 0; i < 3; ++i) {
        frame()->commandAction(id::kEditUndo)->trigger();
    }
    EXPECT_EQ(doc->image(), start);
    EXPECT_EQ(cell(1, 1), "145.10000");
    EXPECT_EQ(cell(3, 1), "145.30000");
}

TEST_F(ChannelGrid, PasteFromASpreadsheetFillsChannelsOrNothing) {
    startIn(QStringLiteral("English"));
    ProgramDoc* doc = activeDocument();
    grid()->setRowCol(2, 1);
    QGuiApplication::clipboard()->setText("145.5\t145.5\t88.5\t88.5\n146.52\t\t\tD023N\n147\t147.6\n");
    frame()->commandAction(id::kEditPaste)->trigger();
    EXPECT_EQ(cell(2, 1), "145.50000");
    EXPECT_EQ(cell(2, 3), "88.5");
    EXPECT_EQ(cell(3, 4), "D023N");
    EXPECT_EQ(cell(4, 2), "147.60000");
    EXPECT_EQ(doc->image().rxFrequency(4), std::optional<uint32_t>(14700000)) << "one step of the document";
    EXPECT_EQ(frame()->commandAction(id::kEditUndo)->text(), "&Undo Paste");
    const MemoryImage pasted = doc->image();

    // One frequency that cannot be taken: nothing is applied and the box names its cell.
    grid()->setRowCol(10, 1);
    QGuiApplication::clipboard()->setText("150\n150.0031\n151\n");
    frame()->commandAction(id::kEditPaste)->trigger();
    const auto boxes = shownBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].text.startsWith("Nothing was pasted")) << qPrintable(boxes[0].text);
    EXPECT_TRUE(boxes[0].text.contains("Channel 11, Rx Frequency: \"150.0031\""))
        << qPrintable(boxes[0].text);
    EXPECT_EQ(cell(10, 1), "");
    EXPECT_EQ(doc->image(), pasted);

    // The user may take the accepted cells alone.
    MessageBox::answerNext(QMessageBox::Yes);
    frame()->commandAction(id::kEditPaste)->trigger();
    EXPECT_EQ(shownBoxes().size(), 1u);
    EXPECT_EQ(cell(10, 1), "150.00000");
    EXPECT_EQ(cell(11, 1), "");
    EXPECT_EQ(cell(12, 1), "151.00000");

    // Copy gives the current cell, or a selected row, as a spreadsheet takes it; whole channels
    // go also as a channel list.
    grid()->setRowCol(2, 5);
    frame()->commandAction(id::kEditCopy)->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "Wide\n");
    EXPECT_FALSE(QGuiApplication::clipboard()->mimeData()->hasFormat("text/csv"));
    clickCell(2, 0);
    frame()->commandAction(id::kEditCopy)->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              "145.50000\t145.50000\t88.5\t88.5\tWide\tYes\tOff\tHigh\n");
    const QString csv = QString::fromUtf8(QGuiApplication::clipboard()->mimeData()->data("text/csv"));
    EXPECT_TRUE(csv.startsWith("Location,Name,Frequency,")) << qPrintable(csv);
    EXPECT_TRUE(csv.contains("\n2,,145.500000,")) << qPrintable(csv);
}

TEST_F(ChannelGrid, CellsSelectedWithShiftAreFilledClearedAndPasted) {
    startIn(QStringLiteral("English"));
    ProgramDoc* doc = activeDocument();
    grid()->setRowCol(1, 1);
    QGuiApplication::clipboard()->setText("145.5\t\t88.5\n146.5\n147.5\n148.5\n");
    frame()->commandAction(id::kEditPaste)->trigger();
    ASSERT_EQ(cell(4, 1), "148.50000");
    const MemoryImage four = doc->image();

    // Shift+Down from the tone cell's open list selects the column below; Ctrl+D fills it.
    clickCell(1, 3);
    for (int i = 0; i < 3; ++i) {
        key(Qt::Key_Down, Qt::ShiftModifier);
    }
    EXPECT_EQ(grid()->selection(), QRect(QPoint(3, 1), QPoint(3, 4)));
    EXPECT_EQ(grid()->row(), 1) << "the current cell stays";
    key(Qt::Key_D, Qt::ControlModifier);
    for (int r = 2; r <= 4; ++r) {
        EXPECT_EQ(cell(r, 3), "88.5") << r;
    }
    EXPECT_EQ(frame()->commandAction(id::kEditUndo)->text(), "&Undo Fill Down");

    // Shift+click spans a rectangle; Delete clears it as typing would: no Rx Frequency, no channel.
    clickCell(2, 1);
    clickCell(3, 2, Qt::ShiftModifier);
    EXPECT_EQ(grid()->selection(), QRect(QPoint(1, 2), QPoint(2, 3)));
    frame()->commandAction(id::kEditCopy)->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "146.50000\t146.50000\n147.50000\t147.50000\n");
    key(Qt::Key_Delete);
    EXPECT_EQ(row(2).join(""), "");
    EXPECT_EQ(row(3).join(""), "");
    EXPECT_EQ(cell(4, 1), "148.50000");
    EXPECT_EQ(frame()->commandAction(id::kEditUndo)->text(), "&Undo Clear Cells");

    // A column heading selects the column; one copied cell fills every selected cell in use.
    clickCell(0, 4);
    EXPECT_EQ(grid()->selection(), QRect(QPoint(4, 1), QPoint(4, 16)));
    QGuiApplication::clipboard()->setText("D023N\n");
    frame()->commandAction(id::kEditPaste)->trigger();
    EXPECT_EQ(cell(1, 4), "D023N");
    EXPECT_EQ(cell(4, 4), "D023N");
    EXPECT_EQ(cell(5, 4), "") << "a channel not in use has no tones";

    for (int i = 0; i < 3; ++i) {
        frame()->commandAction(id::kEditUndo)->trigger();
    }
    EXPECT_EQ(doc->image(), four);
}

TEST_F(ChannelGrid, KeysOfTheEditCommandsReachThemFromAnUntouchedCellEditor) {
    startIn(QStringLiteral("English"));
    ProgramDoc* doc = activeDocument();
    typeInto(1, 1, "145.5");
    pressEnter();
    clickCell(1, 2);
    ASSERT_NE(qobject_cast<QLineEdit*>(QApplication::focusWidget()), nullptr)
        << "the Tx cell's editor is open";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(cell(1, 1), "") << "Ctrl+Z undid the document's edit";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(cell(1, 1), "145.50000");

    // Once typed into, the editor keeps the keys for its text.
    typeInto(1, 2, "146");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(cell(1, 1), "145.50000");
    EXPECT_TRUE(doc->isModified());

    // Copy from the open editor copies the cell; Paste from another lays the cells down.
    clickCell(1, 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "145.50000\n");
    clickCell(3, 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(cell(3, 1), "145.50000");
    EXPECT_EQ(frame()->commandAction(id::kEditUndo)->text(), "&Undo Paste");
}

TEST_F(ChannelGrid, AChannelListOnTheClipboardPastesAsWholeChannels) {
    startIn(QStringLiteral("English"));
    ProgramDoc* doc = activeDocument();
    grid()->setRowCol(1, 1);
    QGuiApplication::clipboard()->setText("145.5\t146.1\tD754I\t103.5\tNarrow\tNo\tQT/DQT\tLow\n"
                                          "146.52\n");
    frame()->commandAction(id::kEditPaste)->trigger();
    const QStringList first = row(1);

    // What another program offers as CSV alone.
    frame()->commandAction(id::kEditSelectAll)->trigger();
    frame()->commandAction(id::kEditCopy)->trigger();
    auto* list = new QMimeData;
    list->setData("text/csv", QGuiApplication::clipboard()->mimeData()->data("text/csv"));
    QGuiApplication::clipboard()->setMimeData(list);
    grid()->setRowCol(8, 3);
    frame()->commandAction(id::kEditPaste)->trigger();
    EXPECT_EQ(row(8), first);
    EXPECT_EQ(cell(9, 1), "146.52000");
    EXPECT_EQ(doc->image().busyLock(8), doc->image().busyLock(1));

    // A list that would run past channel 16 is refused with its line.
    const MemoryImage before = doc->image();
    grid()->setRowCol(16, 1);
    frame()->commandAction(id::kEditCopy)->trigger(); // nothing in use there: a cell alone
    QGuiApplication::clipboard()->setText("Location,Frequency\n1,145.5\n2,146\n");
    frame()->commandAction(id::kEditPaste)->trigger();
    const auto boxes = shownBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].text.contains("Line 3: Location 2 would land past channel 16"))
        << qPrintable(boxes[0].text);
    EXPECT_EQ(doc->image(), before);
}

// A screen reader reads the cells' texts ("empty" for an empty one) and their headings through the
// table.
TEST_F(ChannelGrid, AssistiveTechnologySeesATableOfCellsWithHeadings) {
    startIn(QStringLiteral("English"));
    typeInto(3, 1, "145.5");
    pressEnter();
    QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(this->grid());
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->role(), QAccessible::Table);
    QAccessibleTableInterface* table = grid->tableInterface();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rowCount(), 16);
    EXPECT_EQ(table->columnCount(), 8);
    EXPECT_EQ(table->columnDescription(0), "Rx Frequency");
    QAccessibleInterface* cell = table->cellAt(2, 0); // channel 3, Rx Frequency
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->role(), QAccessible::Cell);
    EXPECT_EQ(cell->text(QAccessible::Name), "145.50000");
    QAccessibleTableCellInterface* place = cell->tableCellInterface();
    EXPECT_EQ(place->rowIndex(), 2);
    // The header cells are made for the asker, who owns them.
    const auto heading = [](const QList<QAccessibleInterface*>& cells) {
        QStringList texts;
        for (QAccessibleInterface* header : cells) {
            texts << header->text(QAccessible::Name).trimmed();
            QAccessible::deleteAccessibleInterface(QAccessible::registerAccessibleInterface(header));
        }
        return texts;
    };
    EXPECT_EQ(heading(place->columnHeaderCells()), QStringList{"Rx Frequency"});
    EXPECT_EQ(heading(place->rowHeaderCells()), QStringList{"3"});
    EXPECT_EQ(table->cellAt(15, 7)->text(QAccessible::Name), "empty");
    EXPECT_EQ(table->cellAt(16, 0), nullptr);

    this->grid()->setRowCol(5, 2);
    ASSERT_EQ(table->selectedCells().size(), 1);
    EXPECT_EQ(table->selectedCells().front()->tableCellInterface()->columnIndex(), 1);
    EXPECT_TRUE(table->selectRow(2));
    EXPECT_EQ(this->grid()->selectedRows(), std::make_pair(3, 3));
    EXPECT_EQ(table->selectedRows(), QList<int>{2});
    EXPECT_EQ(table->selectedCellCount(), 8);
    EXPECT_TRUE(table->cellAt(2, 0)->state().selected);
    EXPECT_FALSE(table->cellAt(4, 0)->state().selected);
    EXPECT_TRUE(table->selectColumn(3));
    EXPECT_EQ(table->selectedColumns(), QList<int>{3});
    EXPECT_EQ(table->selectedRowCount(), 0);
}

TEST_F(ChannelGrid, ChannelListsGoOutAndComeBackThroughAPreview) {
    startIn(QStringLiteral("English"));
    ProgramDoc* doc = activeDocument();
    typeInto(1, 1, "145.5");
    pressEnter();
    typeInto(2, 1, "146.52");
    pressEnter();
    FileDialog::answerNext(path(QStringLiteral("club.csv")));
    frame()->commandAction(id::kExportChannels)->trigger();
    ASSERT_FALSE(readFile(QStringLiteral("club.csv")).isEmpty());
    EXPECT_EQ(frame()->statusBar()->currentMessage(),
              "2 channels exported to " + path(QStringLiteral("club.csv")));
    const MemoryImage exported = doc->image();

    // The list comes back over other channels: the preview names what changes.
    grid()->setRowCol(1, 1);
    frame()->commandAction(id::kDeleteChannel)->trigger();
    ASSERT_EQ(cell(1, 1), "146.52000");
    FileDialog::answerNext(path(QStringLiteral("club.csv")));
    int changes = -1;
    runModal([this] { frame()->commandAction(id::kImportChannels)->trigger(); },
             [&](QWidget* modal) {
                 auto* preview = qobject_cast<ImportPreviewDlg*>(modal);
                 ASSERT_NE(preview, nullptr);
                 changes = preview->changedCount();
                 EXPECT_TRUE(preview->importButton()->isEnabled());
                 preview->importButton()->click();
             });
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(cell(1, 1), "145.50000");
    EXPECT_EQ(cell(2, 1), "146.52000");
    EXPECT_EQ(frame()->commandAction(id::kEditUndo)->text(), "&Undo Import Channels");

    // A list with a row that cannot be taken changes nothing.
    writeFile(QStringLiteral("bad.csv"),
              "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,Mode\n"
              "1,,145.500009,,0.000000,,88.5,88.5,023,NN,FM\n");
    const MemoryImage before = doc->image();
    FileDialog::answerNext(path(QStringLiteral("bad.csv")));
    int problems = -1;
    runModal([this] { frame()->commandAction(id::kImportChannels)->trigger(); },
             [&](QWidget* modal) {
                 auto* preview = qobject_cast<ImportPreviewDlg*>(modal);
                 ASSERT_NE(preview, nullptr);
                 problems = preview->list()->topLevelItemCount();
                 EXPECT_EQ(preview->list()->topLevelItem(0)->text(0), "2") << "the line of the row";
                 EXPECT_FALSE(preview->importButton()->isEnabled());
                 preview->reject();
             });
    EXPECT_EQ(problems, 1);
    EXPECT_EQ(doc->image(), before);
    EXPECT_EQ(doc->image().rxFrequency(1), exported.rxFrequency(1));
}

struct PreviewCase {
    const char* name;
    const char* language;
    const char* csv; // imported over a document whose channel 1 is 145.5 MHz
    int column;      // of the first row of the list
    const char* text;
};

class ChannelGridPreview : public ChannelGrid, public ::testing::WithParamInterface<PreviewCase> {};

// The preview speaks the interface's language, and shows every column whole: the list of
// changes sizes the dialog, a long reason wraps.
TEST_P(ChannelGridPreview, ShowsWholeTextsInTheInterfacesLanguage) {
    const PreviewCase& c = GetParam();
    startIn(QString::fromUtf8(c.language));
    typeInto(1, 1, "145.5");
    pressEnter();
    const MemoryImage before = activeDocument()->image();
    const Language language = context()->language();
    ImportPreviewDlg preview(before, channelcsv::importCsv(c.csv, before, view()->bandLimits(), language),
                             language);
    preview.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&preview));
    QApplication::processEvents(); // the rows' heights follow their columns' widths
    QTreeWidget* list = preview.list();
    ASSERT_GT(list->topLevelItemCount(), 0);
    QTreeWidgetItem* item = list->topLevelItem(0);
    EXPECT_EQ(item->text(c.column), QString::fromUtf8(c.text));
    EXPECT_EQ(list->horizontalScrollBar()->maximum(), 0) << "no column runs past the dialog";
    const QFontMetrics metrics = list->fontMetrics();
    if (metrics.horizontalAdvance(item->text(c.column)) > list->columnWidth(c.column)) {
        EXPECT_GE(list->visualItemRect(item).height(), 2 * metrics.height()) << "the text wraps";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChannelGridPreview,
    ::testing::Values(
        PreviewCase{"ErasedChannel", "English", "Location,Frequency\n", 2, "erased"},
        PreviewCase{"ErasedChannelInChinese", "Chinese", "Location,Frequency\n", 2, "已擦除"},
        PreviewCase{"ReasonInChinese", "Chinese", "Location,Frequency\n1,500\n", 1,
                    "Frequency 500：超出范围（频段为 136.00000 至 174.00000 MHz）"},
        PreviewCase{
            "LongReasonWraps", "English", "Location,Frequency,Tone,CrossMode\n1,145,Cross,Tone->Split\n", 1,
            "CrossMode \"Tone->Split\" is not one the radio can store (Tone->Tone, Tone->DTCS, DTCS->Tone, "
            "DTCS->DTCS, Tone->, DTCS->, ->Tone, ->DTCS)"}),
    [](const ::testing::TestParamInfo<PreviewCase>& row) { return std::string(row.param.name); });

// The system's reason comes in the interface's language as well.
TEST_F(ChannelGrid, AChannelListThatCannotBeOpenedSaysWhyInChinese) {
    startIn(QStringLiteral("Chinese"));
    shownBoxes();
    FileDialog::answerNext(path(QStringLiteral("nothing.csv")));
    frame()->commandAction(id::kImportChannels)->trigger();
    const auto boxes = shownBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].text.endsWith(QStringLiteral("文件或目录不存在"))) << boxes[0].text.toStdString();
}

TEST_F(ChannelGrid, RowsSelectedByTheirNumbersAreCutCopiedAndCleared) {
    startIn(QStringLiteral("English"));
    ProgramDoc* doc = activeDocument();
    for (int r = 1; r <= 5; ++r) {
        typeInto(r, 1, QStringLiteral("14%1.5").arg(r));
        pressEnter();
    }
    const MemoryImage filled = doc->image();
    clickCell(2, 0);
    clickCell(4, 0, Qt::ShiftModifier);
    EXPECT_EQ(grid()->selectedRows(), std::make_pair(2, 4));
    frame()->commandAction(id::kEditCopy)->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text().count('\n'), 3);

    frame()->commandAction(id::kEditCut)->trigger();
    EXPECT_EQ(cell(1, 1), "141.50000");
    for (int r = 2; r <= 4; ++r) {
        EXPECT_EQ(row(r).join(""), "") << r;
    }
    EXPECT_EQ(cell(5, 1), "145.50000") << "the rows below stay where they are";
    grid()->setRowCol(10, 1);
    frame()->commandAction(id::kEditPaste)->trigger();
    EXPECT_EQ(cell(10, 1), "142.50000");
    EXPECT_EQ(cell(12, 1), "144.50000");

    frame()->commandAction(id::kEditUndo)->trigger();
    frame()->commandAction(id::kEditUndo)->trigger();
    EXPECT_EQ(doc->image(), filled);

    // Without a selection, Clear clears the current cell: an Rx Frequency takes its channel.
    grid()->setRowCol(1, 1);
    frame()->commandAction(id::kEditClear)->trigger();
    EXPECT_EQ(row(1).join(""), "");
    frame()->commandAction(id::kEditUndo)->trigger();
    EXPECT_EQ(doc->image(), filled);
    frame()->commandAction(id::kEditSelectAll)->trigger();
    EXPECT_EQ(grid()->selectedRows(), std::make_pair(1, 16));
    frame()->commandAction(id::kEditClear)->trigger();
    for (int r = 1; r <= 16; ++r) {
        EXPECT_EQ(row(r).join(""), "") << r;
    }
    EXPECT_EQ(frame()->commandAction(id::kEditUndo)->text(), "&Undo Clear Channels");
}
