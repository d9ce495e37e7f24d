#include "BackgroundTask.h"

#include <QEventLoop>
#include <QFutureWatcher>
#include <QProgressDialog>
#include <QTimer>

namespace tamsel {
namespace {

constexpr int kProgressDelayMs = 500;

}  // namespace

bool waitWithProgress(QWidget* parent, const QString& label, const QFuture<void>& future) {
  QEventLoop loop;
  QFutureWatcher<void> watcher;
  QObject::connect(&watcher, &QFutureWatcherBase::finished, &loop, &QEventLoop::quit);
  watcher.setFuture(future);
  if (future.isFinished()) return true;

  // Painting goes on; the user's input waits until the work ends or the
  // dialog, which blocks the window, appears.
  QTimer delay;
  delay.setSingleShot(true);
  QObject::connect(&delay, &QTimer::timeout, &loop, &QEventLoop::quit);
  delay.start(kProgressDelayMs);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
  if (future.isFinished()) return true;

  QProgressDialog progress(label, QStringLiteral("Cancel"), 0, 0, parent);
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(0);
  bool cancelled = false;
  QObject::connect(&progress, &QProgressDialog::canceled, &loop, [&] {
    cancelled = true;
    loop.quit();
  });
  progress.show();
  loop.exec();
  return !cancelled && future.isFinished();
}

}  // namespace tamsel
