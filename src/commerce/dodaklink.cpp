#include "commerce/dodaklink.h"
#include "commerce/dodakc.h"
#include "commerce/dodaks.h"
#include "core/prompt.h"
#include "widgets/toolbuttons.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfDodakNovPri::TfDodakNovPri(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("fDodakNovPri"));
    setWindowTitle(QStringLiteral("Tarko 8: Připojení dodacího listu"));
    auto *layout = new QVBoxLayout(this);
    auto *text = new QLabel(QStringLiteral("Dodací list k této kontrole nebyl dosud připojen.\n\n"
                                           "Nový - vytvoří nový dodací list pro vlastníka a umístění této kontroly.\n"
                                           "Připojit existující - připojí dodací list vybraný ze seznamu.\n"
                                           "Storno - kontrola zůstane bez dodacího listu."),
                            this);
    text->setObjectName(QStringLiteral("lText"));
    layout->addWidget(text);
    auto *buttons = newToolBarLayout();
    for (const auto &[name, caption, result] : {std::tuple{"bNovy", "Nový", int(Novy)},
                                                std::tuple{"bPripojit", "Připojit existující", int(Pripojit)},
                                                std::tuple{"bStorno", "Storno", int(Storno)}}) {
        auto *b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(QLatin1String(name));
        connect(b, &QPushButton::clicked, this, [this, r = result] { done(r); });
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);
}

int OtevritDodaciList(TfClass *inspection, QWidget *parent)
{
    if (!inspection || inspection->header().currentRow() < 0)
        return -1;
    int note = inspection->header().value(QStringLiteral("UNCDOD")).toInt();
    if (note <= 0) {
        TfDodakNovPri ask(parent);
        const int choice = Prompt::runModal(&ask);
        if (choice == TfDodakNovPri::Novy) {
            note = TfDodakC::createForInspection(inspection);
        } else if (choice == TfDodakNovPri::Pripojit) {
            const int picked = VyberDodaciList(parent);
            if (picked <= 0)
                return 0;
            note = TfDodakC::attachToInspection(inspection, picked) == 0 ? picked : -1;
        } else {
            return 0;
        }
        if (note <= 0)
            return -1;
    }
    ZobrazDodaciList(note, parent);
    return note;
}

int OdpojitDodaciList(TfClass *inspection)
{
    if (!inspection || inspection->header().currentRow() < 0
        || inspection->header().value(QStringLiteral("UNCDOD")).toInt() == 0)
        return 1;
    if (Prompt::question(QStringLiteral("Chcete odpojit dodací list od této kontroy?"), QStringLiteral("Odpojení DL"))
        != PromptYes)
        return 1;
    return TfDodakC::detachFromInspection(inspection);
}
