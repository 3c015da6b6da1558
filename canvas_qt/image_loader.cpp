// Bounded image loading with a cache bounded by memory.
#include "image_loader.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QThread>
#include <QImageReader>

#include "platform/sjis.h"

namespace plenwick {

namespace {

QImage ReadBounded(const QString& path) {
  const QFileInfo info(path);
  if (!info.isFile() || info.size() > ImageLoader::kMaxFileBytes) return {};
  QImageReader reader(path);
  reader.setAutoTransform(true);
  return reader.read();
}

}  // namespace

QImage ImageLoader::Reload(std::string_view pathSjis) {
  for (auto it = cache_.begin(); it != cache_.end(); ++it) {
    if (it->first == pathSjis) {
      cachedBytes_ -= it->second.sizeInBytes();
      cache_.erase(it);
      break;
    }
  }
  return Load(pathSjis);
}

ImageLoader* SharedImageLoader() {
  const QCoreApplication* app = QCoreApplication::instance();
  if (!app || QThread::currentThread() != app->thread()) return nullptr;
  static ImageLoader shared;
  return &shared;
}

QImage ImageLoader::Load(std::string_view pathSjis) {
  const std::string key(pathSjis);
  for (auto it = cache_.begin(); it != cache_.end(); ++it) {
    if (it->first == key) {
      cache_.splice(cache_.begin(), cache_, it);
      return cache_.front().second;
    }
  }
  QImageReader::setAllocationLimit(kMaxAllocationMb);
  const QString path = QString::fromStdString(SjisToUtf8(pathSjis));
  QImage image;
  if (!path.isEmpty() && path.size() <= 255) {
    image = ReadBounded(path);
    if (image.isNull() && path.contains(QLatin1Char('\\'))) image = ReadBounded(QString(path).replace(QLatin1Char('\\'), QLatin1Char('/')));
  }
  cache_.emplace_front(key, image);
  cachedBytes_ += image.sizeInBytes();
  // A drawing placing many pictures is painted without reading each again, up to a bound on
  // memory; the newest stays whatever its size.
  while (cache_.size() > 1 && (cache_.size() > kMaxCached || cachedBytes_ > kMaxCachedBytes)) {
    cachedBytes_ -= cache_.back().second.sizeInBytes();
    cache_.pop_back();
  }
  return image;
}

}  // namespace plenwick
