#include "EmptyStateView.h"

#include <QLabel>
#include <QVBoxLayout>

namespace tamsel {
namespace {

constexpr int kStackSpacing = 12;

const char* const kColumnLines[] = {
    "1. <b>Selected</b> \u2014 1 or 0 (optional)",
    "2. <b>Name</b> \u2014 primer name",
    "3. <b>Sequence</b> \u2014 IUPAC nucleotide sequence",
    "4. <b>Comment</b> \u2014 notes (optional)",
};

QLabel* secondaryLabel(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setForegroundRole(QPalette::PlaceholderText);
  return label;
}

}  // namespace

EmptyStateView::EmptyStateView(QWidget* parent) : QWidget(parent) {
  auto* headline = new QLabel(QStringLiteral("No file imported"), this);
  QFont headlineFont = headline->font();
  headlineFont.setBold(true);
  headlineFont.setPointSizeF(headlineFont.pointSizeF() * 1.2);
  headline->setFont(headlineFont);

  auto* lines = new QVBoxLayout;
  lines->setSpacing(2);
  for (const char* line : kColumnLines) {
    QLabel* label = secondaryLabel(QString::fromUtf8(line), this);
    label->setTextFormat(Qt::RichText);
    QFont callout = label->font();
    callout.setPointSizeF(callout.pointSizeF() * 0.92);
    label->setFont(callout);
    lines->addWidget(label, 0, Qt::AlignLeft);
  }

  auto* stack = new QVBoxLayout;
  stack->setSpacing(kStackSpacing);
  stack->addWidget(headline, 0, Qt::AlignHCenter);
  stack->addWidget(secondaryLabel(QStringLiteral("Import a file with up to four columns:"), this), 0,
                   Qt::AlignHCenter);
  stack->addLayout(lines);
  stack->setAlignment(lines, Qt::AlignHCenter);

  auto* layout = new QVBoxLayout(this);
  layout->addStretch();
  layout->addLayout(stack);
  layout->addStretch();
  layout->setAlignment(stack, Qt::AlignHCenter);
}

}  // namespace tamsel
