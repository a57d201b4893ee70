#pragma once
// Turning the staged rows of VSTCARKOD into extinguisher inspections: one inspection per
// customer row, its objects numbered in reading order and its extinguishers as items.
// All or nothing, in one transaction; the staged rows stay until the user deletes them.
#include <QString>

class TDMPro;

namespace Reader {

struct TransferResult
{
    int inspections = 0;
    int items = 0;
};

// Writes the inspections. Refuses, writing nothing, while writes are blocked, when an
// extinguisher comes before any customer row, or when a customer row has no customer
// or no date; returns false with the reason in *error then, or when a write fails.
bool transferStaged(TDMPro *dm, TransferResult *result, QString *error);

} // namespace Reader
