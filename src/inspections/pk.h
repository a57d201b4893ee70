#pragma once
// TfPK, the edit window of one fire-damper inspection ("Protokol o kontrole PK"): the
// shared header, the grid of dampers with the panel under it whose five findings are
// chosen from the five grades, the header text and the footer with the count. The
// rules behind it live in TfPKC.
#include "inspections/protocolwindow.h"

class QComboBox;
class TfPKC;

class TfPK : public TfInspectionWindow
{
    Q_OBJECT
public:
    // The item orders a click on a grid title chooses, one per grid column, and the
    // order of entry last.
    static const QStringList TitleOrders;

    explicit TfPK(TfPKC *controller, QWidget *parent = nullptr);

    TfPKC *pkc() const;

    // "Tisk" / "Doklad o kontrole PK" of the inspection, saved first.
    int TiskDokladu();

    // The drop-down of a finding column of the panel.
    QComboBox *findingCombo(const QString &column) const;

protected:
    QWidget *itemEntryField() const override;

private:
    QWidget *buildItemPanel();
    void buildMenus();

    QList<QComboBox *> m_findings;
};

// Opens the inspection of the key in its edit window, modally, on the controller of a
// list. Returns false when it could not be opened (the user was told).
bool OtevriKontroluPK(TfPKC *controller, int key, QWidget *parent = nullptr);
