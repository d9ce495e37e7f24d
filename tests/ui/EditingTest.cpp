// The list edited through the Edit menu and the table: each row operation,
// its undo and redo, the clipboard, find and sort.

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QUndoStack>

#include <string>
#include <vector>

#include "PrimerListEditor.h"
#include "PrimerTable.h"
#include "WindowTest.h"
#include "model/PrimerFields.h"

namespace tamsel {
namespace {

using Names = std::vector<std::string>;

}  // namespace

class EditingTest : public WindowTest {
  Q_OBJECT

 private slots:
  void init() {
    openWindow({PrimerEntry(true, "P1", "ACGTACGT", "fwd"), PrimerEntry(false, "b2", "GGGCCCAAAT", "rev"),
                PrimerEntry(false, "a3", "TTTTAAAACC", "x"), PrimerEntry(true, "P4", "CCCCGGGGAA", "")});
    QVERIFY(showWindow());
  }

  // Every operation is one undo step that undo reverses and redo repeats.
  void rowOperationsUndoAndRedo_data() {
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QList<int>>("selectedRows");
    QTest::addColumn<Names>("after");
    QTest::newRow("delete") << "delete" << QList<int>{1, 3} << Names{"P1", "a3"};
    QTest::newRow("cut") << "cut" << QList<int>{0} << Names{"b2", "a3", "P4"};
    QTest::newRow("move up") << "up" << QList<int>{2, 3} << Names{"P1", "a3", "P4", "b2"};
    QTest::newRow("move up at the top") << "up" << QList<int>{0, 2} << Names{"P1", "a3", "b2", "P4"};
    QTest::newRow("move down") << "down" << QList<int>{0} << Names{"b2", "P1", "a3", "P4"};
    QTest::newRow("add") << "add" << QList<int>{1} << Names{"P1", "b2", "", "a3", "P4"};
  }

  void rowOperationsUndoAndRedo() {
    QFETCH(QString, operation);
    QFETCH(QList<int>, selectedRows);
    QFETCH(Names, after);
    const Names before = namesOf(content().primers());
    selectRows(selectedRows);
    PrimerListEditor& editor = content().editor();
    if (operation == "delete") editor.deleteSelected();
    if (operation == "cut") editor.cut();
    if (operation == "up") editor.moveUp();
    if (operation == "down") editor.moveDown();
    if (operation == "add") editor.addPrimer();
    content().table().commitOpenEditor();
    QCOMPARE(namesOf(content().primers()), after);
    QCOMPARE(content().undoStack().count(), 1);
    content().undoStack().undo();
    QCOMPARE(namesOf(content().primers()), before);
    content().undoStack().redo();
    QCOMPARE(namesOf(content().primers()), after);
  }

  void addedRowsNameIsReadyForTyping() {
    selectRows({3});
    content().editor().addPrimer();
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(editor);
    QTest::keyClicks(editor, "New");
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();  // the view commits through a queued call
    QCOMPARE(content().primers()[4].name, std::string("New"));
    QCOMPARE(content().undoStack().count(), 2);  // the row, then its name
  }

