#include "core/secrets.h"

#include <QMutex>
#include <QStringList>

#include <algorithm>

namespace {

QMutex g_mutex;
QStringList g_passwords;
QtMessageHandler g_nextHandler = nullptr;

void filteredMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    g_nextHandler(type, context, Secrets::scrubbed(message));
}

} // namespace

namespace Secrets {

QString withoutPassword(const QString &text, const QString &password)
{
    const QString secret = password.trimmed();
    if (secret.isEmpty())
        return text;
    QString t = text;
    QString quoted = secret;
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    if (quoted != secret)
        t.replace(quoted, QStringLiteral("***"));
    t.replace(secret, QStringLiteral("***"));
    return t;
}

void remember(const QString &password)
{
    const QString secret = password.trimmed();
    if (secret.isEmpty())
        return;
    QMutexLocker lock(&g_mutex);
    if (g_passwords.contains(secret))
        return;
    g_passwords << secret;
    // a longer password that contains a shorter one goes first, or a piece of it stays
    std::sort(g_passwords.begin(), g_passwords.end(),
              [](const QString &a, const QString &b) { return a.size() > b.size(); });
}

QString scrubbed(const QString &text)
{
    QMutexLocker lock(&g_mutex);
    QString t = text;
    for (const QString &p : std::as_const(g_passwords))
        t = withoutPassword(t, p);
    return t;
}

void installLogFilter()
{
    if (!g_nextHandler)
        g_nextHandler = qInstallMessageHandler(filteredMessage);
}

} // namespace Secrets
