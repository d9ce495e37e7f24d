// The sequence column: which sequences are drawn red, which characters are
// underlined, and what a committed edit stores.

#include <QImage>
#include <QLineEdit>
#include <QTest>

#include <string>

#include "ContentView.h"
#include "FakeDialogs.h"
#include "PrimerTable.h"
#include "PrimerTableModel.h"
#include "SequenceAnnotation.h"

namespace tamsel {

char* toString(const UnderlinedRange& range) {
  return QTest::toString(QStringLiteral("{%1, %2}").arg(range.start).arg(range.length));
}

class SequenceCellTest : public QObject {
  Q_OBJECT

 private slots:
  // The last endMatches characters are underlined, or the more frequent case;
  // a long sequence is elided in the middle so that both ends stay in sight.
  void underliningAndElision() {
    using Ranges = QList<UnderlinedRange>;
    const struct {
      QString sequence;
      int endMatches, fits;
      QString shown;
      Ranges underlined;
    } cases[] = {
        {QStringLiteral("ACGTACGT"), 3, 8, QStringLiteral("ACGTACGT"), {{5, 3}}},
        {QStringLiteral("ACGTACGT"), 0, 8, QStringLiteral("ACGTACGT"), {}},
        {QStringLiteral("ACgtacgt"), 3, 8, QStringLiteral("ACgtacgt"), {{2, 6}}},
        // "E" with a combining acute accent is one character of two code units.
        {QStringLiteral("ACGTE\u0301"), 2, 6, QStringLiteral("ACGTE\u0301"), {{3, 3}}},
        {QStringLiteral("AC\U0001F600"), 1, 4, QStringLiteral("AC\U0001F600"), {{2, 2}}},
        {QStringLiteral("AAAACCCCGGGT"), 3, 7, QStringLiteral("AAA\u2026GGT"), {{4, 3}}},
        {QStringLiteral("A\U0001F600CCCCCCGT"), 3, 6, QStringLiteral("A\u2026CGT"), {{2, 3}}},
    };
    for (const auto& c : cases) {
      const SequenceAnnotation visible = elidedInTheMiddle(annotateSequence(c.sequence.toStdString(), c.endMatches), c.fits);
      QCOMPARE(visible.text, c.shown);
      QCOMPARE(visible.underlined, c.underlined);
    }
  }

  void tooltipSaysWhyASequenceIsRed_data() {
    QTest::addColumn<QString>("sequence");
    QTest::addColumn<int>("length");
    QTest::addColumn<QStringList>("reasons");
    QTest::newRow("valid") << QStringLiteral("ACGTACGT") << 8 << QStringList{};
    QTest::newRow("128 letters") << QString(128, QLatin1Char('A')) << 128 << QStringList{};
    QTest::newRow("letter E") << QStringLiteral("ACGTE") << 5
                              << QStringList{QStringLiteral("contains characters other than IUPAC letters: position 5 'E'")};
    QTest::newRow("dash") << QStringLiteral("ACGTAC-GT") << 9
                          << QStringList{QStringLiteral("contains characters other than IUPAC letters: position 7 '-'")};
    QTest::newRow("accented letter counts once") << QStringLiteral("AE\u0301X") << 3
                          << QStringList{QStringLiteral("contains characters other than IUPAC letters: position 2 'E\u0301'")};
    QTest::newRow("129 letters") << QString(129, QLatin1Char('A')) << 129 << QStringList{QStringLiteral("longer than 128 letters")};
    QTest::newRow("empty") << QString() << 0 << QStringList{QStringLiteral("empty")};
  }

