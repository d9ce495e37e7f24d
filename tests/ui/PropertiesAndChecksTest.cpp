// The Length, GC and Tm columns of the View menu, the list check's markers in
// the "#" column, and the "Check List" dialog.

#include <QAction>
#include <QHeaderView>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>

#include "ListFindingsDialog.h"
#include "PrimerSort.h"
#include "PrimerTable.h"
#include "WindowTest.h"

namespace tamsel {

class PropertiesAndChecksTest : public WindowTest {
  Q_OBJECT

 private slots:
  void init() {
    openWindow({PrimerEntry(true, "GAPDH-F", "GCCATGGACGTGGTCTACGC", ""),
                PrimerEntry(true, "GAPDH-R", "CATGTACGTTGCTATCCAGGC", ""),
                PrimerEntry(false, "copy", "gccatggacgtggtctacgc", "")});
  }

  void columnsAreOffAtStartAndFollowTheViewMenu() {
    QAction* action = window_->findChild<QAction*>(QStringLiteral("showPropertiesAction"));
    QCOMPARE(action->text(), QStringLiteral("Show Length, GC and Tm"));
    QVERIFY(!action->isChecked());
    for (int column : {int(PrimerTableModel::LengthColumn), int(PrimerTableModel::GCColumn), int(PrimerTableModel::TmColumn)}) {
      QVERIFY(table().isColumnHidden(column));
    }
    action->trigger();
    QVERIFY(table().propertyColumnsShown());
    const QHeaderView& header = *table().horizontalHeader();
    QStringList titles;
    for (int visual = 0; visual < header.count(); ++visual) {
      titles << model().headerData(header.logicalIndex(visual), Qt::Horizontal).toString();
    }
    QCOMPARE(titles, (QStringList{"#", "Selected", "Name", "Sequence", "Length", "GC %", "Tm \u00B0C", "Comment"}));
    QCOMPARE(cell(0, PrimerTableModel::LengthColumn), QStringLiteral("20"));
    QCOMPARE(cell(0, PrimerTableModel::GCColumn), QStringLiteral("65.0"));
    QCOMPARE(cell(0, PrimerTableModel::TmColumn), QStringLiteral("63.5"));
    const QString tooltip = model().index(0, PrimerTableModel::TmColumn).data(Qt::ToolTipRole).toString();
    QVERIFY(tooltip.contains(QStringLiteral("SantaLucia 1998")));
    QVERIFY(tooltip.contains(QStringLiteral("Na+ 50 mM, Mg2+ 1.5 mM, dNTP 0.6 mM, oligo 50 nM")));
    QVERIFY(!(model().flags(model().index(0, PrimerTableModel::TmColumn)) & Qt::ItemIsEditable));
    action->trigger();
    QVERIFY(!table().propertyColumnsShown());
  }

  void propertiesFollowAnEditedSequence() {
    QSignalSpy changes(&model(), &QAbstractItemModel::dataChanged);
    QVERIFY(model().setData(model().index(0, PrimerTableModel::SequenceColumn), QStringLiteral("ACGTN")));
    QCOMPARE(changes.size(), 1);
    QVERIFY(changes[0][1].toModelIndex().column() >= int(PrimerTableModel::TmColumn));
    QCOMPARE(cell(0, PrimerTableModel::LengthColumn), QStringLiteral("5"));
    QCOMPARE(cell(0, PrimerTableModel::GCColumn), QStringLiteral("40.0-60.0"));
    QCOMPARE(cell(0, PrimerTableModel::TmColumn), QStringLiteral("outside 8-60 letters"));
  }

  // A click on a property column's header sorts by its value; no Tm sorts last.
  void propertyColumnsSort() {
    model().replacePrimers({PrimerEntry(false, "a", "ACGT", ""), PrimerEntry(false, "b", "GCGCGCGCGCGC", ""),
                            PrimerEntry(false, "c", "ATATATATAT", "")});
    QCOMPARE(sortedOrder(model().primers(), model().origins(), PrimerTableModel::TmColumn, Qt::AscendingOrder),
             (std::vector<int>{2, 1, 0}));
    QCOMPARE(sortedOrder(model().primers(), model().origins(), PrimerTableModel::LengthColumn, Qt::DescendingOrder),
             (std::vector<int>{1, 2, 0}));
    QCOMPARE(sortedOrder(model().primers(), model().origins(), PrimerTableModel::GCColumn, Qt::AscendingOrder),
             (std::vector<int>{2, 0, 1}));
  }

  void rowsWithFindingsCarryAMarker() {
    QTRY_VERIFY(!content().listFindings().empty());  // the check runs shortly after the import
    QVERIFY(model().index(0, PrimerTableModel::NumberColumn).data(Qt::DecorationRole).isNull());
    const QModelIndex marked = model().index(2, PrimerTableModel::NumberColumn);
    QVERIFY(!marked.data(Qt::DecorationRole).isNull());
    QCOMPARE(marked.data(Qt::ToolTipRole).toString(), QStringLiteral("duplicate sequence of row 1 (GAPDH-F)"));
    QCOMPARE(marked.data().toInt(), 3);
    // Mending the sequence clears the marker once the list is checked again.
    model().setData(model().index(2, PrimerTableModel::SequenceColumn), QStringLiteral("TTTTGGGGCCCAAAAC"));
    QTRY_VERIFY(model().index(2, PrimerTableModel::NumberColumn).data(Qt::DecorationRole).isNull());
    QVERIFY(content().listFindings().empty());
  }

  void checkListShowsTheFindingsAndSelectsTheClickedRow() {
    QVERIFY(showWindow());
    QAction* action = window_->findChild<QAction*>(QStringLiteral("checkListAction"));
    QCOMPARE(action->text(), QStringLiteral("Check List"));
    action->trigger();
    ListFindingsDialog* dialog = content().listFindingsDialog();
    QVERIFY(dialog && dialog->isVisible());
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Check List"));
    QCOMPARE(dialog->list().count(), 1);
    QCOMPARE(dialog->list().item(0)->text(), QStringLiteral("Row 3: duplicate sequence of row 1 (GAPDH-F)"));
    const QRect line = dialog->list().visualItemRect(dialog->list().item(0));
    QTest::mouseClick(dialog->list().viewport(), Qt::LeftButton, {}, line.center());
    QCOMPARE(table().currentIndex().row(), 2);
    QCOMPARE(table().currentIndex().column(), int(PrimerTableModel::NameColumn));
  }

 private:
  PrimerTable& table() const { return content().table(); }
  QString cell(int row, int column) const { return model().index(row, column).data().toString(); }
};

}  // namespace tamsel

QTEST_MAIN(tamsel::PropertiesAndChecksTest)
#include "PropertiesAndChecksTest.moc"
