#pragma once
// TfUdrzbaDat ("údržba dat"): the buttons of the data maintenance operations, their log
// in mVypis and a gauge. The operations themselves are DataMaintenance's.
#include <QDialog>

#include "admin/maintenance.h"

class QPlainTextEdit;
class QProgressBar;
class TDMPro;

class TfUdrzbaDat : public QDialog
{
    Q_OBJECT
public:
    explicit TfUdrzbaDat(TDMPro *dm, QWidget *parent = nullptr);

    // The main menu's "Údržba dat" (and the end of the import from the previous
    // version): the window, modal.
    static void open(TDMPro *dm, QWidget *parent);

    QString vypis() const;

    QPlainTextEdit *mVypis = nullptr;
    QProgressBar *Gauge = nullptr;

private:
    DataMaintenance m_maintenance;
};
