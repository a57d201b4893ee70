#pragma once
// The delivery note of an inspection, for the inspection windows (extinguishers,
// hydrants): the attach dialog TfDodakNovPri, "Dodací list" / "Otevřít" and "Odpojit".
// The inspection is passed as its controller; the link is its header's UNCDOD.
#include <QDialog>

class TfClass;

// "Tarko 8: Připojení dodacího listu": result 1 "Nový", 4 "Připojit existující",
// 2 "Storno".
class TfDodakNovPri : public QDialog
{
    Q_OBJECT
public:
    enum Choice { Novy = 1, Storno = 2, Pripojit = 4 };
    explicit TfDodakNovPri(QWidget *parent = nullptr);
};

// "Otevřít": without a note the dialog asks for a new or an existing one; then the
// note's edit window opens modally. The note's key, 0 when the user cancelled,
// negative on failure (told).
int OtevritDodaciList(TfClass *inspection, QWidget *parent = nullptr);
// "Odpojit": after the question the inspection's link is cleared and stored.
// 0 detached, 1 declined or nothing to detach, negative on failure.
int OdpojitDodaciList(TfClass *inspection);