  // The name opens only on request: a click shows it as plain text, F2 renames.
  void renameByF2AndUndo() {
    content().table().setCurrentIndex(model().index(1, PrimerTableModel::NameColumn));
    QVERIFY(!content().table().findChild<QLineEdit*>());
    QTest::keyClick(&content().table(), Qt::Key_F2);
    auto* editor = content().table().findChild<QLineEdit*>();
    QVERIFY(editor);
    editor->setText(QStringLiteral("renamed"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();  // the view commits through a queued call
    QCOMPARE(content().primers()[1].name, std::string("renamed"));
    content().undoStack().undo();
    QCOMPARE(content().primers()[1].name, std::string("b2"));
  }

  void spaceTogglesEverySelectedRowInOneStep() {
    selectRows({1, 0, 2});  // the current row, unticked, decides
    QTest::keyClick(&content().table(), Qt::Key_Space);
    for (int row : {0, 1, 2}) QVERIFY(content().primers()[static_cast<std::size_t>(row)].selected);
    QCOMPARE(content().undoStack().count(), 1);
    content().undoStack().undo();
    QCOMPARE(content().primers()[0].selected, true);
    QCOMPARE(content().primers()[1].selected, false);
    content().editor().selectAll();
    content().editor().untickSelected();
    for (const PrimerView& primer : content().primers()) QVERIFY(!primer.selected);
  }

  void editedCellIsOneUndoStep() {
    QVERIFY(model().setData(model().index(2, PrimerTableModel::CommentColumn), QStringLiteral("new comment")));
    QVERIFY(model().setData(model().index(2, PrimerTableModel::SequenceColumn), QStringLiteral("ac gt-t")));
    QCOMPARE(content().primers()[2].sequence, std::string("acgtt"));
    content().undoStack().undo();
    QCOMPARE(content().primers()[2].sequence, std::string("TTTTAAAACC"));
    content().undoStack().undo();
    QCOMPARE(content().primers()[2].comment, std::string("x"));
  }

  void copyThenPasteIntoANewWindowGivesTheSamePrimers() {
    content().editor().selectAll();
    content().editor().copy();
    QVERIFY(QApplication::clipboard()->text().startsWith(QStringLiteral("Selected\tName\tSequence\tComment\n1\tP1\t")));
    MainWindow other(std::make_unique<FakeDialogs>(answers_));
    other.content().editor().paste();
    const PrimerList& pasted = other.content().primers();
    QCOMPARE(namesOf(pasted), namesOf(content().primers()));
    for (std::size_t i = 0; i < pasted.size(); ++i) {
      QCOMPARE(pasted[i].selected, content().primers()[i].selected);
      QCOMPARE(pasted[i].sequence, content().primers()[i].sequence);
      QCOMPARE(pasted[i].comment, content().primers()[i].comment);
    }
    QVERIFY(other.content().isModified());
  }

  void pasteReadsSpreadsheetTextAfterTheCurrentRow_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<Names>("after");
    QTest::addColumn<QString>("alert");
    QTest::newRow("with a header") << "Name\tSequence\nX1\tACGTACGTAA\nX2\tCCGGTTAACC\n"
                                   << Names{"P1", "X1", "X2", "b2", "a3", "P4"} << QString();
    QTest::newRow("comma-separated") << "X1,ACGTACGTAA\n" << Names{"P1", "X1", "b2", "a3", "P4"} << QString();
    QTest::newRow("FASTA") << ">X1 forward\nACGTACGTAA\n>X2\nCCGGTTAACC\n"
                           << Names{"P1", "X1", "X2", "b2", "a3", "P4"} << QString();
    QTest::newRow("no primer") << "just words" << Names{"P1", "b2", "a3", "P4"}
                               << "No valid DNA sequence of at least 5 characters was found. "
                                  "This does not appear to be a valid primer file.";
  }

  void pasteReadsSpreadsheetTextAfterTheCurrentRow() {
    QFETCH(QString, text);
    QFETCH(Names, after);
    QFETCH(QString, alert);
    content().table().setCurrentIndex(model().index(0, PrimerTableModel::NumberColumn));
    QApplication::clipboard()->setText(text);
    content().editor().paste();
    QCOMPARE(namesOf(content().primers()), after);
    QCOMPARE(answers_->alertMessages, alert.isEmpty() ? QStringList() : QStringList{alert});
  }

  void findFiltersRowsAndCounts_data() {
    QTest::addColumn<QString>("query");
    QTest::addColumn<QList<int>>("rows");
    QTest::newRow("name, any case") << "p" << QList<int>{0, 3};
    QTest::newRow("comment") << "REV" << QList<int>{1};
    QTest::newRow("sequence with spaces") << "ccc aaa" << QList<int>{1};
  }

  void findFiltersRowsAndCounts() {
    QFETCH(QString, query);
    QFETCH(QList<int>, rows);
    QTest::keyClick(window_.data(), Qt::Key_F, Qt::ControlModifier);
    auto* field = window_->findChild<QLineEdit*>(QStringLiteral("findField"));
    QVERIFY(field->hasFocus());
    QTest::keyClicks(field, query);
    QCOMPARE(model().rowCount(), rows.size());
    for (int row = 0; row < rows.size(); ++row) QCOMPARE(model().listIndex(row), rows[row]);
    QCOMPARE(countLabel(), QStringLiteral("%1 of 4 primer(s)").arg(rows.size()));
    QTest::keyClick(field, Qt::Key_Escape);
    QCOMPARE(model().rowCount(), 4);
    QCOMPARE(countLabel(), QStringLiteral("4 primer(s)"));
  }

  // A row added while a filter is on stays in sight; deleting a shown row
  // removes that row from the list.
  void editingUnderAFilterWorksOnTheList() {
    content().showFind();
    window_->findChild<QLineEdit*>(QStringLiteral("findField"))->setText(QStringLiteral("a3"));
    content().table().setCurrentIndex(model().index(0, PrimerTableModel::NumberColumn));
    content().editor().addPrimer();
    content().table().commitOpenEditor();
    QCOMPARE(model().rowCount(), 2);
    QCOMPARE(namesOf(content().primers()), (Names{"P1", "b2", "a3", "", "P4"}));
    selectRows({0});
    content().editor().deleteSelected();
    QCOMPARE(namesOf(content().primers()), (Names{"P1", "b2", "", "P4"}));
  }

  void headerClicksSortStablyAndUndo() {
    QHeaderView* header = content().table().horizontalHeader();
    const auto click = [header](int column) {
      QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                        QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
    };
    click(PrimerTableModel::NameColumn);
    QCOMPARE(namesOf(content().primers()), (Names{"a3", "b2", "P1", "P4"}));
    click(PrimerTableModel::NameColumn);
    QCOMPARE(namesOf(content().primers()), (Names{"P4", "P1", "b2", "a3"}));
    click(PrimerTableModel::SelectedColumn);  // ties keep their order
    QCOMPARE(namesOf(content().primers()), (Names{"b2", "a3", "P4", "P1"}));
    click(PrimerTableModel::NumberColumn);
    QCOMPARE(namesOf(content().primers()), (Names{"P1", "b2", "a3", "P4"}));
    content().undoStack().undo();
    QCOMPARE(namesOf(content().primers()), (Names{"b2", "a3", "P4", "P1"}));
    QCOMPARE(content().undoStack().count(), 4);
  }

 private:
  QString countLabel() const { return window_->findChild<QLabel*>(QStringLiteral("primerCount"))->text(); }

  void selectRows(const QList<int>& rows) {
    PrimerTable& table = content().table();
    table.setCurrentIndex(model().index(rows.front(), PrimerTableModel::NumberColumn));
    table.selectionModel()->clearSelection();
    for (int row : rows) {
      table.selectionModel()->select(model().index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
  }
};

}  // namespace tamsel

QTEST_MAIN(tamsel::EditingTest)
#include "EditingTest.moc"
