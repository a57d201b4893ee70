#pragma once
// A file made to break the layers, for the check's own test.
#include <QString>
#include <QDialog>
#include <QtWidgets/QLabel>
#include "core/money.h"
#include "widgets/seznam.h"