  void tooltipSaysWhyASequenceIsRed() {
    QFETCH(QString, sequence);
    QFETCH(int, length);
    QFETCH(QStringList, reasons);
    QCOMPARE(invalidReasons(sequence.toStdString()), reasons);
    QCOMPARE(isDisplayableValid(sequence.toStdString()), reasons.isEmpty());
    ContentView view(noDialogs());
    view.tableModel().replacePrimers({PrimerEntry(true, "P1", sequence.toStdString(), "")});
    const QString tip = view.tableModel().index(0, PrimerTableModel::SequenceColumn).data(Qt::ToolTipRole).toString();
    QVERIFY2(tip.contains(QStringLiteral("Length: %1").arg(length)), qPrintable(tip));
    for (const QString& reason : reasons) QVERIFY(tip.contains(reason));
  }

  void theNumberColumnFitsSevenDigits() {
    ContentView view(noDialogs());
    view.tableModel().replacePrimers(PrimerList(1000000));
    const QFont font = view.tableModel().index(0, PrimerTableModel::NumberColumn).data(Qt::FontRole).value<QFont>();
    const int margin = view.table().style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view.table()) + 1;
    QVERIFY(QFontMetrics(font).horizontalAdvance(QStringLiteral("9999999")) <=
            columnWidthLimits(PrimerTableModel::NumberColumn).maximum - 2 * margin);
    QVERIFY(QFontMetrics(font).horizontalAdvance(QStringLiteral("1000000")) + 2 * margin <=
            view.table().columnWidth(PrimerTableModel::NumberColumn));
  }

  void endMatchesChangeRedrawsUnderlining() {
    ContentView view(noDialogs());
    view.tableModel().replacePrimers({PrimerEntry(true, "P1", "ACGTACGT", "")});
    QCOMPARE(view.tableModel().sequenceAnnotation(0).underlined, (QList<UnderlinedRange>{{5, 3}}));
    view.setEndMatches(0);
    QVERIFY(view.tableModel().sequenceAnnotation(0).underlined.isEmpty());
  }

  void committingAnEditStoresTheCleanedSequence() {
    ContentView view(noDialogs());
    view.tableModel().replacePrimers({PrimerEntry(true, "P1", "GGGGG", "")});
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    const QModelIndex cell = view.tableModel().index(0, PrimerTableModel::SequenceColumn);
    view.table().setCurrentIndex(cell);
    auto* editor = view.table().findChild<QLineEdit*>();
    QVERIFY(editor);
    QVERIFY(view.focusedSequenceID() == view.primers()[0].id);
    QCOMPARE(editor->text(), QStringLiteral("GGGGG"));

    editor->setText(QStringLiteral("ACG T-1"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();  // the view commits through a queued call
    QCOMPARE(view.primers()[0].sequence, std::string("ACGT"));
    QVERIFY(!view.focusedSequenceID());
    QCOMPARE(view.tableModel().sequenceAnnotation(0).text, QStringLiteral("ACGT"));
  }

  void invalidSequencesArePaintedRed() {
    ContentView view(noDialogs());
    view.tableModel().replacePrimers({PrimerEntry(true, "bad", "ACGTE", ""), PrimerEntry(true, "good", "ACGTA", "")});
    view.resize(900, 400);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    const QImage image = view.table().viewport()->grab().toImage();
    QVERIFY(redPixels(image, cellRect(view, 0)) > 0);
    QCOMPARE(redPixels(image, cellRect(view, 1)), 0);
  }

 private:
  static std::unique_ptr<DialogProvider> noDialogs() {
    return std::make_unique<FakeDialogs>(std::make_shared<FakeDialogAnswers>());
  }
  static QRect cellRect(ContentView& view, int row) {
    return view.table().visualRect(view.tableModel().index(row, PrimerTableModel::SequenceColumn));
  }

  static int redPixels(const QImage& image, const QRect& rect) {
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
      for (int x = rect.left(); x <= rect.right(); ++x) {
        const QColor colour = image.pixelColor(x, y);
        if (colour.red() > 200 && colour.green() < 80 && colour.blue() < 80) ++count;
      }
    }
    return count;
  }
};

}  // namespace tamsel

QTEST_MAIN(tamsel::SequenceCellTest)
#include "SequenceCellTest.moc"
