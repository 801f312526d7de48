#include "Content.h"

#include <QFile>

#include <future>
#include <map>
#include <mutex>

// The resources live in a library of their own; naming them here keeps
// them linked into every program that shows the windows.
static void initContentResources() { Q_INIT_RESOURCE(kyt_content); }

namespace kyt {

namespace {

QString resourcePath(const QString &name) {
  static const bool ready = (initContentResources(), true);
  (void)ready;
  return QStringLiteral(":/kyt/") + name;
}

std::mutex prefetchLock;
std::map<QString, std::future<QImage>> prefetched;

} // namespace

void prefetchStoredPictures(const QStringList &names) {
  std::lock_guard<std::mutex> guard(prefetchLock);
  for (const QString &name : names)
    if (!prefetched.count(name))
      prefetched.emplace(name, std::async(std::launch::async,
                                          [path = resourcePath(name)] { return QImage(path); }));
}

QImage storedPicture(const QString &name) {
  std::future<QImage> pending;
  {
    std::lock_guard<std::mutex> guard(prefetchLock);
    const auto it = prefetched.find(name);
    if (it != prefetched.end()) {
      pending = std::move(it->second);
      prefetched.erase(it);
    }
  }
  return pending.valid() ? pending.get() : QImage(resourcePath(name));
}

QString storedText(const QString &name) {
  QFile file(resourcePath(name));
  if (!file.open(QIODevice::ReadOnly))
    return {};
  return QString::fromUtf8(file.readAll());
}

} // namespace kyt
