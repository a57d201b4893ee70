#include "core/settingsstore.h"
#include "core/globals.h"
#include "core/prompt.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
QString g_filePath;
SettingsStore *g_instance = nullptr;

QString normalisedDefault(const QString &value)
{
    const QString t = value.trimmed();
    return t.isEmpty() ? QStringLiteral(" ") : t;
}
} // namespace

SettingsStore::SettingsStore() = default;

SettingsStore &SettingsStore::instance()
{
    if (!g_instance)
        g_instance = new SettingsStore;
    return *g_instance;
}

void SettingsStore::setFilePath(const QString &iniFile)
{
    g_filePath = iniFile;
    if (g_instance)
        g_instance->m_settings.reset();
}

QString SettingsStore::filePath()
{
    if (!g_filePath.isEmpty())
        return g_filePath;
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return dir + QStringLiteral("/MORVANT/user-settings.ini");
}

QSettings &SettingsStore::settings()
{
    if (!m_settings) {
        const QString path = filePath();
        const QString dir = QFileInfo(path).absolutePath();
        // The folder is closed to others when it is ours: the program's own one, or one
        // made here. A folder someone chose for the file (a shared one) keeps its mode.
        const bool ownFolder = g_filePath.isEmpty() || !QFileInfo::exists(dir);
        QDir().mkpath(dir);
        if (ownFolder)
            ::chmod(QFile::encodeName(dir).constData(), 0700);
        m_settings = std::make_unique<QSettings>(path, QSettings::IniFormat);
        m_private = false;
    }
    return *m_settings;
}

void SettingsStore::makePrivate()
{
    // The file holds the database password: it is created for the owner only, and a
    // file an older version left readable to everybody is closed before the first
    // write. QSettings saves through a new file that keeps the mode of the old one.
    if (m_private)
        return;
    const QByteArray path = QFile::encodeName(filePath());
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    if (fd >= 0) {
        ::fchmod(fd, 0600);
        ::close(fd);
        m_private = true;
    }
}

void SettingsStore::store(const QString &key, const QString &value)
{
    QSettings &s = settings();
    makePrivate();
    s.setValue(key, value);
    s.sync();
}

QString SettingsStore::key(const QString &keyPath, const QString &name) const
{
    QString group = keyPath;
    group.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (group.endsWith(QLatin1Char('/')))
        group.chop(1);
    return group + QLatin1Char('/') + name;
}

QString SettingsStore::readValue(const QString &keyPath, const QString &name, const QString &defaultValue)
{
    const QString k = key(keyPath, name);
    QSettings &s = settings();
    if (!s.contains(k)) {
        const QString d = normalisedDefault(defaultValue);
        store(k, d);
        return d;
    }
    return s.value(k).toString();
}

bool SettingsStore::writeValue(const QString &keyPath, const QString &name, const QString &value)
{
    store(key(keyPath, name), normalisedDefault(value));
    return settings().status() == QSettings::NoError;
}

bool SettingsStore::contains(const QString &keyPath, const QString &name)
{
    return settings().contains(key(keyPath, name));
}

void SettingsStore::remove(const QString &keyPath, const QString &name)
{
    QSettings &s = settings();
    makePrivate();
    s.remove(key(keyPath, name));
    s.sync();
}

QStringList SettingsStore::valueNames(const QString &keyPath)
{
    QSettings &s = settings();
    QString group = keyPath;
    group.replace(QLatin1Char('\\'), QLatin1Char('/'));
    s.beginGroup(group);
    const QStringList keys = s.childKeys();
    s.endGroup();
    return keys;
}

void SettingsStore::sync()
{
    settings().sync();
}

QString SettingsStore::productKeyPath(const QString &sub)
{
    QString path = QStringLiteral("SOFTWARE\\MORVANT\\") + ProductKey;
    if (!sub.isEmpty())
        path += QLatin1Char('\\') + sub;
    return path;
}

QString ReadRegistryValue(const QString &name, const QString &defaultValue, const QString &keyPath)
{
    return SettingsStore::instance().readValue(keyPath, name, defaultValue);
}

bool WriteRegistryValue(const QString &name, const QString &value, const QString &keyPath)
{
    if (SettingsStore::instance().writeValue(keyPath, name, value))
        return true;
    Prompt::warning(QStringLiteral("Zapsání do registru"), QStringLiteral("Chyba registru"));
    return false;
}
