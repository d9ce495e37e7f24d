// The window driven as a user drives it, with the dialogs answered by the
// test: import of text and primer files, alerts, the title, the two settings
// and export.

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>

#include "EmptyStateView.h"
#include "PrimerTable.h"
#include "WindowTest.h"

namespace tamsel {
namespace {

// A primer file of one selected primer per sequence.
QByteArray nsubOf(std::uint8_t endMatches, std::uint8_t defaultMismatches,
                  std::initializer_list<std::string> sequences) {
  PrimerList primers;
  for (const std::string& sequence : sequences) primers.emplace_back(true, "F", sequence, "");
  return nsubFile(primers, defaultMismatches, endMatches);
}

}  // namespace

class ContentViewTest : public WindowTest {
  Q_OBJECT

 private slots:
  void init() { openWindow(); }

  void freshWindowShowsTheEmptyState() {
    QCOMPARE(window_->windowTitle(), QStringLiteral("Tamsel"));
    QVERIFY(body()->currentWidget() == static_cast<QWidget*>(window_->findChild<EmptyStateView*>()));
    QCOMPARE(spinBox("defaultMismatchesBox")->value(), 2);
    QCOMPARE(spinBox("endMatchesBox")->value(), 3);
    QCOMPARE(spinBox("defaultMismatchesBox")->text(), QStringLiteral("Default Allowed Mismatches: 2"));
    QCOMPARE(spinBox("endMatchesBox")->text(), QStringLiteral("End Matches: 3"));
    for (const char* name : {"defaultMismatchesBox", "endMatchesBox"}) {
      QCOMPARE(spinBox(name)->minimum(), 0);
      QCOMPARE(spinBox(name)->maximum(), 10);
    }
    QVERIFY(!button("exportButton")->isEnabled());
    QVERIFY(!countLabel()->isVisibleTo(window_.data()));
  }

  void importsTextThroughTheButton() {
    importThroughButton("set1.csv", kTwoPrimersCsv);
    QCOMPARE(content().primers().size(), std::size_t{2});
    QCOMPARE(content().primers()[1].name, std::string("P2"));
    QCOMPARE(window_->windowTitle(), QStringLiteral("set1"));
    QCOMPARE(countLabel()->text(), QStringLiteral("2 primer(s)"));
    QVERIFY(countLabel()->isVisibleTo(window_.data()));
    QVERIFY(button("exportButton")->isEnabled());
    QVERIFY(body()->currentWidget() == static_cast<QWidget*>(&content().table()));
    QVERIFY(answers_->alertTitles.isEmpty());
  }

  // A table read by its header words says so under the toolbar; a plain one does not.
  void aNoteSaysHowATableWasRead() {
    importThroughButton("pairs.csv", "Name,Forward,Reverse,Tm\nGAPDH,ACGTACGTAC,TTGGCCAATT,60\n");
    QCOMPARE(content().primers().size(), std::size_t{2});
    QLabel* note = window_->findChild<QLabel*>(QStringLiteral("layoutNote"));
    QVERIFY(note->isVisibleTo(window_.data()));
    QCOMPARE(note->text(), QStringLiteral("Header in row 1: A \"Name\" name, B \"Forward\" forward sequence, C "
                                          "\"Reverse\" reverse sequence; two primers per row; ignored D \"Tm\"."));
    QVERIFY(note->toolTip().contains(QStringLiteral("Ignored columns: D")));
    importThroughButton("set1.csv", kTwoPrimersCsv);
    QVERIFY(!note->isVisibleTo(window_.data()));
  }

  // A workbook of several sheets: the chooser lists them and reads another
  // when picked; one without primers alerts and leaves list and chooser.
  void theSheetChooserReadsAnotherSheet() {
    answers_->importFile = QStringLiteral(TAMSEL_TEST_DATA_DIR "/sheets/cover_then_primers.ods");
    button("importButton")->click();
    auto* chooser = window_->findChild<QComboBox*>(QStringLiteral("sheetChooser"));
    QVERIFY(chooser->isVisibleTo(window_.data()));
    QStringList items;
    for (int i = 0; i < chooser->count(); ++i) items.append(chooser->itemText(i));
    QCOMPARE(items, (QStringList{QStringLiteral("Cover"), QStringLiteral("Primers"), QStringLiteral("Notes"),
                                 QStringLiteral("More primers"), QStringLiteral("All sheets")}));
    QCOMPARE(chooser->currentIndex(), 1);
    QCOMPARE(content().primers().size(), std::size_t{2});
    emit chooser->activated(4);
    QCOMPARE(content().primers().size(), std::size_t{3});
    emit chooser->activated(2);
    QCOMPARE(answers_->alertTitles, QStringList{QStringLiteral("Import Error")});
    QCOMPARE(content().primers().size(), std::size_t{3});
    QCOMPARE(chooser->currentIndex(), 4);
    importThroughButton("set1.csv", kTwoPrimersCsv);
    QVERIFY(!chooser->isVisibleTo(window_.data()));
  }

