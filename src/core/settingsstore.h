#pragma once
// The per-user settings store: key paths such as "SOFTWARE\MORVANT\<product>\DB" and
// value names, backslashes becoming groups. Values are plain texts, stored whole.
#include <QString>
#include <QStringList>
#include <memory>

class QSettings;

class SettingsStore
{
public:
    // The process-wide store. Tests call setFilePath() before the first use.
    static SettingsStore &instance();
    static void setFilePath(const QString &iniFile);
    static QString filePath();

    // Reads a value; when it is absent the default is stored and returned.
    // The default is trimmed and an empty default becomes a single blank.
    QString readValue(const QString &keyPath, const QString &name, const QString &defaultValue);
    // Writes a value trimmed; an empty value is stored as a single blank.
    // Returns false when the store could not be written.
    bool writeValue(const QString &keyPath, const QString &name, const QString &value);
    bool contains(const QString &keyPath, const QString &name);
    void remove(const QString &keyPath, const QString &name);
    QStringList valueNames(const QString &keyPath);
    void sync();

    // "SOFTWARE\MORVANT\" + product + "\" + sub, the one spelling of the program's key.
    static QString productKeyPath(const QString &sub);

private:
    SettingsStore();
    QString key(const QString &keyPath, const QString &name) const;
    QSettings &settings();
    void makePrivate();
    void store(const QString &key, const QString &value);
    std::unique_ptr<QSettings> m_settings;
    bool m_private = false;
};

// Registry-style helpers under the names the rest of the program uses.
QString ReadRegistryValue(const QString &name, const QString &defaultValue, const QString &keyPath);
bool WriteRegistryValue(const QString &name, const QString &value, const QString &keyPath);
