#pragma once

// Runs a slow piece of work (reading or writing a big file) off the
// user-interface thread while the window keeps painting. After half a second
// a progress dialog with Cancel appears; until then the window holds back the
// user's input, and the dialog then blocks the window.

#include <QFuture>
#include <QString>
#include <QtConcurrent/QtConcurrentRun>

#include <optional>
#include <utility>

class QWidget;

namespace tamsel {

// Waits for `future`; false when the user cancelled, in which case the work
// goes on to its end unwatched and its result is dropped.
bool waitWithProgress(QWidget* parent, const QString& label, const QFuture<void>& future);

// The work's result, or nothing when the user cancelled. The work must own
// everything it touches, since it may outlive the call.
template <class Work>
auto runWithProgress(QWidget* parent, const QString& label, Work work)
    -> std::optional<decltype(work())> {
  QFuture<decltype(work())> future = QtConcurrent::run(std::move(work));
  if (!waitWithProgress(parent, label, QFuture<void>(future))) return std::nullopt;
  return future.takeResult();
}

}  // namespace tamsel