  // A file may hold any byte value; the window shows and exports it as it is,
  // and the stepper reaches it until the user steps back inside 0 to 10.
  void importsAPrimerFileWithItsSettingsAsTheyAre() {
    importThroughButton("run.nsub", nsubOf(5, 4, {"ACGTACGT", "TTGGCCAA"}));
    QCOMPARE(content().primers().size(), std::size_t{2});
    QCOMPARE(content().defaultMismatches(), 4);
    QCOMPARE(content().endMatches(), 5);
    QCOMPARE(spinBox("endMatchesBox")->value(), 5);
    importThroughButton("wide.nsub", nsubOf(200, 11, {"ACGTACGT"}));
    QCOMPARE(content().endMatches(), 200);
    QCOMPARE(content().defaultMismatches(), 11);
    QCOMPARE(spinBox("endMatchesBox")->text(), QStringLiteral("End Matches: 200"));
    spinBox("defaultMismatchesBox")->stepDown();
    QCOMPARE(spinBox("defaultMismatchesBox")->maximum(), 10);
    spinBox("defaultMismatchesBox")->stepUp();
    QCOMPARE(content().defaultMismatches(), 10);
  }

  // Each refused file alerts and keeps the list and title; a primer file's
  // settings apply even so.
  void failedImportsAlertAndKeepTheList() {
    importThroughButton("set1.csv", kTwoPrimersCsv);
    importThroughButton("short.nsub", nsubOf(7, 6, {"ACG"}));
    QCOMPARE(content().defaultMismatches(), 6);
    QCOMPARE(content().endMatches(), 7);
    importThroughButton("header-only.csv", "Selected,Name,Sequence,Comment\n");
    importThroughButton("six.csv", "a,b,c,d,e,f\n");
    QCOMPARE(answers_->alertTitles, QStringList(3, QStringLiteral("Import Error")));
    QCOMPARE(answers_->alertMessages.mid(0, 2),
             (QStringList{QStringLiteral("No valid DNA sequence of at least 5 characters was found. "
                                         "This does not appear to be a valid primer file."),
                          QStringLiteral("No primer data found in the file.")}));
    QVERIFY(answers_->alertMessages.last().startsWith(QStringLiteral("Failed to read file: The file has 6 columns")));
    QCOMPARE(content().primers().size(), std::size_t{2});
    QCOMPARE(window_->windowTitle(), QStringLiteral("set1"));
  }

  // The box sits in the middle of its cell: a click there toggles, a click
  // beside it does not; the space key toggles the current row.
  void checkBoxTogglesFromTheMiddleOfItsCell() {
    importThroughButton("set1.csv", kTwoPrimersCsv);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.data()));
    PrimerTable& table = content().table();
    const QModelIndex first = table.model()->index(0, PrimerTableModel::SelectedColumn);
    const QRect cell = table.visualRect(first);
    QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, cell.center());
    QVERIFY(!content().primers()[0].selected);
    QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, QPoint(cell.left() + 2, cell.center().y()));
    QVERIFY(!content().primers()[0].selected);
    table.setCurrentIndex(first);
    QTest::keyClick(&table, Qt::Key_Space);
    QVERIFY(content().primers()[0].selected);
    QVERIFY(content().primers()[1].selected == false);
  }

  void cancelledImportChangesNothing() {
    button("importButton")->click();
    QVERIFY(content().primers().empty());
    QVERIFY(answers_->alertTitles.isEmpty());
    QVERIFY(!content().isImporterPresented());
  }

  // The title is the file's name without its last extension; "primers" is the default name.
  void titleFollowsTheImportedName() {
    importThroughButton("Set 3.final.tsv", "P1\tACGTACGT\n");
    QCOMPARE(window_->windowTitle(), QStringLiteral("Set 3.final"));
    importThroughButton("primers.csv", kTwoPrimersCsv);
    QCOMPARE(window_->windowTitle(), QStringLiteral("Tamsel"));
  }

  void exportWritesWhatTheChosenNameSays_data() {
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("start");
    QTest::newRow("csv") << "out.csv" << QByteArray("Selected,Name,Sequence,Comment\n1,P1,ACGTACGTAC,forward");
    QTest::newRow("nsub") << "out.nsub" << QByteArray("VERS\x01\x10P1", 8);
  }

  void exportWritesWhatTheChosenNameSays() {
    QFETCH(QString, fileName);
    QFETCH(QByteArray, start);
    importThroughButton("set1.csv", kTwoPrimersCsv);
    answers_->exportFile = dir_.filePath(fileName);
    button("exportButton")->click();
    QCOMPARE(answers_->proposedNames, QStringList{QStringLiteral("set1.nsub")});
    QFile written(dir_.filePath(fileName));
    QVERIFY(written.open(QIODevice::ReadOnly));
    QVERIFY2(written.readAll().startsWith(start), qPrintable(fileName));
    QVERIFY(answers_->alertTitles.isEmpty());
  }

  void exportReportsAWriteFailure() {
    importThroughButton("set1.csv", kTwoPrimersCsv);
    answers_->exportFile = dir_.filePath(QStringLiteral("no such folder/out.csv"));
    button("exportButton")->click();
    QCOMPARE(answers_->alertTitles, QStringList{QStringLiteral("Export Error")});
    QVERIFY(answers_->alertMessages.front().startsWith(QStringLiteral("Failed to export: ")));
  }

 private:
  QPushButton* button(const char* name) const { return window_->findChild<QPushButton*>(QString::fromLatin1(name)); }
  QSpinBox* spinBox(const char* name) const { return window_->findChild<QSpinBox*>(QString::fromLatin1(name)); }
  QLabel* countLabel() const { return window_->findChild<QLabel*>(QStringLiteral("primerCount")); }
  QStackedWidget* body() const { return window_->findChild<QStackedWidget*>(); }

  void importThroughButton(const QString& fileName, const QByteArray& contents) {
    answers_->importFile = write(fileName, contents);
    button("importButton")->click();
  }
};

}  // namespace tamsel

QTEST_MAIN(tamsel::ContentViewTest)
#include "ContentViewTest.moc"
