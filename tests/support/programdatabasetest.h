#pragma once
// What nearly every test class starts from: settings in a temporary folder, a fresh
// program database as the DM connection and a scripted prompt; and what it ends with:
// no question or dialog nobody prepared for, no prepared answer left unused. Engine
// tests use it too, so nothing here may reach beyond the engine.
#include <QObject>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>
#include <memory>

#include "core/globals.h"
#include "support/testenv.h"

class ProgramDatabaseTest : public QObject
{
protected:
    std::unique_ptr<TestEnvironment> env;

    // From init() (or initTestCase() when the test functions share one database).
    void startFresh()
    {
        startWithoutDatabase();
        QVERIFY(env->openProgramDatabase());
    }
    // Settings and prompt only, for tests that open their own connections or none.
    void startWithoutDatabase()
    {
        env = std::make_unique<TestEnvironment>();
        // every written row carries the user's name, so no test may hand its own on
        m_userName = UserName;
    }
    // From cleanup() when the database is shared by the test functions.
    void checkPrompts()
    {
        QEL_CHECK_PROMPTS(*env);
        QVERIFY2(!prompt().answersLeft(), "a prepared answer was not used");
        prompt().clear();
    }
    // From cleanup(); the environment goes even when a check above fails.
    void finish()
    {
        checkPrompts();
        env.reset();
        UserName = m_userName;
    }

    ScriptedPrompt &prompt() { return env->prompt(); }
    QString databaseFile() const { return env->path(QStringLiteral("test.fdb")); }
    // Another workstation on the program database.
    std::unique_ptr<TDMPro> secondWorkstation()
    {
        return env->connect(databaseFile(), QStringLiteral("Qel2"));
    }

    static QVariant scalar(const QString &sql) { return TestEnvironment::scalar(*DM, sql); }
    static int count(const QString &sql) { return scalar(sql).toInt(); }
    static void exec(const QString &sql)
    {
        QSqlQuery q = DM->NewQuery();
        QVERIFY2(q.exec(sql), qPrintable(sql + QLatin1Char(' ') + q.lastError().text()));
    }

private:
    QString m_userName;
};
