#pragma once

// What a window shows before any list is imported: the four columns a file
// may have.

#include <QWidget>

namespace tamsel {

class EmptyStateView : public QWidget {
  Q_OBJECT

 public:
  explicit EmptyStateView(QWidget* parent = nullptr);
};

}  // namespace tamsel
