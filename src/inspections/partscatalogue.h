#pragma once
// The spare parts and work items that belong to each extinguisher type (DILVYR), as
// the window "Díly a výkony pro HP" edits them: the types, the price-list rows of one
// section offered as parts, the rows of the current type and the template (type 0).
// The rows of a type are written when another type becomes current and when the
// window closes, together with the template, in one transaction.
#include <QObject>
#include <QString>

#include "core/datamodulpro.h"
#include "core/rowcache.h"
#include "core/sqlrun.h"

class PartsCatalogue : public QObject
{
    Q_OBJECT
public:
    // The sections of the price list whose rows may be parts or work.
    static const QVector<int> Sections;

    explicit PartsCatalogue(TDMPro *dm = DM, QObject *parent = nullptr);

    // Reads the types, the first section's rows and the template; the first type is
    // current. False when something could not be read (the user was told).
    bool open();

    RowCache &types() { return m_types; }
    RowCache &offered() { return m_offered; }
    RowCache &parts() { return m_parts; }
    RowCache &templateRows() { return m_template; }
    int section() const { return m_section; }
    int currentType() const { return m_type; }

    // The rows of a section of the price list offered (3, 4, 5, 8, 9, 10).
    bool setSection(int csekce);
    // Makes a type row current; the rows of the type shown until now are written
    // first. 0, or -2 when they could not be written (the previous type stays).
    int setCurrentType(int row);

    // "Přidat díl k HP" / "Přidat díl do šablony": the offered row as a part of the
    // current type or of the template. -1 without an offered row or a type.
    int addPart(int offeredRow);
    int addToTemplate(int offeredRow);
    // "Ubrat díl od HP" / "Ubrat díl ze šablony": the current row leaves.
    int removePart();
    int removeFromTemplate();
    // "Přenést díly ze šablony k HP": a copy of every template row for the current type.
    int copyTemplateToType();

    // Writes the rows of the current type and the template in one transaction.
    // 0, or -2 (rolled back, "Chyba při uložení" shown).
    int save();
    bool isModified() const { return m_parts.isDirty() || m_template.isDirty(); }
    QString lastError() const { return m_lastError; }

private:
    bool read(RowCache &into, const QString &sql, const SqlParameters &parameters = {});
    bool readParts();
    int appendPart(RowCache &into, int type, int dil, const QString &nazDil, const QString &kod);

    TDMPro *m_dm;
    RowCache m_types, m_offered, m_parts, m_template;
    int m_section = 3;
    int m_type = -1;        // the type key whose rows are in m_parts
    QString m_typeName, m_typeMaker;
    QString m_lastError;
};
