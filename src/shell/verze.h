#pragma once
// TfVerze ("Tarko8: Nastavení verze databáze"), the log of the schema upgrade: shown
// only when a step is due, with the version being left and each step's statements that
// failed; "Zavřít" appears when the upgrade has ended.
#include <QDialog>

#include "core/schemaupgrade.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class TDMPro;

class TfVerze : public QDialog, public SchemaUpgradeLog
{
    Q_OBJECT
public:
    explicit TfVerze(TDMPro *dm, QWidget *parent = nullptr);

    // Runs the due steps; the window shows itself at the first one.
    SchemaUpgrade::Outcome Kontrola();
    QString verze() const;
    QString vypis() const;
    bool zavritVisible() const;

    void stepStarted(const QString &text) override;
    void line(const QString &text) override;

    // After every connection: the check in a window of its own, which stays open for the
    // user to read when a step ran and is freed at once otherwise.
    static SchemaUpgrade::Outcome check(TDMPro *dm, QWidget *parent = nullptr);

private:
    TDMPro *m_dm;
    QLabel *m_verze = nullptr;
    QPlainTextEdit *m_vypis = nullptr;
    QPushButton *m_zavrit = nullptr;
};
