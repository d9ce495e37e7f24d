// Keys as a user presses them: the menus' shortcuts wherever the focus is,
// Left and Right across cells, Tab along a row.

#include <QLineEdit>
#include <QSpinBox>
#include <QTest>

#include "ContentView.h"
#include "FakeDialogs.h"
#include "MainWindow.h"
#include "PrimerTable.h"
#include "PrimerTableModel.h"

namespace tamsel {

class KeyboardTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    answers_ = std::make_shared<FakeDialogAnswers>();
    window_ = std::make_unique<MainWindow>(std::make_unique<FakeDialogs>(answers_));
    content().tableModel().replacePrimers(
        {PrimerEntry(true, "P1", "ACGTACGT", "fwd"), PrimerEntry(false, "P2", "GGGCCCAAAT", "rev")});
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    QApplication::setActiveWindow(window_.get());
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

 private:
  ContentView& content() const { return window_->content(); }
  QLineEdit* openEditor(int row, int column) {
    content().table().setCurrentIndex(content().tableModel().index(row, column));
    return content().table().findChild<QLineEdit*>();
  }

  std::shared_ptr<FakeDialogAnswers> answers_;
  std::unique_ptr<MainWindow> window_;
};

}  // namespace tamsel

QTEST_MAIN(tamsel::KeyboardTest)
#include "KeyboardTest.moc"
