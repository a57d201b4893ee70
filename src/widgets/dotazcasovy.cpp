#include "widgets/dotazcasovy.h"
#include "core/prompt.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

TfDotazCasovy::TfDotazCasovy(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("fDotazCasovy"));
    setWindowTitle(QStringLiteral("Dotaz"));

    m_lDotaz = new QLabel(this);
    m_lDotaz->setObjectName(QStringLiteral("lDotaz"));
    m_lDotaz->setAlignment(Qt::AlignCenter);
    m_lDotaz->setWordWrap(true);
    m_lDotaz->setMinimumWidth(320);
    QPalette red = m_lDotaz->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    m_lDotaz->setPalette(red);
    QFont f = m_lDotaz->font();
    f.setBold(true);
    m_lDotaz->setFont(f);

    m_pbCas = new QProgressBar(this);
    m_pbCas->setObjectName(QStringLiteral("pbCas"));
    m_pbCas->setRange(0, TickCount);
    m_pbCas->setTextVisible(false);

    m_bAno = new QPushButton(QStringLiteral("ANO"), this);
    m_bAno->setObjectName(QStringLiteral("bAno"));
    m_bAno->setAutoDefault(false);
    m_bNe = new QPushButton(QStringLiteral("NE"), this);
    m_bNe->setObjectName(QStringLiteral("bNe"));
    // Enter must never confirm: the safe answer is the default
    m_bNe->setDefault(true);
    connect(m_bAno, &QPushButton::clicked, this, [this] { done(PromptYes); });
    connect(m_bNe, &QPushButton::clicked, this, [this] { done(PromptNo); });

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_bAno);
    buttons->addWidget(m_bNe);
    buttons->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_lDotaz);
    layout->addWidget(m_pbCas);
    layout->addLayout(buttons);

    m_timer.setInterval(TickInterval);
    connect(&m_timer, &QTimer::timeout, this, &TfDotazCasovy::tick);
    restart();
    m_timer.stop();
}

int TfDotazCasovy::ask(const QString &question)
{
    setQuestion(question);
    restart();
    const int result = Prompt::runModal(this);
    m_timer.stop();
    return result == PromptYes ? PromptYes : PromptNo;
}

void TfDotazCasovy::setQuestion(const QString &question)
{
    m_lDotaz->setText(question);
}

QString TfDotazCasovy::question() const
{
    return m_lDotaz->text();
}

void TfDotazCasovy::restart()
{
    m_pbCas->setValue(0);
    m_bAno->setVisible(false);
    m_bNe->setFocus();
    m_timer.start();
}

int TfDotazCasovy::ticks() const
{
    return m_pbCas->value();
}

bool TfDotazCasovy::yesOffered() const
{
    return !m_bAno->isHidden();
}

void TfDotazCasovy::tick()
{
    if (m_pbCas->value() >= TickCount)
        return;
    m_pbCas->setValue(m_pbCas->value() + 1);
    if (m_pbCas->value() >= TickCount) {
        m_timer.stop();
        m_bAno->setVisible(true);
    }
}

void TfDotazCasovy::reject()
{
    done(PromptNo);
}

void TfDotazCasovy::showEvent(QShowEvent *event)
{
    restart();
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        adjustSize();
        const QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
    QDialog::showEvent(event);
}

void TfDotazCasovy::hideEvent(QHideEvent *event)
{
    m_timer.stop();
    QDialog::hideEvent(event);
}
