#pragma once
// Test environment: a temporary folder with its own settings store and data folder,
// a scripted prompt, and fresh database files created with the program's schema.
#include <QString>
#include <QTemporaryDir>
#include <memory>

#include "core/datamodulpro.h"
#include "support/scriptedprompt.h"

class TestEnvironment
{
public:
    TestEnvironment();
    ~TestEnvironment();

    QString path(const QString &name) const { return m_dir.path() + QLatin1Char('/') + name; }
    QString dir() const { return m_dir.path(); }
    ScriptedPrompt &prompt() { return *m_prompt; }

    // Creates a database file with the whole schema; returns its path ("" on failure,
    // the reason in *error).
    QString createDatabase(const QString &name = QStringLiteral("test.fdb"), QString *error = nullptr);
    // Opens a connection (a second one with another name acts as a second workstation).
    std::unique_ptr<TDMPro> connect(const QString &file, const QString &connectionName = QStringLiteral("Qel"));
    // Creates the database and makes it the program's DM connection.
    bool openProgramDatabase(const QString &name = QStringLiteral("test.fdb"));
    // Runs DDL statements on a connection; false at the first failure.
    static bool ddl(TDMPro &dm, const QStringList &statements, QString *error = nullptr);
    // A value of a single-row query.
    static QVariant scalar(TDMPro &dm, const QString &sql);
    // Runs the built tarko8-batch; its exit code (-1 when it crashed), what it wrote in *output.
    static int runBatch(const QStringList &arguments, QString *output);

private:
    QTemporaryDir m_dir;
    std::unique_ptr<ScriptedPrompt> m_prompt;
    std::unique_ptr<TDMPro> m_programDm;
};

// Fails the current test when the prompt saw anything nobody prepared for.
#define QEL_CHECK_PROMPTS(env) QVERIFY2((env).prompt().unexpected.isEmpty(), \
    qPrintable((env).prompt().unexpected.join(QStringLiteral("; "))))
