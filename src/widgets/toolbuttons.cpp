#include "widgets/toolbuttons.h"

#include <QBoxLayout>
#include <QPushButton>
#include <QToolButton>

QHBoxLayout *newToolBarLayout()
{
    auto *bar = new QHBoxLayout;
    bar->setSpacing(2);
    return bar;
}

QToolButton *addToolButton(QBoxLayout *bar, QWidget *parent, const QString &objectName, const QString &caption,
                           const QString &hint, const std::function<void()> &action)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(objectName);
    b->setText(caption);
    b->setToolTip(hint);
    b->setFocusPolicy(Qt::NoFocus);
    QObject::connect(b, &QToolButton::clicked, parent, [action] { action(); });
    bar->addWidget(b);
    return b;
}

QHBoxLayout *newOkCancelRow(QWidget *parent, QPushButton *&ok, QPushButton *&cancel,
                            const QString &okCaption, const QString &cancelCaption)
{
    ok = new QPushButton(okCaption, parent);
    ok->setObjectName(QStringLiteral("bOK"));
    ok->setDefault(true);
    cancel = new QPushButton(cancelCaption, parent);
    cancel->setObjectName(QStringLiteral("bStorno"));
    cancel->setAutoDefault(false);
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}
