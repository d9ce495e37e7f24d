// The save dialog's format chooser: the five titles, the proposed name, and
// the name rules applied when the user picks a format.

#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>

#include "ExportFileDialog.h"

namespace tamsel {

class ExportDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void chooserShowsTheFiveFormatsInOrder() {
    QFileDialog dialog;
    configureExportDialog(dialog, QStringLiteral("primers.nsub"));
    QComboBox* chooser = formatChooser(dialog);
    QVERIFY(chooser);
    QStringList titles;
    for (int i = 0; i < chooser->count(); ++i) titles.append(chooser->itemText(i));
    QCOMPARE(titles, (QStringList{QStringLiteral("Helmvard Primer (.nsub)"), QStringLiteral("Excel Workbook (.xlsx)"),
                                  QStringLiteral("Comma-Separated Values (.csv)"),
                                  QStringLiteral("Tab-Separated Values (.tsv)"),
                                  QStringLiteral("FASTA Sequences (.fasta)")}));
    QCOMPARE(chooser->currentIndex(), 0);
    QCOMPARE(nameField(dialog)->text(), QStringLiteral("primers.nsub"));
    QCOMPARE(dialog.defaultSuffix(), QStringLiteral("nsub"));
    QVERIFY(dialog.testOption(QFileDialog::DontUseNativeDialog));
    QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptSave);
  }

  void pickingAFormatRewritesTheName_data() {
    QTest::addColumn<QString>("proposedName");
    QTest::addColumn<int>("earlierIndex");  // a format picked before, or -1
    QTest::addColumn<int>("formatIndex");
    QTest::addColumn<QString>("expectedName");
    QTest::newRow("to csv") << "primers.nsub" << -1 << 2 << "primers.csv";
    QTest::newRow("after the first dot") << "Set 3.final.nsub" << -1 << 3 << "Set 3.tsv";
    QTest::newRow("emptied name") << "" << -1 << 2 << ".csv";
    QTest::newRow("no extension") << "primers" << -1 << 0 << "primers.nsub";
    QTest::newRow("after another format") << "primers.nsub" << 2 << 1 << "primers.xlsx";
    QTest::newRow("to fasta") << "Set 3.nsub" << -1 << 4 << "Set 3.fasta";
  }

  void pickingAFormatRewritesTheName() {
    QFETCH(QString, proposedName);
    QFETCH(int, earlierIndex);
    QFETCH(int, formatIndex);
    QFETCH(QString, expectedName);
    QFileDialog dialog;
    configureExportDialog(dialog, QStringLiteral("primers.nsub"));
    nameField(dialog)->setText(proposedName);
    if (earlierIndex >= 0) pickFormat(dialog, earlierIndex);
    pickFormat(dialog, formatIndex);
    QCOMPARE(nameField(dialog)->text(), expectedName);
    QCOMPARE(dialog.defaultSuffix(), expectedName.section(QLatin1Char('.'), -1));
    QCOMPARE(exportFormatIndex(dialog.selectedNameFilter()), formatIndex);
  }

 private:
  static QComboBox* formatChooser(QFileDialog& dialog) {
    return dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
  }
  static QLineEdit* nameField(QFileDialog& dialog) {
    return dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  }

  // What the combo box does when the user picks an entry.
  static void pickFormat(QFileDialog& dialog, int index) {
    QComboBox* chooser = formatChooser(dialog);
    chooser->setCurrentIndex(index);
    emit chooser->activated(index);
    emit chooser->textActivated(chooser->itemText(index));
  }
};

}  // namespace tamsel

QTEST_MAIN(tamsel::ExportDialogTest)
#include "ExportDialogTest.moc"
