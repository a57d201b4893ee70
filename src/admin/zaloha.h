#pragma once
// "Záloha databáze" and "Obnova databáze ze zálohy" of the menu "Nastavení": the file
// questions and the final message around the routines of admin/backup.h.
#include <QString>

class TDMPro;

// Backs up the open database of dm into a file the user chooses.
void backupFromMenu(TDMPro &dm);

// Restores a backup the user chooses into a new database file the user names; the
// restored database (its SERVER NAME form) when that succeeded, else an empty text.
QString restoreFromMenu(TDMPro &dm);
