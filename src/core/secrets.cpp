#include "core/secrets.h"

#include <QMutex>
#include <QRegularExpression>
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
    // A password of a character or three cannot be told from ordinary text: every
    // message would lose its numbers and short words, so such a password is left.
    if (secret.size() < MinimumScrubbedLength)
        return text;
    // The password as a whole, not where its characters run on into a longer word.
    auto replaceWhole = [](QString &t, const QString &what) {
        static const QString edge = QStringLiteral("[\\p{L}\\p{N}_]");
        const QRegularExpression re(QStringLiteral("(?<!%1)%2(?!%1)").arg(edge, QRegularExpression::escape(what)));
        t.replace(re, QStringLiteral("***"));
    };
    QString t = text;
    QString quoted = secret;
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    if (quoted != secret)
        replaceWhole(t, quoted);
    replaceWhole(t, secret);
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
