#pragma once
// The code-list editors of the "Seznamy" menu: each one table (or one section of the
// price list) in a TfEditSez grid. Open them modally; isCreated() is false when the
// table could not be read (the user has been told).
#include "widgets/editsez.h"

#include <QString>
#include <Qt>

// The base SELECT of a code list: every column of the table under its alias and the
// list mark.
QString codeListSelect(const QString &alias, const QString &table);

// What a key does in the TCK column of "Typy HP" (whether the type is offered on the
// barcode code sheet): A stores "A", N or Space store " ", any other typed character
// is swallowed. Keys that type nothing (arrows, Tab, Enter) and shortcuts go on to the
// grid.
struct TckKey
{
    bool handled = false;   // the grid must not see the key
    bool store = false;     // value goes into the cell
    QString value;
};
TckKey tckKey(int key, Qt::KeyboardModifiers modifiers, const QString &text);

// Extinguisher types: the price-list items of section 7.
class TfHPTypy : public TfEditSez
{
    Q_OBJECT
public:
    static constexpr int Section = 7;
    explicit TfHPTypy(QWidget *parent = nullptr, TDMPro *dm = DM);
};

class TfHPStavy : public TfEditSez
{
    Q_OBJECT
public:
    explicit TfHPStavy(QWidget *parent = nullptr, TDMPro *dm = DM);
};

class TfHPUmist : public TfEditSez
{
    Q_OBJECT
public:
    explicit TfHPUmist(QWidget *parent = nullptr, TDMPro *dm = DM);
};

class TfHPPozice : public TfEditSez
{
    Q_OBJECT
public:
    explicit TfHPPozice(QWidget *parent = nullptr, TDMPro *dm = DM);
};

class TfHPSezOprVyr : public TfEditSez
{
    Q_OBJECT
public:
    explicit TfHPSezOprVyr(QWidget *parent = nullptr, TDMPro *dm = DM);
};

// Hydrant types: the price-list items of section 11.
class TfPVTypy : public TfEditSez
{
    Q_OBJECT
public:
    static constexpr int Section = 11;
    explicit TfPVTypy(QWidget *parent = nullptr, TDMPro *dm = DM);
};

class TfPVUmist : public TfEditSez
{
    Q_OBJECT
public:
    explicit TfPVUmist(QWidget *parent = nullptr, TDMPro *dm = DM);
};

class TfPVOznaceni : public TfEditSez
{
    Q_OBJECT
public:
    explicit TfPVOznaceni(QWidget *parent = nullptr, TDMPro *dm = DM);
};

class TfPVVybav : public TfEditSez
{
    Q_OBJECT
public:
    explicit TfPVVybav(QWidget *parent = nullptr, TDMPro *dm = DM);
};

class TfSekce : public TfEditSez
{
    Q_OBJECT
public:
    explicit TfSekce(QWidget *parent = nullptr, TDMPro *dm = DM);
};

class TfKatVodHKon : public TfEditSez
{
    Q_OBJECT
public:
    explicit TfKatVodHKon(QWidget *parent = nullptr, TDMPro *dm = DM);
};
