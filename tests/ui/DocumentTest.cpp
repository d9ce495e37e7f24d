// Nothing edited is lost without the user's word: the modified mark, the
// discard question on close and on import, settings kept as a file holds
// them, exports that give back the same bytes, and imports that run off the
// user-interface thread and can be cancelled.

#include <QDropEvent>
#include <QMimeData>
#include <QProgressDialog>
#include <QPushButton>
#include <QSemaphore>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTimer>
#include <QUndoStack>

#include "WindowTest.h"

Q_DECLARE_METATYPE(tamsel::DiscardChoice)

namespace tamsel {

class DocumentTest : public WindowTest {
  Q_OBJECT

 private slots:
  void init() {
    openWindow();
    importFile("set1.csv", kTwoPrimersCsv);
  }

  void anEditMarksTheWindowAndUndoClearsIt() {
    QVERIFY(!window_->isWindowModified());
    editComment();
    QVERIFY(window_->isWindowModified());
    QCOMPARE(window_->windowTitle(), QStringLiteral("set1"));
    QCOMPARE(window_->QWidget::windowTitle(), QStringLiteral("set1[*]"));
    content().undoStack().undo();
    QVERIFY(!window_->isWindowModified());
  }

  void closingAnEditedListAsks_data() {
    QTest::addColumn<DiscardChoice>("choice");
    QTest::addColumn<bool>("exportChosen");
    QTest::addColumn<bool>("closed");
    QTest::newRow("cancel") << DiscardChoice::cancel << true << false;
    QTest::newRow("discard") << DiscardChoice::discard << false << true;
    QTest::newRow("export") << DiscardChoice::exportFirst << true << true;
    QTest::newRow("export cancelled") << DiscardChoice::exportFirst << false << false;
  }

  void closingAnEditedListAsks() {
    QFETCH(DiscardChoice, choice);
    QFETCH(bool, exportChosen);
    QFETCH(bool, closed);
    QFile::remove(dir_.filePath(QStringLiteral("out.csv")));
    QVERIFY(window_->close());  // unmodified: no question
    QCOMPARE(answers_->discardQuestions, 0);
    init();
    editComment();
    answers_->discardChoice = choice;
    if (exportChosen) answers_->exportFile = dir_.filePath(QStringLiteral("out.csv"));
    QCOMPARE(window_->close(), closed);
    QCOMPARE(answers_->discardQuestions, 1);
    QCOMPARE(QFile::exists(dir_.filePath(QStringLiteral("out.csv"))), choice == DiscardChoice::exportFirst && exportChosen);
  }

  void importingOverAnEditedListAsks() {
    editComment();
    answers_->discardChoice = DiscardChoice::cancel;
    importFile("other.csv", "P9,ACGTACGTAA\n");
    QCOMPARE(content().primers().size(), std::size_t{2});
    QVERIFY(window_->isWindowModified());
    answers_->discardChoice = DiscardChoice::discard;
    importFile("other.csv", "P9,ACGTACGTAA\n");
    QCOMPARE(content().primers().size(), std::size_t{1});
    QVERIFY(!window_->isWindowModified());
    QCOMPARE(content().undoStack().count(), 0);
    QCOMPARE(answers_->discardQuestions, 2);
  }

  void anExportClearsTheMarkAndSaysSo() {
    editComment();
    answers_->exportFile = dir_.filePath(QStringLiteral("set1.nsub"));
    QVERIFY(content().exportList());
    QVERIFY(!window_->isWindowModified());
    QCOMPARE(window_->statusBar()->currentMessage(), QStringLiteral("Exported 2 primers to set1.nsub"));
  }

  // Settings up to 255 and an edited list survive export, import and export
  // again byte for byte.
  void aPrimerFileComesBackByteForByte() {
    const QByteArray original =
        nsubFile({PrimerEntry(true, "F1", "ACGTACGTAA", "c"), PrimerEntry(false, "R1", "TTGGCCAAGG", "")}, 255, 255);
    importFile("wide.nsub", original);
    QCOMPARE(content().defaultMismatches(), 255);
    QCOMPARE(exportTo("same.nsub"), original);
    editComment();
    const QByteArray edited = exportTo("edited.nsub");
    importFile("edited.nsub", edited);
    QCOMPARE(exportTo("again.nsub"), edited);
  }

  void settingsOfARefusedFileAreOneUndoStep() {
    importFile("short.nsub", nsubFile({PrimerEntry(true, "F", "ACG", "")}, 6, 7));
    QCOMPARE(content().endMatches(), 7);
    QCOMPARE(content().primers().size(), std::size_t{2});
    QVERIFY(window_->isWindowModified());
    content().undoStack().undo();
    QCOMPARE(content().defaultMismatches(), 2);
    QCOMPARE(content().endMatches(), 3);
  }

  // The import runs off the user-interface thread; Cancel in its progress
  // dialog leaves the window as it was.
  void aCancelledImportLeavesTheOldList() {
    auto release = std::make_shared<QSemaphore>();
    content().setImporterForTesting([release](const std::filesystem::path& location, const SheetRequest& sheet) {
      release->acquire();
      return tamsel::importFile(location, sheet);
    });
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [this] {
      auto* progress = window_->findChild<QProgressDialog*>();
      if (progress && progress->isVisible()) progress->findChild<QPushButton*>()->click();
    });
    poll.start(20);
    importFile("big.csv", "P9,ACGTACGTAA\n");
    release->release();
    QCOMPARE(content().primers().size(), std::size_t{2});
    QCOMPARE(window_->windowTitle(), QStringLiteral("set1"));
    QVERIFY(answers_->alertTitles.isEmpty());
  }

  void eachFurtherDroppedFileOpensAWindow() {
    QSignalSpy opened(window_.data(), &MainWindow::fileOpenRequested);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(write("a.csv", "PA,ACGTACGTAA\n")), QUrl::fromLocalFile(write("b.csv", kTwoPrimersCsv)),
                  QUrl::fromLocalFile(write("c.csv", kTwoPrimersCsv))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&content(), &enter);
    QVERIFY(enter.isAccepted());  // Qt delivers a drop only to a widget that accepted the drag's entry
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&content(), &drop);
    QCoreApplication::processEvents();
    QCOMPARE(opened.size(), 2);
    QCOMPARE(opened[1][0].toString(), dir_.filePath(QStringLiteral("c.csv")));
    QCOMPARE(window_->windowTitle(), QStringLiteral("a"));
  }

 private:
  void editComment() {
    QVERIFY(model().setData(model().index(0, PrimerTableModel::CommentColumn), QStringLiteral("edited")));
  }

  QByteArray exportTo(const QString& fileName) {
    answers_->exportFile = dir_.filePath(fileName);
    if (!content().exportList()) return {};
    QFile file(dir_.filePath(fileName));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
};

}  // namespace tamsel

QTEST_MAIN(tamsel::DocumentTest)
#include "DocumentTest.moc"
