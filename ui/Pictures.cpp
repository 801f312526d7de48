#include "Pictures.h"

#include <QDir>

namespace kyt {

QImage pictureByName(const QString &name)
{
  const QDir dir(QStringLiteral(":/controls"));
  for (const QString &file : dir.entryList(QDir::Files)) {
    if (QFileInfo(file).completeBaseName().compare(name, Qt::CaseInsensitive) == 0)
      return QImage(dir.filePath(file));
  }
  return {};
}

QString mappedFamily(const QString &family)
{
  if (family.compare(QLatin1String("Arial"), Qt::CaseInsensitive) == 0)
    return QStringLiteral("Liberation Sans");
  if (family.compare(QLatin1String("MS Sans Serif"), Qt::CaseInsensitive) == 0)
    return QStringLiteral("DejaVu Sans");
  return family;
}

} // namespace kyt
