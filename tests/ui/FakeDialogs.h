#pragma once

// Dialogs answered by the test: the next file to import or export, and a
// record of every alert, proposed name and discard question.

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

#include "DialogProvider.h"

namespace tamsel {

struct FakeDialogAnswers {
  std::optional<QString> importFile;
  std::optional<QString> exportFile;
  QStringList proposedNames;
  QStringList alertTitles;
  QStringList alertMessages;
  DiscardChoice discardChoice = DiscardChoice::discard;
  int discardQuestions = 0;
};

class FakeDialogs : public DialogProvider {
 public:
  explicit FakeDialogs(std::shared_ptr<FakeDialogAnswers> answers) : answers_(std::move(answers)) {}

  std::optional<QString> chooseImportFile(QWidget*) override { return answers_->importFile; }
  std::optional<QString> chooseExportFile(QWidget*, const QString& proposedName) override {
    answers_->proposedNames.append(proposedName);
    return answers_->exportFile;
  }
  void showAlert(QWidget*, const QString& title, const QString& message) override {
    answers_->alertTitles.append(title);
    answers_->alertMessages.append(message);
  }
  DiscardChoice askToDiscardChanges(QWidget*) override {
    ++answers_->discardQuestions;
    return answers_->discardChoice;
  }

 private:
  std::shared_ptr<FakeDialogAnswers> answers_;
};

}  // namespace tamsel
