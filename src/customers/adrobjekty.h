#pragma once
// TfAdrObjekty, the code list of the objects of the address book (buildings, premises
// a location label of inspections names): all objects, or the objects of one entry,
// which new rows then belong to.
#include "widgets/editsez.h"

class TfAdrObjekty : public TfEditSez
{
    Q_OBJECT
public:
    explicit TfAdrObjekty(QWidget *parent = nullptr, int owner = 0, TDMPro *dm = DM);

    int owner() const { return m_owner; }

private:
    int m_owner = 0;
};
