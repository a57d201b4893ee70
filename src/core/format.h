#pragma once
// How values are shown to the user and read back from what the user typed: the one
// place for dates, numbers and the decimal separator.
#include <QDate>
#include <QString>
#include <QVariant>

// The text of a value as grids and fields show it: dates as d.m.yyyy with leading
// zeros, numbers with DecimalSeparator, texts as they are, null as empty.
QString displayText(const QVariant &value);

// A number with the given count of decimals (-1: as many as the value needs).
QString formatNumber(double value, int decimals = -1);

// Reads a number typed with either separator; ok is false for anything else.
double parseNumber(const QString &text, bool *ok = nullptr);

// Reads a date typed as d.m.yyyy (or with , / : as separators; a two-digit year is
// in this century); an invalid date for anything else.
QDate parseDate(const QString &text);
QString formatDate(const QDate &date);
