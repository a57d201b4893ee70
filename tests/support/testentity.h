#pragma once
// A small entity used by the framework tests: a header table TST_HLAV with items in
// TST_TAB, following the program's table conventions.
#include "core/class.h"
#include <QStringList>

class TestEntityC : public TfClass
{
public:
    using TfClass::TfClass;
    int DefineEntity() override;
    // Hook results the tests can force.
    int beforeInsertResult = 0;
    int afterSaveCalls = 0;
    int AfterSaveRecord() override { ++afterSaveCalls; return 0; }
    int BeforeInsertRecord() override { return beforeInsertResult; }
    int beforeDeleteResult = 0;
    int BeforeDeleteRecord(int) override { return beforeDeleteResult; }
};

// DDL of the two tables and their generators.
QStringList testEntityDdl();
