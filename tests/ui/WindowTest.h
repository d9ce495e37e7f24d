#pragma once

// What the window tests share: a window whose dialogs the test answers, files
// written into a folder of the test's own and imported as the user does.

#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include "ContentView.h"
#include "FakeDialogs.h"
#include "MainWindow.h"
#include "PrimerTableModel.h"
#include "formats/nsub/NSubWriter.h"

namespace tamsel {

inline const QByteArray kTwoPrimersCsv =
    "Selected,Name,Sequence,Comment\n1,P1,ACGTACGTAC,forward\n0,P2,GGGCCCAAAT,reverse\n";

inline QByteArray nsubFile(const PrimerList& primers, std::uint8_t defaultMismatches, std::uint8_t endMatches) {
  const Bytes bytes = NSubWriter::write(primers, defaultMismatches, endMatches);
  return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

class WindowTest : public QObject {
 protected:
  ~WindowTest() override { delete window_.data(); }

  // A new window in place of the last; the window deletes itself when closed.
  void openWindow(const PrimerList& primers = {}) {
    delete window_.data();
    answers_ = std::make_shared<FakeDialogAnswers>();
    window_ = new MainWindow(std::make_unique<FakeDialogs>(answers_));
    if (!primers.empty()) model().replacePrimers(primers);
  }
  bool showWindow() {
    window_->show();
    return QTest::qWaitForWindowExposed(window_.data());
  }

  ContentView& content() const { return window_->content(); }
  PrimerTableModel& model() const { return content().tableModel(); }

  QString write(const QString& fileName, const QByteArray& contents) {
    QFile file(dir_.filePath(fileName));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(contents);
    return file.fileName();
  }
  void importFile(const QString& fileName, const QByteArray& contents) {
    answers_->importFile = write(fileName, contents);
    content().presentImporter();
  }

  QTemporaryDir dir_;
  std::shared_ptr<FakeDialogAnswers> answers_;
  QPointer<MainWindow> window_;
};

}  // namespace tamsel
