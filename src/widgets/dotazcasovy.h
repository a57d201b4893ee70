#pragma once
// TfDotazCasovy, "Dotaz": the timed confirmation before an irreversible operation.
// "NE" can be chosen at once, "ANO" only after the gauge has filled (a hundred ticks of
// 50 ms, about five seconds), so Yes is never a reflex. One shared instance lives for
// the whole run; each showing starts the wait again.
#include <QDialog>
#include <QTimer>

class QLabel;
class QProgressBar;
class QPushButton;

class TfDotazCasovy : public QDialog
{
    Q_OBJECT
public:
    static constexpr int TickCount = 100;
    static constexpr int TickInterval = 50;   // ms

    explicit TfDotazCasovy(QWidget *parent = nullptr);

    // Shows the question modally; PromptYes (6) or PromptNo (7).
    int ask(const QString &question);

    void setQuestion(const QString &question);
    QString question() const;
    // Back to the start of the wait: gauge 0, "ANO" hidden, the timer running.
    void restart();
    int ticks() const;
    bool yesOffered() const;
    QTimer *timer() { return &m_timer; }

public slots:
    // One step of the wait; the hundredth offers "ANO" and stops the timer.
    void tick();
    void reject() override;   // Esc and the window's cross mean No

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QLabel *m_lDotaz;
    QProgressBar *m_pbCas;
    QPushButton *m_bAno;
    QPushButton *m_bNe;
    QTimer m_timer;
};
