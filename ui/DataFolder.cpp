#include "DataFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <optional>

namespace kyt {

namespace {

std::optional<QString>& chosen()
{
    static std::optional<QString> folder;
    return folder;
}

} // namespace

QString installedDataFolder()
{
    return QStringLiteral(KYT_INSTALLED_DATA_DIR);
}

void readDataFolderSetting()
{
    if (qEnvironmentVariableIsSet("KYT_DATA_DIR"))
        chosen() = qEnvironmentVariable("KYT_DATA_DIR");
    else
        chosen() = installedDataFolder();
}

QString dataFolder()
{
    if (!chosen())
        readDataFolderSetting();
    return *chosen();
}

QString dataFilePath(const QString& name)
{
    if (QFileInfo(name).isAbsolute() || QFileInfo::exists(name))
        return name;
    const QString folder = dataFolder();
    if (folder.isEmpty())
        return name;
    const QString there = QDir(folder).filePath(name);
    return QFileInfo::exists(there) ? there : name;
}

QString exercisesFolder()
{
#if defined(KYT_BUILD_BIN_DIR) && defined(KYT_SOURCE_EXERCISES_DIR)
    if (!qEnvironmentVariableIsSet("KYT_DATA_DIR") && QCoreApplication::instance()
        && QDir(QCoreApplication::applicationDirPath()) == QDir(QStringLiteral(KYT_BUILD_BIN_DIR)))
        return QStringLiteral(KYT_SOURCE_EXERCISES_DIR);
#endif
    const QString folder = dataFolder();
    return folder.isEmpty() ? QStringLiteral("exercises")
                            : QDir(folder).filePath(QStringLiteral("exercises"));
}

} // namespace kyt
