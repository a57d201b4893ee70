#pragma once
// TfExpImp, "Export a import záznamů": the folder, the date from which changes go,
// the areas, and the two buttons; the work itself is Exchange's (admin/exchange.h).
// The folder and the date of the last export are remembered per user.
#include <QDialog>
#include <QMap>

#include "admin/exchange.h"

class QCheckBox;
class QDateEdit;
class QLineEdit;
class QProgressBar;
class QStatusBar;
class TDMPro;

class TfExpImp : public QDialog
{
    Q_OBJECT
public:
    explicit TfExpImp(TDMPro *dm, QWidget *parent = nullptr);

    // The two buttons; true when the work was done.
    bool Export();
    bool Import();

    QStringList tickedAreas() const;
    QCheckBox *box(const QString &name) const { return m_boxes.value(name); }

    QLineEdit *eAdresar = nullptr;
    QDateEdit *eDatum = nullptr;
    QStatusBar *StatusBar = nullptr;
    QProgressBar *ProgressBar = nullptr;

    static QString keyPath();

private:
    bool confirmSystem(const QString &question);
    Exchange::ProgressCallback progress();
    void finished(const Exchange::Outcome &outcome);
    void remember(bool exported);

    TDMPro *m_dm;
    QMap<QString, QCheckBox *> m_boxes;
};
