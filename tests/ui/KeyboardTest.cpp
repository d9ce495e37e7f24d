// Keys as a user presses them: the menus' shortcuts wherever the focus is,
// Left and Right across cells, Tab along a row.

#include <QLineEdit>
#include <QSpinBox>
#include <QTest>

#include "PrimerTable.h"
#include "WindowTest.h"

namespace tamsel {

class KeyboardTest : public WindowTest {
  Q_OBJECT

 private slots:
  void init() {
    openWindow({PrimerEntry(true, "P1", "ACGTACGT", "fwd"), PrimerEntry(false, "P2", "GGGCCCAAAT", "rev")});
    QVERIFY(showWindow());
    QApplication::setActiveWindow(window_.data());
  }

  void fileShortcutsWorkFromACellEditorAndASettingsBox() {
    openEditor(0, PrimerTableModel::SequenceColumn);
    QWidget* focused = QApplication::focusWidget();
    QVERIFY(qobject_cast<QLineEdit*>(focused));
    QTest::keyClick(focused, Qt::Key_E, Qt::ControlModifier);
    QCOMPARE(answers_->proposedNames.size(), 1);

    QSpinBox* box = window_->findChild<QSpinBox*>(QStringLiteral("endMatchesBox"));
    box->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_E, Qt::ControlModifier);
    QCOMPARE(answers_->proposedNames.size(), 2);
  }

  // Right at the end of the sequence's text goes to the comment; Left at the
  // start of the comment comes back; a key in the middle moves the cursor.
  void leftAndRightAtTheEdgesMoveBetweenCells() {
    QLineEdit* sequence = openEditor(0, PrimerTableModel::SequenceColumn);
    sequence->setCursorPosition(3);
    QTest::keyClick(sequence, Qt::Key_Right);
    QCOMPARE(content().table().currentIndex().column(), int(PrimerTableModel::SequenceColumn));
    sequence->end(false);
    QTest::keyClick(sequence, Qt::Key_Right);
    QCOMPARE(content().table().currentIndex().column(), int(PrimerTableModel::CommentColumn));
    auto* comment = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(comment);
    QCOMPARE(comment->text(), QStringLiteral("fwd"));
    comment->home(false);
    QTest::keyClick(comment, Qt::Key_Left);
    QCOMPARE(content().table().currentIndex().column(), int(PrimerTableModel::SequenceColumn));
  }

  void tabWalksTheCellsOfARow() {
    QLineEdit* sequence = openEditor(1, PrimerTableModel::SequenceColumn);
    QTest::keyClick(sequence, Qt::Key_Tab);
    QCOMPARE(content().table().currentIndex(), content().tableModel().index(1, PrimerTableModel::CommentColumn));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(content().table().currentIndex(), content().tableModel().index(1, PrimerTableModel::SequenceColumn));
  }

 private:
  QLineEdit* openEditor(int row, int column) {
    content().table().setCurrentIndex(content().tableModel().index(row, column));
    return content().table().findChild<QLineEdit*>();
  }
};

}  // namespace tamsel

QTEST_MAIN(tamsel::KeyboardTest)
#include "KeyboardTest.moc"
