#include "admin/udrzbadat.h"

#include "core/prompt.h"

#include <QApplication>
#include <QGridLayout>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QToolButton>
#include <QVBoxLayout>

TfUdrzbaDat::TfUdrzbaDat(TDMPro *dm, QWidget *parent)
    : QDialog(parent),
      m_maintenance(
          dm,
          [this](const QString &line) {
              mVypis->appendPlainText(line);
              // the user follows a long run line by line
              QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
          },
          [this](int done, int total) {
              Gauge->setMaximum(qMax(total, 1));
              Gauge->setValue(total > 0 ? done : 0);
          })
{
    setObjectName(QStringLiteral("fUdrzbaDat"));
    setWindowTitle(QStringLiteral("údržba dat"));
    resize(620, 480);
    auto *layout = new QVBoxLayout(this);
    auto *buttons = new QGridLayout;
    struct Button
    {
        const char *name;
        QString text;
        bool (DataMaintenance::*operation)();
    };
    const QVector<Button> list = {
        {"sbTisk", QStringLiteral("Údržba dat"), &DataMaintenance::maintainData},
        {"RxSpeedButton1", QStringLiteral("Úprava ID"), &DataMaintenance::renumberKeys},
        {"RxSpeedButton2", QStringLiteral("Dílna x protokol"), &DataMaintenance::linkWorkshop},
        {"RxSpeedButton3", QStringLiteral("Oprava stavů"), &DataMaintenance::recodeStates},
        {"RxSpeedButton4", QStringLiteral("Oprava des. čísel"), &DataMaintenance::roundDecimals},
        {"RxSpeedButton5", QStringLiteral("Pravidelné PV,PK"), &DataMaintenance::markRegular},
        {"RxSpeedButton6", QStringLiteral("Úprava tabulek"), &DataMaintenance::addStamps},
        {"RxSpeedButton7", QStringLiteral("Oprava pořadí HP, PV, PK"), &DataMaintenance::fillItemOrder},
    };
    for (int i = 0; i < list.size(); ++i) {
        auto *b = new QToolButton(this);
        b->setObjectName(QLatin1String(list.at(i).name));
        b->setText(list.at(i).text);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        const auto operation = list.at(i).operation;
        connect(b, &QToolButton::clicked, this, [this, operation] {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            (m_maintenance.*operation)();
            QApplication::restoreOverrideCursor();
        });
        buttons->addWidget(b, i / 4, i % 4);
    }
    layout->addLayout(buttons);
    mVypis = new QPlainTextEdit(this);
    mVypis->setObjectName(QStringLiteral("mVypis"));
    mVypis->setReadOnly(true);
    layout->addWidget(mVypis, 1);
    Gauge = new QProgressBar(this);
    Gauge->setObjectName(QStringLiteral("Gauge"));
    Gauge->setValue(0);
    layout->addWidget(Gauge);
}

void TfUdrzbaDat::open(TDMPro *dm, QWidget *parent)
{
    TfUdrzbaDat window(dm, parent);
    Prompt::runModal(&window);
}

QString TfUdrzbaDat::vypis() const
{
    return mVypis->toPlainText();
}
