#include "core/settingsstore.h"
#include "core/globals.h"
#include "core/prompt.h"

#include <QSettings>
#include <QStandardPaths>
#include <QDir>

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
        QDir().mkpath(QFileInfo(path).absolutePath());
        m_settings = std::make_unique<QSettings>(path, QSettings::IniFormat);
    }
    return *m_settings;
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
        s.setValue(k, d);
        s.sync();
        return d;
    }
    return s.value(k).toString();
}

bool SettingsStore::writeValue(const QString &keyPath, const QString &name, const QString &value)
{
    QSettings &s = settings();
    s.setValue(key(keyPath, name), normalisedDefault(value));
    s.sync();
    return s.status() == QSettings::NoError;
}

bool SettingsStore::contains(const QString &keyPath, const QString &name)
{
    return settings().contains(key(keyPath, name));
}

void SettingsStore::remove(const QString &keyPath, const QString &name)
{
    settings().remove(key(keyPath, name));
    settings().sync();
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
